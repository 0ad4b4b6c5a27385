// The processes a test started, directly or through the programs it started. They all run in one
// job object with the test program, which joins it before it starts its first child. Their
// windows are looked up among them, never on the whole desktop, where another test's leftovers
// may show; what a failed test left running is ended by its fixture, and what a stopped test
// program left running is ended by the system once the program is gone.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Puts this test program into its job, once: every process it starts from then on, and every
// process those start, runs in the job too, and ends when the test program has ended.
void JoinOwnProcessJob();

// The ids of the processes of the job that still run, this test program's own among them.
std::vector<DWORD> OwnProcessIds();

// A top-level window of that class (visible or not) of the process; nullptr when it has none.
HWND WindowOfProcess(DWORD processId, const std::wstring& className);
// A top-level window of that class of any process of the job; nullptr when none has one.
HWND WindowOfOwnProcesses(const std::wstring& className);

// The window that lookup finds, asked for every 10 ms up to half a minute; nullptr when it never
// found one.
HWND AwaitWindow(const std::function<HWND()>& lookup);

// Ends every process of the job but this test program at the end of its scope, so that nothing a
// failed test started keeps running into the next test or holds files it is removing.
class OwnProcessesEnder {
public:
    OwnProcessesEnder() { JoinOwnProcessJob(); }
    ~OwnProcessesEnder();
    OwnProcessesEnder(const OwnProcessesEnder&) = delete;
    OwnProcessesEnder& operator=(const OwnProcessesEnder&) = delete;
};

} // namespace testing_support
