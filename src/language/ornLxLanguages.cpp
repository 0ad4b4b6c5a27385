#include "language/ornLxLanguages.h"

// The items are complete only here, where the catalogue frees them.
class TLxSetupLanguageItem {};

TLxSetupLanguageCollection::TLxSetupLanguageCollection() = default;
TLxSetupLanguageCollection::~TLxSetupLanguageCollection() = default;
