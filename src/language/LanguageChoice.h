// Which languages of the catalogue the launcher offers, and which one it proposes: the pruning
// and default choice of start-up, shared by the setup manager and the definition-file inspector.
#pragma once

#include "language/ornLxLanguages.h"

#include <cstdint>
#include <string>
#include <vector>

// Why a language cannot be installed, in the order the checks run.
enum TLxPruneReason : uint8_t {
    prKept,
    prLocaleNotInstalled,
    prNoFile,
    prNoTitle,
    prFileMissing,
};

// The first reason the language cannot be installed, or prKept. For a language with locale, file
// and title, SetupFile is made a full path against programFolder (with trailing "\") before the
// file is looked for.
TLxPruneReason CheckInstallable(TLxSetupLanguageItem& item, const std::wstring& programFolder);

// Removes every language that cannot be installed, from the last to the first, and updates Usable
// of the languages kept, except in silent mode: there every language takes part whatever its
// usability, and rating it would look up the fonts. The result holds the reason of each language
// by its index before pruning.
std::vector<TLxPruneReason> PruneLanguages(TLxSetupLanguageCollection& languages,
                                           const std::wstring& programFolder, bool silentMode);

// The index of the language to propose: with one language, that one; with more, among those that
// take part (all in silent mode, else the usable ones) the last whose LangID is
// installedLanguage (when not 0), else the first whose LangID is userLanguage, else the first
// language of all. -1 for an empty catalogue.
int ChooseDefaultIndex(const TLxSetupLanguageCollection& languages, uint16_t installedLanguage,
                       uint16_t userLanguage, bool silentMode);

// The installed viewer's language as its "InstallLang" registry text gives it: hexadecimal, cut
// to 16 bits; 0 for a missing text or one that is no hexadecimal number.
uint16_t InstalledLanguageID(const std::wstring& installLangText);
