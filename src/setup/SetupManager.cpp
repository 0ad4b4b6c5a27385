// Construction and destruction of the setup manager: the whole start-up of a process.
#include "setup/ornLxSetup.h"

#include "platform/Paths.h"

namespace {

// The viewer program whose name the install log carries.
constexpr wchar_t kViewerProgramName[] = L"PagrionViewer.exe";

} // namespace

std::wstring ReplaceExtension(const std::wstring& path, const std::wstring& extension) {
    const size_t nameStart = path.find_last_of(L"\\:/");
    const size_t dot = path.rfind(L'.');
    const bool hasExtension =
        dot != std::wstring::npos && (nameStart == std::wstring::npos || dot > nameStart);
    return (hasExtension ? path.substr(0, dot) : path) + extension;
}

TLxSetupManager::TLxSetupManager() {
    Languages = std::make_unique<TLxSetupLanguageCollection>();
    Options = std::make_unique<TZelCmdOptionCollection>(true);
    LogFileName = GetTempFolder() + ReplaceExtension(kViewerProgramName, L"-Install.log");
    ProgressMode = IsProgressRequested();
    SilentMode = IsSilentRequested();
}

TLxSetupManager::~TLxSetupManager() = default;

bool TLxSetupManager::IsSilentRequested() const { return Options->Find(L"SET") != nullptr; }

bool TLxSetupManager::IsProgressRequested() const {
    return Options->Find(L"OVWPROGRESS") != nullptr;
}

uint32_t TLxSetupManager::GetFinalExitCode() { return ExitCode; }

TLxSetupManager& SetupManager() {
    static TLxSetupManager manager;
    return manager;
}
