// The setup manager: the state of one setup or progress process.
#pragma once

#include "language/ornLxLanguages.h"
#include "platform/Owned.h"
#include "setup/ZelCmdUtl.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TZelBackgroundStart;

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
    // Another setup process was running when this one started: this one leaves the running one's
    // log and temporary key alone (it writes no log line) and ends with 1618.
    bool OtherSetupRunning = false;

    // Start-up and language choice.
    bool IsSilentRequested() const;
    bool IsProgressRequested() const;
    // Prunes the catalogue to the installable languages and proposes one; the number left.
    int ChooseDefaultLanguage();
    // Chooses the language named by the option "LANG"; without a match the default choice
    // stands and the answer is false.
    bool SelectLanguageFromOption();
    // The chosen language, or null.
    TLxSetupLanguageItem* CurrentLanguage() const;
    // Chooses the language at index; an index past the catalogue is ignored, -1 clears.
    void SetCurrentIndex(int index);
    // The names the selection window lists, in catalogue order.
    std::vector<std::wstring> GetLanguageNames() const;

    // The install log: appends one line; a line that cannot be written is lost. A setup refused
    // for another one writes none.
    void WriteLog(const std::wstring& text) const;

    // The version check: true when the package of this version must run, because it is newer,
    // no viewer is installed, or the package's version could not be read (empty).
    bool IsInstallNeeded(const std::wstring& packageVersion) const;

    // The silent-mode values of the temporary key.
    void WriteStartResults() const;
    // Reads the run's parameters; false when "InstallPath" is missing.
    bool ReadSilentParameters();
    void WriteFinalResults() const;
    // The exit code of the process; silent mode first leaves its results in the registry.
    uint32_t GetFinalExitCode();
    void DeleteSilentFile() const;

    // The installation run of the setup process, once the language is settled.
    void RunInstallation();
    // Starts the progress process, in the current language; the start is done when the answer
    // ends.
    [[nodiscard]] TZelBackgroundStart StartProgressProcess() const;
    // The manuals step of a silent run.
    void ProcessIncludedManuals();
    // Deletes "silent.txt" and the user's part of the temporary key.
    void ClearSilentData() const;

private:
    std::wstring CommandLineText() const;
    // Reads one value of the viewer's key and logs it; the value, empty when missing. The second
    // form reads from the key already opened, which is empty when the key is missing.
    std::wstring ReadAndLogViewerValue(const wchar_t* name) const;
    std::wstring ReadAndLogViewerValue(const TZelRegKey& viewerKey, const wchar_t* name) const;
    // Reads and logs the viewer's three values from one opening of its key: under some systems
    // the opening costs several times the reading.
    void LogViewerValues();
    // Writes one value of the temporary key and logs it.
    void WriteSilentValue(const wchar_t* name, const std::wstring& value, bool flush) const;
    // Reads one value of the temporary key and logs it; found tells whether it could be read.
    std::wstring ReadSilentValue(const wchar_t* name, bool& found) const;
    // Makes the first language with this code (ignoring case) the current one; false when no
    // language has it.
    bool SelectLanguageByCode(const std::wstring& code);
    // Normal mode: starts the package for the user without waiting for it.
    void StartInstallation(const TLxSetupLanguageItem& language);
    // Silent mode: the progress window, the package when needed, the manuals.
    void RunSilentInstallation(const std::wstring& package);
    void RunPackageAndManuals(const std::wstring& package) noexcept;
    void RunPackageUnattended(const std::wstring& package);
};

// The one manager of the process, constructed by the first call.
TLxSetupManager& SetupManager();

// One line of the install log: process id, time stamp and text, ending in CR LF.
std::wstring FormatLogLine(const std::wstring& text);

// A text in double quotes, as the log shows values.
std::wstring Quoted(const std::wstring& text);

// The text shown when the definition file offers no language, in the user's language.
std::wstring GetDataNotFoundMessage(uint16_t languageValue);
// The progress window of the progress process, searched for up to two seconds; null when none.
HWND FindProgressWindow();
// Asks the progress window to close, without waiting.
void CloseProgressWindow();
// Runs the converter's create step, then its register step for the contents folder, reporting
// to the window; whether the register step could be started.
bool RegisterManuals(HWND progressWindow, const std::wstring& contentsFolder);
// Starts the converter beside the installed viewer with the parameters, after waiting up to two
// seconds for a running one to end; whether it could be started.
bool RunConverter(const std::wstring& parameters, bool waitForIdle);

// The rights test: may this process create values under HKEY_LOCAL_MACHINE and files in the
// common application data folder? Leaves nothing behind.
bool HasAdminRights();
// The folder shared by setup runs ("OVIVINST\" under the common application data folder, or
// under the temporary folder), with trailing backslash.
std::wstring GetWorkFolder();
// Writes a file of the work folder (UTF-8 with mark), replacing it; failures are ignored.
void WriteWorkFile(const std::wstring& name, const std::wstring& text);
// Deletes a file of the work folder, and the folder when it is then empty.
void DeleteWorkFile(const std::wstring& name);
// The path to start a package by: a path over 250 characters is copied into "oviview\" under
// the temporary folder first; when the copy fails, the package's own path.
std::wstring GetRunnableSetupPath(const std::wstring& packagePath);

// The path with the extension of its last component replaced (or appended when it has none).
std::wstring ReplaceExtension(const std::wstring& path, const std::wstring& extension);
