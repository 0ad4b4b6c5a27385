// A second setup process ends at once with 1618 while another one holds the setup mutex, also
// when that one runs with more rights and its mutex refuses this one every access; it leaves the
// running one's install log alone. The progress process does not care about the mutex.
#include "OwnProcesses.h"
#include "ProgressProcess.h"
#include "TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using namespace testing_support;

// The first setup's mutex as the second process meets it: open to it, or refusing it every
// access, as the mutex of an elevated setup does to a process without elevation.
using FirstSetup = HeldMutex::Access;

class SingleInstance : public ::testing::TestWithParam<FirstSetup> {
protected:
    SingleInstance() : temp(tempFolder.Path()) {
        CopyTo(ProgramFolder() + L"PagrionSetup.exe", folder / L"PagrionSetup.exe");
    }
    std::wstring CommandLine(const std::wstring& arguments) const {
        return L"\"" + (folder / L"PagrionSetup.exe") + L"\" " + arguments;
    }

    ScratchFolder folder;
    ScratchFolder tempFolder;
    ScopedTempFolder temp;
    // Declared last: the processes end before their folders are removed.
    OwnProcessesEnder processes;
};

TEST_P(SingleInstance, SecondSetupProcessEndsWith1618AndLeavesTheLogAlone) {
    const HeldMutex first(L"OrnOVISetup000", GetParam());
    ASSERT_TRUE(first.Held());
    const std::wstring log = tempFolder / L"PagrionViewer-Install.log";
    const std::string runningLog = "\xEF\xBB\xBF"
                                   "00000010\t2026-01-01 10:00:00\tStart Setup ()\r\n";
    for (const wchar_t* arguments : {L"", L"-SET"}) {
        WriteBytes(log, runningLog);
        const ChildResult result = RunAndWait(CommandLine(arguments), folder.Path());
        ASSERT_TRUE(result.finished) << Utf8(arguments);
        EXPECT_EQ(result.exitCode, 1618u) << Utf8(arguments);
        EXPECT_EQ(ReadBytes(log), runningLog) << Utf8(arguments);
    }
}

TEST_P(SingleInstance, ProgressProcessIgnoresTheMutex) {
    const HeldMutex first(L"OrnOVISetup000", GetParam());
    ASSERT_TRUE(first.Held());
    ChildProcess progress(CommandLine(L"-OVWPROGRESS"), folder.Path());
    const ChildResult result = CloseProgressWindowUntilEnded(progress);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(FirstSetup, SingleInstance,
                         ::testing::Values(HeldMutex::OpenToAll, HeldMutex::RefusingAll),
                         [](const auto& info) {
                             return info.param == HeldMutex::OpenToAll ? "SameRights" : "Elevated";
                         });

} // namespace
