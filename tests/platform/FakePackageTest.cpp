// The installer package stand-in that the launcher's tests start: it records every start and
// ends as its behaviour file or its own name tells.
#include "OwnProcesses.h"
#include "TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using namespace testing_support;

class FakePackage : public ::testing::Test {
protected:
    // A copy of the stand-in named name + ".exe" in the scratch folder.
    std::wstring Install(const std::wstring& name) {
        const std::wstring path = folder / (name + L".exe");
        CopyTo(ProgramFolder() + L"fakepackage.exe", path);
        return path;
    }
    std::wstring Started(const std::wstring& name) {
        return FromUtf8(ReadBytes(folder / (name + L".started.txt")));
    }

    ScratchFolder folder;
};

// The three lines that one start appends.
std::wstring Record(const std::wstring& commandLine, const std::wstring& arguments,
                    std::wstring folder) {
    folder.pop_back(); // the working folder is recorded without trailing backslash
    return L"commandline=" + commandLine + L"\r\narguments=" + arguments + L"\r\nfolder=" + folder +
           L"\r\n";
}

TEST_F(FakePackage, RecordsEveryStartInUtf8) {
    const std::wstring name = L"setup \u00FC\u65E5";
    const std::wstring program = L"\"" + Install(name) + L"\"";
    ScratchFolder work;
    ASSERT_TRUE(RunAndWait(program + L"  /S /v/qn", work.Path()).finished);
    ASSERT_TRUE(RunAndWait(program, folder.Path()).finished);
    EXPECT_EQ(Started(name), Record(program + L"  /S /v/qn", L"/S /v/qn", work.Path()) +
                                 Record(program, L"", folder.Path()));
}

TEST_F(FakePackage, EndsAsTold) {
    struct Case {
        std::wstring name;
        std::string behaviour; // empty: no behaviour file
        uint32_t exitCode;
    };
    const Case cases[] = {
        {L"plain", "", 0},
        {L"pkg_exit=1603", "", 1603},
        {L"pkg_exit=1603_told", "exit=3010\r\n", 3010},
        {L"waiting", "wait=50; exit=4294967295", 0xFFFFFFFFu},
        {L"crashing", "crash", 0xC0000005u},
    };
    for (const Case& c : cases) {
        const std::wstring program = Install(c.name);
        if (!c.behaviour.empty())
            WriteBytes(folder / (c.name + L".behaviour"), c.behaviour);
        const ChildResult result = RunAndWait(L"\"" + program + L"\"", L"", 20000);
        ASSERT_TRUE(result.finished) << c.name;
        EXPECT_EQ(result.exitCode, c.exitCode) << c.name;
        EXPECT_FALSE(Started(c.name).empty()) << c.name;
    }
}

TEST_F(FakePackage, WaitingShowsAWindowThatEndsItWhenClosed) {
    ChildProcess package(L"\"" + Install(L"pkg_wait=60000_exit=7") + L"\"");
    ASSERT_TRUE(package.Started());
    EXPECT_TRUE(package.InputIdle(10000));
    // Under Wine a program counts as idle before its first window exists: the window is waited for.
    const HWND window =
        AwaitWindow([&] { return WindowOfProcess(package.Id(), L"PagrionFakePackage"); });
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    const ChildResult result = package.Wait(10000);
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 7u);
}

} // namespace
