// The program entry: decides the run mode, keeps setup processes to one and ends with the
// manager's exit code.
#include "platform/SystemLibrary.h"
#include "setup/ornLxSetup.h"
#include "windows/MainUnit.h"
#include "windows/ProgUnit.h"

#include <windows.h>

namespace {

constexpr wchar_t kSetupMutexName[] = L"OrnOVISetup000";
constexpr uint32_t kAnotherSetupRunning = 1618;

// Takes the single-instance mutex of setup processes. False when another setup process holds it.
// The handle stays open until the process ends.
bool TakeSetupMutex() {
    if (HANDLE other = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kSetupMutexName)) {
        CloseHandle(other);
        return false;
    }
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kSetupMutexName);
    // Another setup process may have created it between the two calls.
    return !(mutex && GetLastError() == ERROR_ALREADY_EXISTS);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything can load a DLL: none may come from the program's folder.
    RestrictDllSearchPath();
    TLxSetupManager& manager = SetupManager();
    if (manager.IsProgressRequested()) {
        RunProgressWindow();
        return 0;
    }

    if (!TakeSetupMutex()) {
        manager.ExitCode = kAnotherSetupRunning;
    } else {
        try {
            if (!manager.SilentMode) {
                if (manager.Languages->Count() >= 2)
                    RunSelectionWindow();
                else
                    manager.LanguageConfirmed = manager.Languages->Count() == 1;
            }
            manager.RunInstallation();
        } catch (...) {
            // The exit code tells what was reached; the final values are still written.
        }
    }
    return static_cast<int>(manager.GetFinalExitCode());
}
