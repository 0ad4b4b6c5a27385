// Starting programs: exit codes, command lines and working folders, shell launches, failures,
// the waits for input idle and for the end, and the messages dispatched while waiting. The
// programs started are the fake installer package (a GUI program that records how it was
// started) and a console program that runs until the test sets an event.
#include "platform/ProcessLaunch.h"

#include "OwnProcesses.h"
#include "TestSupport.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

namespace {

using namespace testing_support;

constexpr wchar_t kPackageWindowClass[] = L"PagrionFakePackage";

// How one start of the fake package was recorded.
struct StartRecord {
    std::wstring commandLine;
    std::wstring arguments;
    std::wstring folder;
};

std::wstring CurrentFolder() {
    wchar_t folder[MAX_PATH];
    return std::wstring(folder, GetCurrentDirectoryW(MAX_PATH, folder));
}

class ProcessLaunch : public ::testing::Test {
protected:
    void SetUp() override {
        // The packages started here are looked up among this test's own processes.
        JoinOwnProcessJob();
        packageFolder = folder / L"package folder";
        ASSERT_TRUE(CreateDirectoryW(packageFolder.c_str(), nullptr));
    }

    // A copy of the fake package in a folder whose name holds a blank, told how to behave.
    std::wstring Package(const std::wstring& behaviour) {
        const std::wstring path = packageFolder + L"\\setup_en.exe";
        CopyTo(ProgramFolder() + L"fakepackage.exe", path);
        WriteBytes(packageFolder + L"\\setup_en.behaviour", Utf8(behaviour));
        return path;
    }

    // The last start of the package, as it recorded it.
    StartRecord LastStart() const {
        std::map<std::wstring, std::wstring> values;
        for (const std::string& bytes :
             SplitLines(ReadBytes(packageFolder + L"\\setup_en.started.txt"))) {
            const std::wstring line = FromUtf8(bytes);
            const size_t equals = line.find(L'=');
            if (equals != std::wstring::npos)
                values[line.substr(0, equals)] = line.substr(equals + 1);
        }
        return {values[L"commandline"], values[L"arguments"], values[L"folder"]};
    }

