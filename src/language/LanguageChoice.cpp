// The languages the launcher offers and the one it proposes.
#include "language/LanguageChoice.h"

#include "platform/Paths.h"

namespace {

constexpr uint16_t kPrimaryLanguageMask = 0xFF;
// Chinese and Serbo-Croatian tell their languages apart by the lowest sub-language bit.
constexpr uint16_t kSubLanguageBitMask = 0x7FF;
constexpr uint16_t kChinese = 0x04;
constexpr uint16_t kSerboCroatian = 0x1A;

} // namespace

uint16_t UserLanguageID() {
    return LanguageIDOfLocale(GetUserDefaultLCID());
}

uint16_t LanguageIDOfLocale(LCID locale) {
    const auto language = static_cast<uint16_t>(locale & 0xFFFF);
    const uint16_t primary = language & kPrimaryLanguageMask;
    if (primary == kChinese || primary == kSerboCroatian)
        return language & kSubLanguageBitMask;
    return primary;
}

TLxPruneReason CheckInstallable(TLxSetupLanguageItem& item, const std::wstring& programFolder) {
    if (!item.LocaleValid)
        return prLocaleNotInstalled;
    if (item.SetupFile.empty())
        return prNoFile;
    if (item.Title.empty())
        return prNoTitle;
    item.SetupFile = ResolveRelativePath(item.SetupFile, programFolder);
    if (!FileExistsChecked(item.SetupFile))
        return prFileMissing;
    return prKept;
}

std::vector<TLxPruneReason> PruneLanguages(TLxSetupLanguageCollection& languages,
                                           const std::wstring& programFolder, bool silentMode) {
    std::vector<TLxPruneReason> reasons(languages.Count(), prKept);
    for (int index = languages.Count() - 1; index >= 0; --index) {
        TLxSetupLanguageItem* item = languages.Items(index);
        reasons[index] = CheckInstallable(*item, programFolder);
        if (reasons[index] != prKept)
            languages.Remove(item);
        else if (!silentMode)
            item->UpdateUsable();
    }
    return reasons;
}

int ChooseDefaultIndex(const TLxSetupLanguageCollection& languages, uint16_t installedLanguage,
                       uint16_t userLanguage, bool silentMode) {
    const int count = languages.Count();
    if (count <= 1)
        return count - 1;
    int chosen = -1;
    for (int index = 0; index < count; ++index) {
        const TLxSetupLanguageItem& item = *languages.Items(index);
        if (!silentMode && !item.Usable)
            continue;
        if (installedLanguage != 0 && item.LangID == installedLanguage)
            chosen = index;
        if (chosen < 0 && item.LangID == userLanguage)
            chosen = index;
    }
    return chosen < 0 ? 0 : chosen;
}

uint16_t InstalledLanguageID(const std::wstring& installLangText) {
    return static_cast<uint16_t>(HexadecimalValue(installLangText));
}
