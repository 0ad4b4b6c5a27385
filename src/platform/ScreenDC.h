// The device context of the whole screen, for the font list and for measuring text outside of
// painting.
#pragma once

#include "platform/Owned.h"

// Gets the screen's device context and releases it at the end of its life.
class TZelScreenDC : public TZelOwned<TZelScreenDcTraits> {
public:
    TZelScreenDC() : TZelOwned(GetDC(nullptr)) {}
};
