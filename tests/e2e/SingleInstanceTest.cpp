// A second setup process ends at once with 1618 while another one holds the setup mutex; the
// progress process does not care about the mutex.
#include "ProgressProcess.h"
#include "TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using namespace testing_support;

class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override {
        CopyTo(ProgramFolder() + L"PagrionSetup.exe", folder / L"PagrionSetup.exe");
        // Stand in for a first setup process by holding its mutex.
        mutex = CreateMutexW(nullptr, TRUE, L"OrnOVISetup000");
        ASSERT_NE(mutex, nullptr);
    }
    void TearDown() override {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    ChildResult Run(const std::wstring& arguments) {
        return RunAndWait(L"\"" + (folder / L"PagrionSetup.exe") + L"\" " + arguments,
                          folder.Path());
    }

    ScratchFolder folder;
    HANDLE mutex = nullptr;
};

TEST_F(SingleInstance, SecondSetupProcessEndsWith1618) {
    for (const wchar_t* arguments : {L"", L"-SET"}) {
        const ChildResult result = Run(arguments);
        ASSERT_TRUE(result.finished) << arguments;
        EXPECT_EQ(result.exitCode, 1618u) << arguments;
    }
}

TEST_F(SingleInstance, ProgressProcessIgnoresTheMutex) {
    ChildProcess progress(L"\"" + (folder / L"PagrionSetup.exe") + L"\" -OVWPROGRESS",
                          folder.Path());
    const ChildResult result = CloseProgressWindowsUntilEnded(progress);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0u);
}

} // namespace
