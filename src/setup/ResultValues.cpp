// The silent-mode exchange with the calling tool: the start and final values in the temporary
// key, the run's parameters read from it, and "silent.txt" in the work folder.
#include "setup/ornLxSetup.h"

#include "platform/Paths.h"
#include "platform/Registry.h"
#include "setup/ExitCodes.h"
#include "setup/SharedNames.h"
#include "strings/LocaleText.h"
#include "strings/ZelStrUtl.h"

namespace {

constexpr wchar_t kProductFolderName[] = L"Pagrion Viewer";

} // namespace

void TLxSetupManager::WriteSilentValue(const wchar_t* name, const std::wstring& value,
                                       bool flush) const {
    // A failed write is not reported; the log shows what was meant to be written.
    WriteRegString(HKEY_LOCAL_MACHINE, kSilentKey, name, value, flush);
    WriteLog(kSilentKeyLogName + std::wstring(name) + L"=" + Quoted(value));
}

std::wstring TLxSetupManager::ReadSilentValue(const wchar_t* name, bool& found) const {
    std::wstring value;
    found = ReadRegString(HKEY_LOCAL_MACHINE, kSilentKey, name, value);
    WriteLog(kSilentKeyLogName + std::wstring(name) + L"=" + Quoted(value));
    return value;
}

void TLxSetupManager::WriteStartResults() const {
    WriteSilentValue(L"Error", L"0", false);
    WriteSilentValue(L"Reboot", L"0", false);
    WriteSilentValue(L"Install", L"1", true);
}

bool TLxSetupManager::ReadSilentParameters() {
    DeleteSilentFile();
    bool found = false;
    const std::wstring language = ReadSilentValue(L"Language", found);
    if (!language.empty())
        SelectLanguageByCode(language);
    bool installPathFound = false;
    const std::wstring installPath = ReadSilentValue(L"InstallPath", installPathFound);
    std::wstring contentsPath = ReadSilentValue(L"ContentsPath", found);
    if (!installPathFound || installPath.empty())
        return installPathFound;
    InstallPath = AddPathDelimiter(installPath);
    ContentsPath = AddPathDelimiter(contentsPath.empty() ? InstallPath : contentsPath);
    WriteWorkFile(kSilentFileName, InstallPath + kProductFolderName);
    return true;
}

void TLxSetupManager::WriteFinalResults() const {
    if (!RunSucceeded || ExitCode != 0)
        WriteSilentValue(L"Error", DecimalText(ExitCode), false);
    if (ExitCode == ecRebootRequired)
        WriteSilentValue(L"Reboot", L"1", false);
    WriteSilentValue(L"Install", L"0", true);
}

uint32_t TLxSetupManager::GetFinalExitCode() {
    if (SilentMode && !OtherSetupRunning)
        WriteFinalResults();
    return ExitCode;
}

void TLxSetupManager::DeleteSilentFile() const {
    DeleteWorkFile(kSilentFileName);
}
