// Progress processes in the end-to-end tests: copies of the launcher started with "-OVWPROGRESS"
// that show their window until asked to close.
#pragma once

#include "TestSupport.h"

#include <windows.h>

#include <string>

// The progress window of the process once it exists; nullptr when the process ended first or
// half a minute passed.
HWND AwaitProgressWindow(const testing_support::ChildProcess& process);

// Asks the progress window to close whenever it exists, until the process has ended, and
// returns its result (unfinished after half a minute).
testing_support::ChildResult CloseProgressWindowUntilEnded(testing_support::ChildProcess& process);

// A launcher run whose progress process never shows its window: the test runs the launcher as
// the debugger of it and of every process it starts, and ends each copy of the launcher that the
// launcher starts before that copy runs a single instruction of its own.
struct RunWithoutProgressWindow {
    testing_support::ChildResult launcher;
    int endedCopies = 0;
};
RunWithoutProgressWindow RunEndingProgressProcessesAtStart(const std::wstring& launcherPath,
                                                           const std::wstring& arguments);
