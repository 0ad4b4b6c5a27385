// The setup manager: the state of one setup or progress process.
#pragma once

#include "language/ornLxLanguages.h"
#include "setup/ZelCmdUtl.h"

#include <cstdint>
#include <memory>
#include <string>

// How the package's version relates to the installed viewer's.
enum TLxVersionCompare : uint8_t {
    vcSame = 0,         // all four parts equal
    vcOtherMajor = 1,   // the first parts differ
    vcOlder = 2,        // the package is older
    vcNewer = 3,        // the package is newer
    vcNotInstalled = 4, // no installed version
};

TLxVersionCompare CompareVersions(const std::wstring& packageVersion,
                                  const std::wstring& installedVersion);

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
    // True when the package of this version must run: it is newer, or no viewer is installed.
    bool IsInstallNeeded(const std::wstring& packageVersion) const;
    // Appends one line to the install log; a line that cannot be written is lost.
    void WriteLog(const std::wstring& text) const;

    bool IsProgressRequested() const;

    // The exit code of the process; silent mode first leaves its results in the registry.
    uint32_t GetFinalExitCode();

private:
    std::wstring CommandLineText() const;
    // Reads one value of the viewer's key and logs it; the value, empty when missing.
    std::wstring ReadAndLogViewerValue(const wchar_t* name) const;
    void LogViewerValues();
};

// The one manager of the process, constructed by the first call.
TLxSetupManager& SetupManager();

// One line of the install log: process id, time stamp and text, ending in CR LF.
std::wstring FormatLogLine(const std::wstring& text);

// A text in double quotes, as the log shows values.
std::wstring Quoted(const std::wstring& text);

// The path with the extension of its last component replaced (or appended when it has none).
std::wstring ReplaceExtension(const std::wstring& path, const std::wstring& extension);
