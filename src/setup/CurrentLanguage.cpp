// The setup manager's choice of language: the default after pruning, the choice by code from the
// command line or the temporary key, and the selection window's changes.
#include "setup/ornLxSetup.h"

#include "language/LanguageChoice.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "setup/SharedNames.h"
#include "strings/LocaleText.h"

int TLxSetupManager::ChooseDefaultLanguage() {
    CurrentIndex = -1;
    const uint16_t userLanguage = UserLanguageID();
    PruneLanguages(*Languages, ExtractFileFolder(GetProgramFileName()), SilentMode);
    std::wstring installLang;
    ReadRegString(HKEY_LOCAL_MACHINE, kViewerKey, L"InstallLang", installLang);
    CurrentIndex =
        ChooseDefaultIndex(*Languages, InstalledLanguageID(installLang), userLanguage, SilentMode);
    return Languages->Count();
}

bool TLxSetupManager::SelectLanguageByCode(const std::wstring& code) {
    for (int i = 0; i < Languages->Count(); ++i) {
        if (SameText(code, Languages->Items(i)->Code)) {
            CurrentIndex = i;
            return true;
        }
    }
    return false;
}

bool TLxSetupManager::SelectLanguageFromOption() {
    const TZelCmdOptionItem* option = Options->Find(L"LANG");
    if (option && SelectLanguageByCode(option->Value))
        return true;
    ChooseDefaultLanguage();
    return false;
}

TLxSetupLanguageItem* TLxSetupManager::CurrentLanguage() const {
    return Languages->Items(CurrentIndex);
}

void TLxSetupManager::SetCurrentIndex(int index) {
    // No lower bound: -1 clears the choice.
    if (index != CurrentIndex && index < Languages->Count())
        CurrentIndex = index;
}

std::vector<std::wstring> TLxSetupManager::GetLanguageNames() const {
    std::vector<std::wstring> names;
    for (int i = 0; i < Languages->Count(); ++i)
        names.push_back(Languages->Items(i)->EnName);
    return names;
}
