// Silent runs in hostile surroundings: each ends with its exit code, leaves its results in the
// temporary key and leaves nothing half-done.
#include "ProgressProcess.h"
#include "SilentRunFixture.h"
#include "SilentRunLockedKey.h"

#include <windows.h>

namespace {

using namespace testing_support;

class SilentFaults : public SilentRunFixture {};

TEST_F(SilentFaults, MissingTemporaryFolderCostsOnlyTheLog) {
    ScopedTempFolder missing(tempFolder / L"no such folder\\");
    const engtool::SilentOutcome outcome = Run(Parameters());
    ASSERT_TRUE(outcome.Finished) << "a run without its log folder must not wait on every line";
    EXPECT_EQ(outcome.ExitCode, 0u);
    EXPECT_EQ(outcome.Error, std::optional<std::wstring>(L"0"));
    EXPECT_EQ(outcome.Install, std::optional<std::wstring>(L"0"));
    EXPECT_FALSE(PackageStarts(L"en").empty());
    EXPECT_EQ(ConverterStarts().size(), 2u);
}

TEST_F(SilentFaults, ProgressWindowThatNeverAppearsCostsOnlyTheSearchForIt) {
    engtool::PrepareSilentRun(Parameters());
    const RunWithoutProgressWindow run = RunEndingProgressProcessesAtStart(LauncherPath(), L"/SET");
    ASSERT_EQ(run.endedCopies, 1) << "the progress process was started once";
    const engtool::SilentOutcome outcome = engtool::OutcomeOf(run.launcher);
    ASSERT_TRUE(outcome.Finished);
    EXPECT_EQ(outcome.ExitCode, 0u);
    EXPECT_EQ(outcome.Error, std::optional<std::wstring>(L"0"));
    EXPECT_EQ(outcome.Install, std::optional<std::wstring>(L"0"));
    const auto converter = ConverterStarts();
    ASSERT_EQ(converter.size(), 2u);
    EXPECT_NE(converter[1].find("\"-h:0\""), std::string::npos)
        << "no window to report to: " << converter[1];
    EXPECT_TRUE(LogHas("HideProgressDialog"));
}

TEST_F(SilentFaults, ReadOnlyTemporaryKeyCostsOnlyTheResultValues) {
    engtool::PrepareSilentRun(Parameters());
    engtool::SilentOutcome outcome;
    {
        const ReadOnlyKey locked(HKEY_LOCAL_MACHINE, kSilentKey);
        ASSERT_TRUE(locked.Applied());
        outcome = engtool::RunPreparedSetup(LauncherPath());
    }
    ASSERT_TRUE(outcome.Finished);
    // The parameters could be read, the package ran and the manuals were registered; the exit
    // code alone carries the result, as the key took none of the values.
    EXPECT_EQ(outcome.ExitCode, 0u);
    EXPECT_EQ(outcome.Error, std::nullopt);
    EXPECT_EQ(outcome.Reboot, std::nullopt);
    EXPECT_EQ(outcome.Install, std::nullopt);
    EXPECT_FALSE(PackageStarts(L"en").empty());
    EXPECT_EQ(ConverterStarts().size(), 2u);
    EXPECT_TRUE(LogHas("HKLM\\Pagrion ViewerTMP\\Install=\"0\"")) << "the log still tells";
}

TEST_F(SilentFaults, CrashingPackagePassesItsCodeOnWithoutRegistration) {
    SetPackageBehaviour(L"en", "crash");
    const engtool::SilentOutcome outcome = Run(Parameters());
    ASSERT_TRUE(outcome.Finished);
    EXPECT_EQ(outcome.ExitCode, 0xC0000005u);
    EXPECT_EQ(outcome.Error, std::optional<std::wstring>(L"3221225477"));
    EXPECT_EQ(outcome.Reboot, std::optional<std::wstring>(L"0"));
    EXPECT_EQ(outcome.Install, std::optional<std::wstring>(L"0"));
    EXPECT_TRUE(ConverterStarts().empty());
}

TEST_F(SilentFaults, HungConverterDoesNotHangTheSetup) {
    // A converter that never looks at its messages is never ready for input.
    const std::wstring converter = viewerFolder / L"lxdbconv.exe";
    CopyTo(ProgramFolder() + L"fakepackage.exe", converter);
    WriteBytes(viewerFolder / L"lxdbconv.behaviour", "busy=22000");

    const engtool::SilentOutcome outcome = Run(Parameters());
    ASSERT_TRUE(outcome.Finished);
    EXPECT_EQ(outcome.ExitCode, 0u);
    EXPECT_EQ(outcome.Error, std::optional<std::wstring>(L"0"));
    const std::string starts = ReadBytes(viewerFolder / L"lxdbconv.started.txt");
    EXPECT_NE(starts.find("-m:create"), std::string::npos) << starts;
    EXPECT_NE(starts.find("-m:regsubp"), std::string::npos) << starts;
}

TEST_F(SilentFaults, SecondSetupLeavesTheRunningOnesKeyAndLogAlone) {
    const std::wstring log = tempFolder / L"PagrionViewer-Install.log";
    WriteBytes(log, "the running setup's line\r\n");
    engtool::SilentOutcome outcome;
    {
        const HeldMutex running(L"OrnOVISetup000", HeldMutex::OpenToAll);
        ASSERT_TRUE(running.Held());
        outcome = Run(Parameters());
    }

    ASSERT_TRUE(outcome.Finished);
    EXPECT_EQ(outcome.ExitCode, 1618u);
    EXPECT_EQ(outcome.Error, std::nullopt);
    EXPECT_EQ(outcome.Reboot, std::nullopt);
    EXPECT_EQ(outcome.Install, std::nullopt);
    EXPECT_TRUE(ReadBytes(log).starts_with("the running setup's line\r\n"));
    EXPECT_TRUE(PackageStarts(L"en").empty());
}

} // namespace
