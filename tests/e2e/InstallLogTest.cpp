// The install log of a run: where it lies, how its lines look, and that concurrent writers and
// a locked file neither mix lines nor stop the setup.
#include "ProgressProcess.h"
#include "SavedRegistryValue.h"
#include "TestSupport.h"
#include "setup/ProductKeys.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <regex>
#include <vector>

namespace {

using namespace testing_support;

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

class InstallLog : public ::testing::Test {
protected:
    // One language whose package ends at once: a normal run starts it and ends without a window.
    InstallLog() : temp(tempFolder.Path()) {
        CopyTo(ProgramFolder() + L"PagrionSetup.exe", folder / L"PagrionSetup.exe");
        CopyTo(ProgramFolder() + L"fakepackage.exe", folder / L"pkg.exe");
        WriteBytes(folder / L"PagrionSetup.dat",
                   "<language><lang code=\"en\" lcid=\"0409\" langid=\"9\">"
                   "<item name=\"title\" value=\"Setup\"/><item name=\"file\" value=\"pkg.exe\"/>"
                   "</lang></language>");
    }

    std::wstring CommandLine(const std::wstring& arguments) const {
        return L"\"" + (folder / L"PagrionSetup.exe") + L"\" " + arguments;
    }
    ChildResult Run(const std::wstring& arguments) {
        return RunAndWait(CommandLine(arguments), folder.Path());
    }
    // Runs progress processes side by side; each continues the log. Their windows are asked to
    // close as soon as they show.
    std::vector<ChildResult> RunProgressProcesses(int count) {
        std::vector<std::unique_ptr<ChildProcess>> processes;
        for (int i = 0; i < count; ++i)
            processes.push_back(
                std::make_unique<ChildProcess>(CommandLine(L"-OVWPROGRESS"), folder.Path()));
        std::vector<ChildResult> results;
        for (auto& process : processes)
            results.push_back(CloseProgressWindowsUntilEnded(*process));
        return results;
    }
    std::wstring LogPath() const { return tempFolder / L"PagrionViewer-Install.log"; }

    // The log's lines without their CR LF; fails the test when a line does not end in CR LF.
    std::vector<std::string> LogLines() const {
        std::string text = ReadBytes(LogPath());
        if (text.starts_with(kUtf8Mark))
            text.erase(0, 3);
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = text.find("\r\n", start);
            EXPECT_NE(end, std::string::npos) << "unterminated line: " << text.substr(start);
            if (end == std::string::npos)
                break;
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    ScratchFolder folder;
    ScratchFolder tempFolder;
    ScopedTempFolder temp;
};

// Process id, TAB, local time, TAB, message.
const std::regex kLine(R"(([0-9A-F]{8})\t\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\t(.*))");

TEST_F(InstallLog, RunWritesAFreshLogFromStartToEnd) {
    WriteBytes(LogPath(), "left over from an earlier setup\r\n");
    ASSERT_EQ(Run(L"-x \"a b\"").exitCode, 0u);

    const std::string bytes = ReadBytes(LogPath());
    ASSERT_TRUE(bytes.starts_with(kUtf8Mark));
    EXPECT_EQ(bytes.find(kUtf8Mark, 3), std::string::npos) << "only the first line has a mark";
    const auto lines = LogLines();
    ASSERT_GE(lines.size(), 2u);
    for (const std::string& line : lines)
        EXPECT_TRUE(std::regex_match(line, kLine)) << line;
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines.front(), match, kLine));
    EXPECT_EQ(match[2].str(), "Start Setup (" + Utf8(folder / L"PagrionSetup.exe") + " -x a b)");
    ASSERT_TRUE(std::regex_match(lines.back(), match, kLine));
    EXPECT_EQ(match[2].str(), "End Setup (ExitCode=0)");
}

// The whole log of a normal run, in order: the viewer's values at its start and end, the
// package's version and the normal mode between them. A progress process started after it
// continues the log with its own start and end only.
TEST_F(InstallLog, NormalRunLogsItsWholeRunAndAProgressProcessOnlyItsOwnLines) {
    const SavedRegistryValue appMain(HKEY_LOCAL_MACHINE, kViewerKey, L"AppMain");
    const SavedRegistryValue installLang(HKEY_LOCAL_MACHINE, kViewerKey, L"InstallLang");
    const SavedRegistryValue installed(HKEY_LOCAL_MACHINE, kViewerKey, L"Install");
    appMain.Set(L"C:\\Viewer\\PagrionViewer.exe");
    installLang.Set(L"9");
    installed.Set(L"2.5.0.16");
    ASSERT_EQ(Run(L"").exitCode, 0u);
    ASSERT_TRUE(RunProgressProcesses(1)[0].finished);

    std::vector<std::string> messages;
    for (const std::string& line : LogLines())
        messages.push_back(line.substr(line.rfind('\t') + 1));
    const std::string launcher = Utf8(folder / L"PagrionSetup.exe");
    const std::vector<std::string> viewerValues = {
        "HKLM\\Pagrion Viewer\\AppMain=\"C:\\Viewer\\PagrionViewer.exe\"",
        "HKLM\\Pagrion Viewer\\InstallLang=\"9\"",
        "HKLM\\Pagrion Viewer\\Install=\"2.5.0.16\"",
    };
    std::vector<std::string> expected = {"Start Setup (" + launcher + ")"};
    expected.insert(expected.end(), viewerValues.begin(), viewerValues.end());
    expected.insert(expected.end(), {"NewInstallVersion=\"2.5.0.17\"", "NormalMode"});
    expected.insert(expected.end(), viewerValues.begin(), viewerValues.end());
    expected.insert(expected.end(), {"End Setup (ExitCode=0)",
                                     "Start Setup (" + launcher + " -OVWPROGRESS)",
                                     "End Setup (ExitCode=0)"});
    EXPECT_EQ(messages, expected);
}

TEST_F(InstallLog, ConcurrentWritersNeverMixLines) {
    constexpr int kWriters = 8;
    for (const ChildResult& result : RunProgressProcesses(kWriters))
        ASSERT_TRUE(result.finished);

    const auto lines = LogLines();
    EXPECT_EQ(lines.size(), 2u * kWriters);
    std::map<std::string, int> linesPerProcess;
    for (const std::string& line : lines) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, kLine)) << line;
        ++linesPerProcess[match[1].str()];
    }
    EXPECT_EQ(linesPerProcess.size(), static_cast<size_t>(kWriters));
    for (const auto& [id, count] : linesPerProcess)
        EXPECT_EQ(count, 2) << id;
}

TEST_F(InstallLog, LineIsLostWhenTheLogStaysLockedAndTheRunGoesOn) {
    HANDLE lock = CreateFileW(LogPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    // Released later than the writer's five seconds of retries for its first line.
    BackgroundTask release([lock] {
        Sleep(6500);
        CloseHandle(lock);
    });
    const ChildResult result = RunProgressProcesses(1)[0];
    release.Join();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0u);
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with("\tEnd Setup (ExitCode=0)")) << lines[0];
}

} // namespace
