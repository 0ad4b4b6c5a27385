#include "platform/ProcessLaunch.h"

#include "platform/MessagePump.h"
#include "platform/Owned.h"
#include "platform/Paths.h"
#include "platform/SystemLibrary.h"
#include "strings/ZelStrUtl.h"

#include <shellapi.h>

#include <utility>

namespace {

constexpr DWORD kPollMs = 2;
constexpr DWORD kStartFlags =
    CREATE_DEFAULT_ERROR_MODE | CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS;
constexpr DWORD kRunFlags = kStartFlags | CREATE_NEW_CONSOLE;
constexpr ULONG kShellMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_FLAG_NO_UI;
constexpr uintptr_t kHighestShellError = 32;

// Everything a launch passes to the platform, worked out before anything is started.
struct TZelLaunchText {
    std::wstring program;     // trimmed, unquoted, long form; quoted again by RunProgram
    std::wstring params;      // trimmed
    std::wstring folder;      // working folder, empty for none
    std::wstring commandLine; // for CreateProcessW
};

// The folder of a program path: up to its last "\" (kept only for a drive root) or ":".
std::wstring FolderPart(const std::wstring& path) {
    const size_t end = path.find_last_of(L"\\:");
    if (end == std::wstring::npos)
        return {};
    const std::wstring folder = path.substr(0, end + 1);
    return folder.back() == L'\\' ? RemovePathDelimiter(folder) : folder;
}

// The program path and parameters as given; false when both are empty.
bool PrepareProgram(const std::wstring& fileName, const std::wstring& params,
                    TZelLaunchText& launch) {
    launch.program = GetLongFileName(Unquote(Trim(fileName), L"\""));
    launch.params = Trim(params);
    return !launch.program.empty() || !launch.params.empty();
}

// The texts of StartProcess; false when there is nothing to start (or no memory for the texts).
bool PrepareStart(const std::wstring& fileName, const std::wstring& params,
                  TZelLaunchText& launch) noexcept try {
    if (!PrepareProgram(fileName, params, launch))
        return false;
    if (launch.program.empty()) {
        launch.commandLine = launch.params;
    } else {
        launch.folder = FolderPart(launch.program);
        launch.commandLine = Trim(L"\"" + launch.program + L"\" " + launch.params);
    }
    return true;
} catch (...) {
    return false;
}

// The texts of RunProgram: with an empty program path the parameters take its place.
bool PrepareRun(const std::wstring& fileName, const std::wstring& params,
                TZelLaunchText& launch) noexcept try {
    if (!PrepareProgram(fileName, params, launch))
        return false;
    if (launch.program.empty()) {
        launch.program = std::exchange(launch.params, {});
    } else {
        launch.folder = FolderPart(launch.program);
        launch.program = Trim(L"\"" + launch.program + L"\"");
    }
    launch.commandLine = Trim(launch.program + L" " + launch.params);
    return true;
} catch (...) {
    return false;
}

const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// The setup's own start-up information, showing the program as asked.
STARTUPINFOW StartupInfo(int32_t showCmd) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCmd);
    return startup;
}

// A program that has not become ready for input by then is taken as started: a hung program must
// not hang the setup with it.
constexpr DWORD kIdleWaitLimitMs = 10000;

// Returns once the process waits for input, at once when it cannot (a console program), and at
// the latest after the limit.
void WaitForIdle(HANDLE process) {
    PumpMessagesUntil([process] { return WaitForInputIdle(process, 0) != WAIT_TIMEOUT; },
                      kIdleWaitLimitMs, kPollMs);
}

// Stores the exit code once the process has ended; a failed query leaves exitCode alone.
void WaitForExit(HANDLE process, uint32_t& exitCode) {
    DWORD code = 0;
    bool ended = false;
    PumpMessagesUntil(
        [&] {
            const DWORD waited = WaitForSingleObject(process, 0);
            if (waited == WAIT_TIMEOUT)
                return false;
            if (!GetExitCodeProcess(process, &code))
                return true;
            // An ended process reports its code even when that reads as STILL_ACTIVE (259):
            // asking again would never change the answer. A handle that cannot be waited on
            // is asked again at the same pace while its process still runs.
            ended = code != STILL_ACTIVE || waited == WAIT_OBJECT_0;
            return ended;
        },
        INFINITE, kPollMs);
    if (ended)
        exitCode = code;
}

// shell32's ShellExecuteExW, looked up on the first shell launch and kept for the life of the
// process; null when shell32 cannot be loaded.
decltype(&ShellExecuteExW) ShellExecuteFunction() {
    static const TZelSystemLibrary shell(L"shell32.dll");
    static const auto function = shell.Find<decltype(ShellExecuteExW)>("ShellExecuteExW");
    return function;
}

