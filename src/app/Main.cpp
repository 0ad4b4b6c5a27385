// The program entry: decides the run mode, keeps setup processes to one and ends with the
// manager's exit code.
#include "platform/SystemLibrary.h"
#include "setup/ExitCodes.h"
#include "setup/SetupMutex.h"
#include "setup/ornLxSetup.h"
#include "windows/MainUnit.h"
#include "windows/ProgUnit.h"

#include <windows.h>

namespace {

// The language's choice when there is one to make, then the installation run. The exit code
// tells what was reached whatever goes wrong; the final values are still written.
void RunSetup(TLxSetupManager& manager) noexcept try {
    if (!manager.SilentMode) {
        if (manager.Languages->Count() >= 2)
            RunSelectionWindow(manager);
        else
            manager.LanguageConfirmed = manager.Languages->Count() == 1;
    }
    manager.RunInstallation();
} catch (...) {
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything can load a DLL: none may come from the program's folder.
    RestrictDllSearchPath();
    TLxSetupManager& manager = SetupManager();
    if (manager.IsProgressRequested()) {
        RunProgressWindow(manager);
        return 0;
    }

    if (manager.OtherSetupRunning || !TakeSetupMutex()) {
        manager.OtherSetupRunning = true;
        manager.ExitCode = ecAnotherSetupRunning;
    } else {
        RunSetup(manager);
    }
    return static_cast<int>(manager.GetFinalExitCode());
}