    ScratchFolder folder;
    std::wstring packageFolder;
};

// Waits for a process started by the test, closes its handles and answers its exit code.
uint32_t EndOf(PROCESS_INFORMATION& process) {
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST_F(ProcessLaunch, RunProgramPassesTheParametersAndTheFullExitCodeBack) {
    struct Case {
        TZelLaunchMode mode;
        bool waitForIdle;
        const wchar_t* behaviour;
        uint32_t exitCode;
    };
    const Case cases[] = {
        {lmCreateProcess, true, L"wait=100 exit=3010", 3010},
        {lmCreateProcess, false, L"exit=1618", 1618},
        {lmCreateProcess, true, L"crash", 0xC0000005},
        // A real exit code that reads as "still running" ends the wait all the same.
        {lmCreateProcess, true, L"exit=259", 259},
        {lmShellOpen, true, L"exit=3010", 3010},
        {lmShellElevated, false, L"exit=1603", 1603},
        {static_cast<TZelLaunchMode>(7), true, L"exit=0", 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << int{test.mode} << " " << Utf8(test.behaviour));
        const std::wstring package = Package(test.behaviour);
        HANDLE process = nullptr;
        uint32_t shellResult = 1;
        uint32_t exitCode = 1;
        ASSERT_TRUE(RunProgram(package, L"  /S /v/qn ", SW_SHOWDEFAULT, test.waitForIdle, test.mode,
                               nullptr, &process, &shellResult, &exitCode));
        EXPECT_EQ(exitCode, test.exitCode);
        EXPECT_NE(process, nullptr);
        CloseHandle(process);
        const bool shell = test.mode == lmShellOpen || test.mode == lmShellElevated;
        EXPECT_EQ(shellResult > 32, shell);
        EXPECT_EQ(shellResult == 0, !shell);

        const StartRecord start = LastStart();
        EXPECT_EQ(start.arguments, L"/S /v/qn");
        EXPECT_EQ(start.folder, packageFolder);
        if (!shell) {
            EXPECT_EQ(start.commandLine, L"\"" + package + L"\" /S /v/qn");
        }
    }
}

TEST_F(ProcessLaunch, QuotedFileNameWithBlanksAroundStartsTheSameProgram) {
    const std::wstring package = Package(L"exit=0");
    const std::wstring expected = L"\"" + package + L"\" -x";
    for (const std::wstring& fileName : {package, L"  \"" + package + L"\"\t "}) {
        PROCESS_INFORMATION process;
        ASSERT_TRUE(StartProcess(fileName, L"-x", SW_SHOW, false, process));
        EXPECT_EQ(EndOf(process), 0u);
        EXPECT_EQ(LastStart().commandLine, expected);

        uint32_t exitCode = 1;
        ASSERT_TRUE(RunProgram(fileName, L"-x", SW_SHOWDEFAULT, true, lmCreateProcess, nullptr,
                               nullptr, nullptr, &exitCode));
        EXPECT_EQ(LastStart().commandLine, expected);
    }
}

TEST_F(ProcessLaunch, EmptyFileNameMakesTheParametersTheWholeCommandLine) {
    const std::wstring commandLine = L"\"" + Package(L"exit=0") + L"\" -a b";
    PROCESS_INFORMATION process;
    ASSERT_TRUE(StartProcess(L"", L" " + commandLine + L" ", SW_SHOW, false, process));
    EndOf(process);
    StartRecord start = LastStart();
    EXPECT_EQ(start.commandLine, commandLine);
    EXPECT_EQ(start.folder, CurrentFolder());

    uint32_t exitCode = 1;
    ASSERT_TRUE(RunProgram(L"", commandLine, SW_SHOWDEFAULT, true, lmCreateProcess, nullptr,
                           nullptr, nullptr, &exitCode));
    start = LastStart();
    EXPECT_EQ(start.commandLine, commandLine);
    EXPECT_EQ(start.folder, CurrentFolder());
}

TEST_F(ProcessLaunch, NothingToStartOrAMissingProgramFailsWithZeroResults) {
    const std::wstring missing = folder / L"missing.exe";
    struct Case {
        std::wstring fileName;
        std::wstring params;
    };
    for (const Case& test : {Case{L"", L""}, Case{L" \"\" ", L" \t"}, Case{missing, L"/S"}}) {
        SCOPED_TRACE(Utf8(test.fileName));
        PROCESS_INFORMATION process;
        std::memset(&process, 0xFF, sizeof process);
        EXPECT_FALSE(StartProcess(test.fileName, test.params, SW_SHOW, true, process));
        EXPECT_EQ(process.hProcess, nullptr);
        EXPECT_EQ(process.hThread, nullptr);
        EXPECT_EQ(process.dwProcessId, 0u);
        EXPECT_FALSE(StartProgram(test.fileName, test.params, SW_SHOW, true));

        for (const TZelLaunchMode mode : {lmCreateProcess, lmShellOpen, lmShellElevated}) {
            HANDLE handle = INVALID_HANDLE_VALUE;
            uint32_t shellResult = 99;
            uint32_t exitCode = 99;
            EXPECT_FALSE(RunProgram(test.fileName, test.params, SW_SHOWDEFAULT, true, mode, nullptr,
                                    &handle, &shellResult, &exitCode));
            EXPECT_EQ(handle, nullptr);
            EXPECT_EQ(exitCode, 0u);
            EXPECT_LE(shellResult, 32u);
        }
    }
    // The shell tells why it failed.
    uint32_t shellResult = 0;
    RunProgram(missing, L"", SW_SHOWDEFAULT, true, lmShellOpen, nullptr, nullptr, &shellResult);
    EXPECT_EQ(shellResult, static_cast<uint32_t>(SE_ERR_FNF));
}

TEST_F(ProcessLaunch, WaitForIdleReturnsWhileTheProgramRuns) {
    PROCESS_INFORMATION process;
    ASSERT_TRUE(StartProcess(Package(L"wait=30000 exit=5"), L"", SW_SHOW, true, process));
    // Under Wine a program counts as idle before its first window exists, so that the wait cannot
    // be shown to last until the window shows: the window is waited for here.
    const HWND window =
        AwaitWindow([&] { return WindowOfProcess(process.dwProcessId, kPackageWindowClass); });
    EXPECT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(EndOf(process), 5u);
}

TEST_F(ProcessLaunch, ConsoleProgramIsNotWaitedForAsIdle) {
    const std::wstring eventName = L"PagrionConsoleWait" + std::to_wstring(GetCurrentProcessId());
    HANDLE letEnd = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    const std::wstring program = ProgramFolder() + L"consolewait.exe";

    PROCESS_INFORMATION started;
    ASSERT_TRUE(StartProcess(program, eventName, SW_SHOW, true, started));
    HANDLE run = nullptr;
    ASSERT_TRUE(
        RunProgram(program, eventName, SW_SHOWDEFAULT, true, lmCreateProcess, nullptr, &run));
    // Both calls came back while the programs still run.
    EXPECT_EQ(WaitForSingleObject(started.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(run, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    SetEvent(letEnd);
    EXPECT_EQ(EndOf(started), 0u);
    EXPECT_EQ(WaitForSingleObject(run, 30000), WAIT_OBJECT_0);
    CloseHandle(run);
    CloseHandle(letEnd);
}

TEST_F(ProcessLaunch, BackgroundStartHasStartedTheProgramWhenItEnds) {
    const std::wstring package = Package(L"wait=30000 exit=0");
    const size_t processesBefore = OwnProcessIds().size();
    { const TZelBackgroundStart start(package, L"-x", SW_SHOW); }
    EXPECT_EQ(OwnProcessIds().size(), processesBefore + 1);

    const HWND window = AwaitWindow([] { return WindowOfOwnProcesses(kPackageWindowClass); });
    ASSERT_NE(window, nullptr);
    const StartRecord start = LastStart();
    EXPECT_EQ(start.commandLine, L"\"" + package + L"\" -x");
    EXPECT_EQ(start.folder, packageFolder);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    PROCESS_INFORMATION process{};
    process.hProcess =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(EndOf(process), 0u);
}

// A window of the test that notes whether it handled a message while the package's window was
// open; until then it keeps posting itself the message again.
class WatchingWindow {
public:
    WatchingWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"PagrionLaunchTestWindow";
        RegisterClassW(&windowClass);
        handle = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
        PostMessageW(handle, WM_APP, 0, 0);
    }
    ~WatchingWindow() { DestroyWindow(handle); }

    static inline bool handledWhilePackageRan = false;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_APP)
            return DefWindowProcW(window, message, wParam, lParam);
        if (WindowOfOwnProcesses(kPackageWindowClass))
            handledWhilePackageRan = true;
        else
            PostMessageW(window, WM_APP, 0, 0);
        return 0;
    }

    HWND handle;
};

TEST_F(ProcessLaunch, WaitDispatchesTheMessagesOfTheSetupAndSwallowsAQuitMessage) {
    const std::wstring package = Package(L"wait=300 exit=3010");
    WatchingWindow window;
    PostQuitMessage(0);
    uint32_t exitCode = 0;
    ASSERT_TRUE(RunProgram(package, L"", SW_SHOWDEFAULT, false, lmCreateProcess, nullptr, nullptr,
                           nullptr, &exitCode));
    EXPECT_EQ(exitCode, 3010u);
    EXPECT_TRUE(WatchingWindow::handledWhilePackageRan);
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST(ShellVerb, ElevationIsAskedForFromPlatformVersionSixOn) {
    struct Case {
        TZelLaunchMode mode;
        DWORD majorVersion;
        std::wstring verb;
    };
    const Case cases[] = {
        {lmShellOpen, 5, L"open"},       {lmShellOpen, 10, L"open"},
        {lmShellElevated, 5, L"open"},   {lmShellElevated, 6, L"runas"},
        {lmShellElevated, 10, L"runas"},
    };
    for (const Case& test : cases)
        EXPECT_EQ(ShellVerb(test.mode, test.majorVersion), test.verb)
            << int{test.mode} << " on " << test.majorVersion;
}

} // namespace
