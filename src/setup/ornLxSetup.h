// The setup manager: the state of one setup or progress process.
#pragma once

#include "language/ornLxLanguages.h"
#include "setup/ZelCmdUtl.h"

#include <cstdint>
#include <memory>
#include <string>

class TLxSetupManager {
public:
    TLxSetupManager();
    ~TLxSetupManager();
    TLxSetupManager(const TLxSetupManager&) = delete;
    TLxSetupManager& operator=(const TLxSetupManager&) = delete;

    std::unique_ptr<TLxSetupLanguageCollection> Languages;
    std::unique_ptr<TZelCmdOptionCollection> Options;
    std::wstring LogFileName;
    int CurrentIndex = -1;
    std::wstring InstalledVersion;
    std::wstring NewVersion;
    std::wstring InstallPath;
    std::wstring ContentsPath;
    bool SilentMode = false;
    bool ProgressMode = false;
    bool LanguageConfirmed = false;
    bool RunSucceeded = false;
    uint32_t ExitCode = 0;

    bool IsSilentRequested() const;
    bool IsProgressRequested() const;

    // The exit code of the process; silent mode first leaves its results in the registry.
    uint32_t GetFinalExitCode();
};

// The one manager of the process, constructed by the first call.
TLxSetupManager& SetupManager();

// The path with the extension of its last component replaced (or appended when it has none).
std::wstring ReplaceExtension(const std::wstring& path, const std::wstring& extension);
