// Progress processes in the end-to-end tests: they show their window until asked to close.
#pragma once

#include "ForeignWindows.h"
#include "TestSupport.h"

#include <windows.h>

// Asks the process's progress windows to close as they show, until the process has ended, and
// returns its result (unfinished after about 30 seconds). Windows of other processes are left
// alone, also those an earlier test left behind.
inline testing_support::ChildResult CloseProgressWindowsUntilEnded(
    testing_support::ChildProcess& process) {
    for (int tries = 0; tries < 3000 && !process.Ended(10); ++tries) {
        if (HWND window = foreign_windows::ShownWindowOf(process.Id(), L"TOrnOVIProgress000"))
            PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return process.Wait(0);
}
