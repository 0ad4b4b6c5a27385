#include "ProgressProcess.h"

#include "OwnProcesses.h"

#include <set>

namespace {

using namespace testing_support;

constexpr wchar_t kProgressWindowClass[] = L"TOrnOVIProgress000";
constexpr int kPollTries = 3000;
constexpr DWORD kPollMs = 10;
constexpr DWORD kDebuggedRunMs = 120000;

std::wstring ImagePath(HANDLE process) {
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &size))
        return {};
    path.resize(size);
    return path;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The debugger's side of a run: the launcher and the processes it starts stop at every debug
// event until this loop lets them go on.
class DebuggedLauncher {
public:
    DebuggedLauncher(const std::wstring& launcherPath, const PROCESS_INFORMATION& launcher)
        : launcherPath_(launcherPath), launcher_(launcher) {}

    // Handles the events until the launcher has ended or the time is up; whether it ended.
    bool RunToEnd() {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < kDebuggedRunMs) {
            DEBUG_EVENT event{};
            if (!WaitForDebugEvent(&event, kDebuggedRunMs - (GetTickCount() - start)))
                return false;
            const DWORD continueStatus = Handle(event);
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, continueStatus);
            if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT &&
                event.dwProcessId == launcher_.dwProcessId)
                return true;
        }
        return false;
    }

    int EndedCopies() const { return endedCopies_; }

    // Lets the processes that still run go on without the debugger.
    void Detach() {
        for (const DWORD id : debuggees_)
            DebugActiveProcessStop(id);
        debuggees_.clear();
    }

private:
    DWORD Handle(const DEBUG_EVENT& event) {
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            debuggees_.insert(event.dwProcessId);
            CloseHandle(event.u.CreateProcessInfo.hFile);
            if (event.dwProcessId != launcher_.dwProcessId &&
                SamePath(ImagePath(event.u.CreateProcessInfo.hProcess), launcherPath_)) {
                TerminateProcess(event.u.CreateProcessInfo.hProcess, 1);
                ++endedCopies_;
            }
            return DBG_CONTINUE;
        case EXIT_PROCESS_DEBUG_EVENT:
            debuggees_.erase(event.dwProcessId);
            return DBG_CONTINUE;
        case LOAD_DLL_DEBUG_EVENT:
            CloseHandle(event.u.LoadDll.hFile);
            return DBG_CONTINUE;
        case EXCEPTION_DEBUG_EVENT:
            // The loader's first breakpoint is the debugger's; every other exception is the
            // program's own to handle.
            return event.u.Exception.ExceptionRecord.ExceptionCode == EXCEPTION_BREAKPOINT
                       ? DBG_CONTINUE
                       : DBG_EXCEPTION_NOT_HANDLED;
        default:
            return DBG_CONTINUE;
        }
    }

    std::wstring launcherPath_;
    PROCESS_INFORMATION launcher_;
    std::set<DWORD> debuggees_;
    int endedCopies_ = 0;
};

} // namespace

HWND AwaitProgressWindow(const ChildProcess& process) {
    for (int tries = 0; tries < kPollTries && !process.Ended(kPollMs); ++tries)
        if (const HWND window = WindowOfProcess(process.Id(), kProgressWindowClass))
            return window;
    return nullptr;
}

ChildResult CloseProgressWindowUntilEnded(ChildProcess& process) {
    for (int tries = 0; tries < kPollTries && !process.Ended(kPollMs); ++tries)
        if (const HWND window = WindowOfProcess(process.Id(), kProgressWindowClass))
            PostMessageW(window, WM_CLOSE, 0, 0);
    return process.Wait(0);
}

RunWithoutProgressWindow RunEndingProgressProcessesAtStart(const std::wstring& launcherPath,
                                                           const std::wstring& arguments) {
    JoinOwnProcessJob();
    RunWithoutProgressWindow run;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION launcher{};
    std::wstring commandLine = L"\"" + launcherPath + L"\" " + arguments;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, DEBUG_PROCESS,
                        nullptr, nullptr, &startup, &launcher))
        return run;
    DebuggedLauncher debugger(launcherPath, launcher);
    run.launcher.started = true;
    run.launcher.finished = debugger.RunToEnd();
    run.endedCopies = debugger.EndedCopies();
    debugger.Detach();
    if (!run.launcher.finished)
        TerminateProcess(launcher.hProcess, 0xDEAD);
    DWORD exitCode = 0;
    WaitForSingleObject(launcher.hProcess, INFINITE);
    GetExitCodeProcess(launcher.hProcess, &exitCode);
    run.launcher.exitCode = exitCode;
    CloseHandle(launcher.hThread);
    CloseHandle(launcher.hProcess);
    return run;
}
