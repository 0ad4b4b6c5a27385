// Silent runs in hostile surroundings: each ends with its exit code, leaves its results in the
// temporary key and leaves nothing half-done.
#include "SilentRunFixture.h"
#include "platform/Registry.h"

#include <windows.h>

#include <sddl.h>
#include <tlhelp32.h>

#include <atomic>
#include <map>
#include <vector>

namespace {

using namespace testing_support;

class SilentFaults : public SilentRunFixture {};

// A key of the launcher's registry view that everyone may read but nobody may change, as a
// locked-down machine could leave it; its own access list is put back at the end of the scope.
class ReadOnlyKey {
public:
    ReadOnlyKey(HKEY root, const wchar_t* subKey) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, subKey, 0, READ_CONTROL | WRITE_DAC | RegistryView, &key) !=
            ERROR_SUCCESS)
            return;
        key_ = RegKey(key);
        DWORD size = 0;
        RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
        saved_.resize(size);
        if (size == 0 || RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, saved_.data(), &size) !=
                             ERROR_SUCCESS)
            return;
        PSECURITY_DESCRIPTOR readOnly = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
                L"D:P(A;OICI;KR;;;WD)", SDDL_REVISION_1, &readOnly, nullptr))
            return;
        applied_ = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly) == ERROR_SUCCESS;
        LocalFree(readOnly);
    }
    ~ReadOnlyKey() {
        if (applied_)
            RegSetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, saved_.data());
    }
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

    bool Applied() const { return applied_; }

private:
    RegKey key_;
    std::vector<BYTE> saved_;
    bool applied_ = false;
};

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

// Ends every copy of the launcher that a launcher started, its progress process, and returns how
// many it ended. A copy is ended long before its window could appear: its start takes a while.
int StopProgressProcesses() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    std::map<DWORD, PROCESSENTRY32W> processes;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        processes[entry.th32ProcessID] = entry;
    CloseHandle(snapshot);
    const auto isLauncher = [](const PROCESSENTRY32W& process) {
        return _wcsicmp(process.szExeFile, L"PagrionSetup.exe") == 0;
    };
    int stopped = 0;
    for (const auto& [id, process] : processes) {
        const auto parent = processes.find(process.th32ParentProcessID);
        if (!isLauncher(process) || parent == processes.end() || !isLauncher(parent->second))
            continue;
        if (const HANDLE handle = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
            stopped += TerminateProcess(handle, 1) ? 1 : 0;
            CloseHandle(handle);
        }
    }
    return stopped;
}

TEST_F(SilentFaults, ProgressWindowThatNeverAppearsCostsOnlyTheSearchForIt) {
    std::atomic<bool> finished{false};
    engtool::SilentOutcome outcome;
    int stopped = 0;
    {
        BackgroundTask run([&] {
            outcome = Run(Parameters());
            finished = true;
        });
        while (!finished) {
            stopped += StopProgressProcesses();
            Sleep(1);
        }
    }
    ASSERT_EQ(stopped, 1) << "the progress process was started once";
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
        outcome = engtool::RunPreparedSetup(setupFolder / L"PagrionSetup.exe");
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
    // Let the hung converters end before the folder is cleaned up.
    for (int i = 0; i < 300 && !DeleteFileW(converter.c_str()); ++i)
        Sleep(100);
}

TEST_F(SilentFaults, SecondSetupLeavesTheRunningOnesKeyAndLogAlone) {
    const std::wstring log = tempFolder / L"PagrionViewer-Install.log";
    WriteBytes(log, "the running setup's line\r\n");
    HANDLE mutex = CreateMutexW(nullptr, TRUE, L"OrnOVISetup000");
    ASSERT_NE(mutex, nullptr);
    const engtool::SilentOutcome outcome = Run(Parameters());
    ReleaseMutex(mutex);
    CloseHandle(mutex);

    ASSERT_TRUE(outcome.Finished);
    EXPECT_EQ(outcome.ExitCode, 1618u);
    EXPECT_EQ(outcome.Error, std::nullopt);
    EXPECT_EQ(outcome.Reboot, std::nullopt);
    EXPECT_EQ(outcome.Install, std::nullopt);
    EXPECT_TRUE(ReadBytes(log).starts_with("the running setup's line\r\n"));
    EXPECT_TRUE(PackageStarts(L"en").empty());
}

} // namespace
