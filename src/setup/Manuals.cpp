// Registration of the manuals delivered with the setup, done by the viewer's converter tool
// after a successful silent run.
#include "setup/ornLxSetup.h"

#include "platform/MessagePump.h"
#include "platform/NamedMutex.h"
#include "platform/Paths.h"
#include "platform/ProcessLaunch.h"
#include "platform/Registry.h"
#include "setup/ExitCodes.h"
#include "setup/SharedNames.h"
#include "strings/ZelStrUtl.h"

#include <windows.h>

namespace {

constexpr DWORD kPauseMs = 1000;
constexpr DWORD kConverterMutexWaitMs = 2000;
constexpr DWORD kPollMs = 1;

// Pauses for the given time, handling one pending window message per poll; between polls the
// thread waits for a message until the time is up.
void PauseHandlingMessages(DWORD milliseconds) {
    PumpMessagesUntil([] { return false; }, milliseconds, milliseconds);
}

// Waits until the converter's mutex is gone, at most two seconds, handling window messages. The
// mutex is tested every millisecond and whenever a message comes.
void WaitForConverterToEnd() {
    PumpMessagesUntil([] { return !NamedMutexExists(kConverterMutexName); }, kConverterMutexWaitMs,
                      kPollMs);
}

// The viewer program: the machine's "AppMain" as given, or the user's when the machine names none
// (the value missing or empty); empty when neither names an existing file.
std::wstring ViewerProgram(std::wstring machineValue) {
    std::wstring viewer = std::move(machineValue);
    if (viewer.empty())
        ReadRegString(HKEY_CURRENT_USER, kViewerKey, L"AppMain", viewer);
    if (viewer.empty() || !FileExistsChecked(viewer))
        return {};
    return viewer;
}

} // namespace

void TLxSetupManager::ProcessIncludedManuals() {
    ClearSilentData();
    if (!RunSucceeded && ExitCode == 0)
        ExitCode = ecPackageDidNotStart;
    PauseHandlingMessages(kPauseMs);
    if (!RunSucceeded || ExitCode != 0)
        return;

    WriteLog(L"Start Include Manuals");
    const std::wstring viewer = ViewerProgram(ReadAndLogViewerValue(L"AppMain"));
    if (viewer.empty())
        return;

    const std::wstring description = AddPathDelimiter(ExtractFileFolder(viewer)) +
                                     kConverterProgramName + L" \"-m:regpath\" \"-e:" +
                                     ContentsPath + L"\"";
    WriteLog(L"IncludeManual=" + description);
    RunSucceeded = RegisterManuals(FindProgressWindow(), ContentsPath);
    if (!RunSucceeded) {
        PauseHandlingMessages(kPauseMs);
        WriteLog(L"Retry IncludeManual=" + description);
        RunSucceeded = RegisterManuals(FindProgressWindow(), ContentsPath);
    }
    if (!RunSucceeded)
        ExitCode = ecConverterDidNotStart;
}

void TLxSetupManager::ClearSilentData() const {
    DeleteWorkFile(kSilentFileName);
    DeleteRegKey(HKEY_CURRENT_USER, kSilentKey, true);
}

bool RegisterManuals(HWND progressWindow, const std::wstring& contentsFolder) {
    RunConverter(L"\"-m:create\"", true);
    return RunConverter(L"\"-m:regsubp\" \"-h:" +
                            UpperHexText(reinterpret_cast<uintptr_t>(progressWindow)) +
                            L"\" \"-e:" + contentsFolder + L"\"",
                        true);
}

bool RunConverter(const std::wstring& parameters, bool waitForIdle) {
    std::wstring machineViewer;
    ReadRegString(HKEY_LOCAL_MACHINE, kViewerKey, L"AppMain", machineViewer);
    const std::wstring viewer = ViewerProgram(machineViewer);
    if (viewer.empty())
        return false;
    WaitForConverterToEnd();
    return StartProgram(AddPathDelimiter(ExtractFileFolder(viewer)) + kConverterProgramName,
                        parameters, SW_SHOW, waitForIdle);
}
