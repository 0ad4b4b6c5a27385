// The program entry: decides the run mode, keeps setup processes to one and ends with the
// manager's exit code.
#include "platform/SystemLibrary.h"
#include "setup/ExitCodes.h"
#include "setup/SetupMutex.h"
#include "setup/ornLxSetup.h"
#include "windows/MainUnit.h"
#include "windows/ProgUnit.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything can load a DLL: none may come from the program's folder.
    RestrictDllSearchPath();
    TLxSetupManager& manager = SetupManager();
    if (manager.IsProgressRequested()) {
        RunProgressWindow();
        return 0;
    }

    if (manager.OtherSetupRunning || !TakeSetupMutex()) {
        manager.OtherSetupRunning = true;
        manager.ExitCode = ecAnotherSetupRunning;
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
