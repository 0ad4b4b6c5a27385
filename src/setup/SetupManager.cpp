// Construction and destruction of the setup manager: the whole start-up of a process.
#include "setup/ornLxSetup.h"

#include "platform/FileOps.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "setup/SharedNames.h"
#include "setup/SetupMutex.h"
#include "strings/ZelStrUtl.h"

std::wstring ReplaceExtension(const std::wstring& path, const std::wstring& extension) {
    const size_t nameStart = path.find_last_of(L"\\:/");
    const size_t dot = path.rfind(L'.');
    const bool hasExtension =
        dot != std::wstring::npos && (nameStart == std::wstring::npos || dot > nameStart);
    return (hasExtension ? path.substr(0, dot) : path) + extension;
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

namespace {

// The viewer's key opened for reading; empty when the viewer is not installed.
TZelRegKey OpenViewerKey() {
    TZelRegKey key;
    OpenRegKey(HKEY_LOCAL_MACHINE, kViewerKey, KEY_READ, key);
    return key;
}

} // namespace

TLxSetupManager::TLxSetupManager() {
    Languages = std::make_unique<TLxSetupLanguageCollection>();
    Options = std::make_unique<TZelCmdOptionCollection>(true);
    LogFileName = GetTempFolder() + ReplaceExtension(kViewerProgramName, L"-Install.log");
    ProgressMode = IsProgressRequested();
    OtherSetupRunning = !ProgressMode && SetupMutexExists();
    // Every setup process starts a new log; the progress process continues it, and a setup
    // process refused for another one leaves that one's log alone (it writes no line either).
    if (!ProgressMode && !OtherSetupRunning)
        ForceDeleteFile(LogFileName);
    WriteLog(L"Start Setup (" + CommandLineText() + L")");
    if (ProgressMode)
        ReadRegString(HKEY_LOCAL_MACHINE, kViewerKey, L"Install", InstalledVersion);
    else
        LogViewerValues();
    Languages->LoadFromFile(ReplaceExtension(GetProgramFileName(), L".dat"));
    SilentMode = IsSilentRequested();
    if (SilentMode && !OtherSetupRunning)
        WriteStartResults();
    ChooseDefaultLanguage();
}

TLxSetupManager::~TLxSetupManager() {
    if (!ProgressMode)
        LogViewerValues();
    WriteLog(L"End Setup (ExitCode=" + DecimalText(ExitCode) + L")");
}

std::wstring TLxSetupManager::CommandLineText() const {
    std::wstring text;
    for (const std::wstring& argument : SplitCommandLine(GetCommandLineW()))
        text += L" " + argument;
    return Trim(text);
}

std::wstring TLxSetupManager::ReadAndLogViewerValue(const wchar_t* name) const {
    return ReadAndLogViewerValue(OpenViewerKey(), name);
}

std::wstring TLxSetupManager::ReadAndLogViewerValue(const TZelRegKey& viewerKey,
                                                    const wchar_t* name) const {
    std::wstring value;
    ReadRegString(viewerKey, name, value);
    WriteLog(kViewerKeyLogName + std::wstring(name) + L"=" + Quoted(value));
    return value;
}

void TLxSetupManager::LogViewerValues() {
    const TZelRegKey viewerKey = OpenViewerKey();
    ReadAndLogViewerValue(viewerKey, L"AppMain");
    ReadAndLogViewerValue(viewerKey, L"InstallLang");
    InstalledVersion = ReadAndLogViewerValue(viewerKey, L"Install");
}

bool TLxSetupManager::IsSilentRequested() const {
    return Options->Find(L"SET") != nullptr;
}

bool TLxSetupManager::IsProgressRequested() const {
    return Options->Find(L"OVWPROGRESS") != nullptr;
}

TLxSetupManager& SetupManager() {
    static TLxSetupManager manager;
    return manager;
}