bool ShellLaunch(const TZelLaunchText& launch, int32_t showCmd, TZelLaunchMode launchMode,
                 HWND ownerWindow, uint32_t* shellResult, TZelHandle& process) {
    const auto shellExecute = ShellExecuteFunction();
    if (!shellExecute)
        return false;
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);

    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = kShellMask;
    info.hwnd = ownerWindow;
    info.lpVerb = ShellVerb(launchMode, version.dwMajorVersion);
    info.lpFile = launch.program.c_str();
    info.lpParameters = OrNull(launch.params);
    info.lpDirectory = OrNull(launch.folder);
    info.nShow = showCmd;
    const BOOL called = shellExecute(&info);
    TZelHandle shellProcess(info.hProcess);
    const auto instance = reinterpret_cast<uintptr_t>(info.hInstApp);
    if (shellResult)
        *shellResult = static_cast<uint32_t>(instance);
    if (!called || instance <= kHighestShellError)
        return false;
    process.Reset(shellProcess.Release());
    return true;
}

bool CreateLaunch(TZelLaunchText& launch, int32_t showCmd, TZelHandle& process) {
    STARTUPINFOW startup = StartupInfo(showCmd);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, launch.commandLine.empty() ? nullptr : launch.commandLine.data(),
                        nullptr, nullptr, FALSE, kRunFlags, nullptr, OrNull(launch.folder),
                        &startup, &info))
        return false;
    const TZelHandle thread(info.hThread);
    process.Reset(info.hProcess);
    return true;
}

} // namespace

const wchar_t* ShellVerb(TZelLaunchMode launchMode, DWORD majorVersion) {
    constexpr DWORD kFirstVersionWithElevation = 6;
    return launchMode == lmShellElevated && majorVersion >= kFirstVersionWithElevation ? L"runas"
                                                                                       : L"open";
}

bool StartProcess(const std::wstring& fileName, const std::wstring& params, int32_t showCmd,
                  bool waitForIdle, PROCESS_INFORMATION& processInfo) {
    processInfo = {};
    TZelLaunchText launch;
    if (!PrepareStart(fileName, params, launch))
        return false;
    STARTUPINFOW startup = StartupInfo(showCmd);
    if (!CreateProcessW(nullptr, launch.commandLine.data(), nullptr, nullptr, FALSE, kStartFlags,
                        nullptr, OrNull(launch.folder), &startup, &processInfo)) {
        processInfo = {};
        return false;
    }
    if (waitForIdle)
        WaitForIdle(processInfo.hProcess);
    return true;
}

bool StartProgram(const std::wstring& fileName, const std::wstring& params, int32_t showCmd,
                  bool waitForIdle) {
    PROCESS_INFORMATION processInfo;
    const bool started = StartProcess(fileName, params, showCmd, waitForIdle, processInfo);
    TZelHandle process(processInfo.hProcess);
    TZelHandle thread(processInfo.hThread);
    return started;
}

TZelBackgroundStart::TZelBackgroundStart(const std::wstring& fileName, const std::wstring& params,
                                         int32_t showCmd)
    : fileName_(fileName), params_(params), showCmd_(showCmd),
      thread_(CreateThread(nullptr, 0, Start, this, 0, nullptr)) {
    if (!thread_.Valid())
        Start(this);
}

TZelBackgroundStart::~TZelBackgroundStart() {
    if (thread_.Valid())
        WaitForSingleObject(thread_.Get(), INFINITE);
}

DWORD WINAPI TZelBackgroundStart::Start(void* self) noexcept {
    const auto& start = *static_cast<const TZelBackgroundStart*>(self);
    StartProgram(start.fileName_, start.params_, start.showCmd_, false);
    return 0;
}

bool RunProgram(const std::wstring& fileName, const std::wstring& params, int32_t showCmd,
                bool waitForIdle, TZelLaunchMode launchMode, HWND ownerWindow,
                HANDLE* processHandle, uint32_t* shellResult, uint32_t* exitCode) {
    if (processHandle)
        *processHandle = nullptr;
    if (shellResult)
        *shellResult = 0;
    if (exitCode)
        *exitCode = 0;
    TZelLaunchText launch;
    if (!PrepareRun(fileName, params, launch))
        return false;

    TZelHandle process;
    const bool launched =
        launchMode == lmShellOpen || launchMode == lmShellElevated
            ? ShellLaunch(launch, showCmd, launchMode, ownerWindow, shellResult, process)
            : CreateLaunch(launch, showCmd, process);

    const HANDLE started = process.Get();
    if (processHandle)
        *processHandle = process.Release();
    if (!launched || !started)
        return launched;
    if (!waitForIdle && !exitCode)
        return launched;
    WaitForIdle(started);
    if (exitCode)
        WaitForExit(started, *exitCode);
    return launched;
}
