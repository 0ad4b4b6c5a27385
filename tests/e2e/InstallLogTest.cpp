// The install log of a run: where it lies, how its lines look, and that concurrent writers and
// a locked file neither mix lines nor stop the setup.
#include "ExclusiveHold.h"
#include "OwnProcesses.h"
#include "ProgressProcess.h"
#include "SavedRegistryValue.h"
#include "TestSupport.h"
#include "setup/SharedNames.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <ostream>
#include <regex>
#include <set>
#include <vector>

namespace {

using namespace testing_support;

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

// Process id, TAB, local time, TAB, message.
const std::regex kLine(R"(([0-9A-F]{8})\t\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\t(.*))");

struct LogLine {
    std::string processId;
    std::string message;
    bool operator==(const LogLine&) const = default;
};

std::ostream& operator<<(std::ostream& out, const LogLine& line) {
    return out << line.processId << " " << line.message;
}

// The process id as the log writes it: eight upper-case hexadecimal digits.
std::string IdField(DWORD processId) {
    char text[16];
    std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(processId));
    return text;
}

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
        appMain.Set(L"C:\\Viewer\\PagrionViewer.exe");
        installLang.Set(L"9");
        installedVersion.Set(L"2.5.0.16");
    }

    std::wstring CommandLine(const std::wstring& arguments) const {
        return L"\"" + (folder / L"PagrionSetup.exe") + L"\" " + arguments;
    }
    std::unique_ptr<ChildProcess> Start(const std::wstring& arguments) const {
        return std::make_unique<ChildProcess>(CommandLine(arguments), folder.Path());
    }
    // Runs progress processes side by side; each continues the log. Their windows are asked to
    // close as soon as they exist. The ids of the processes, each once.
    std::set<std::string> RunProgressProcesses(int count) {
        std::vector<std::unique_ptr<ChildProcess>> processes;
        for (int i = 0; i < count; ++i)
            processes.push_back(Start(L"-OVWPROGRESS"));
        std::set<std::string> ids;
        for (auto& process : processes) {
            EXPECT_TRUE(CloseProgressWindowUntilEnded(*process).finished);
            ids.insert(IdField(process->Id()));
        }
        return ids;
    }
    std::wstring LogPath() const { return tempFolder / L"PagrionViewer-Install.log"; }

    // The log's lines; fails the test when a line is not terminated by CR LF or does not have
    // the form of a log line.
    std::vector<LogLine> Log() const {
        std::string text = ReadBytes(LogPath());
        if (text.starts_with(kUtf8Mark))
            text.erase(0, 3);
        EXPECT_TRUE(text.ends_with("\r\n")) << "unterminated last line: " << text;
        std::vector<LogLine> lines;
        for (const std::string& line : SplitLines(text)) {
            std::smatch match;
            EXPECT_TRUE(std::regex_match(line, match, kLine)) << line;
            lines.push_back({match[1].str(), match[2].str()});
        }
        return lines;
    }
    // The log of a normal run with these arguments by the process of that id.
    std::vector<LogLine> NormalRunLog(const std::string& arguments, DWORD processId) const {
        const std::vector<std::string> viewerValues = {
            "HKLM\\Pagrion Viewer\\AppMain=\"C:\\Viewer\\PagrionViewer.exe\"",
            "HKLM\\Pagrion Viewer\\InstallLang=\"9\"",
            "HKLM\\Pagrion Viewer\\Install=\"2.5.0.16\"",
        };
        std::vector<std::string> messages = {"Start Setup (" + Utf8(folder / L"PagrionSetup.exe") +
                                             arguments + ")"};
        messages.insert(messages.end(), viewerValues.begin(), viewerValues.end());
        messages.push_back("NewInstallVersion=\"2.5.0.17\"");
        messages.push_back("NormalMode");
        messages.insert(messages.end(), viewerValues.begin(), viewerValues.end());
        messages.push_back("End Setup (ExitCode=0)");
        std::vector<LogLine> lines;
        for (const std::string& message : messages)
            lines.push_back({IdField(processId), message});
        return lines;
    }

    ScratchFolder folder;
    ScratchFolder tempFolder;
    ScopedTempFolder temp;
    SavedRegistryValue appMain{HKEY_LOCAL_MACHINE, kViewerKey, L"AppMain"};
    SavedRegistryValue installLang{HKEY_LOCAL_MACHINE, kViewerKey, L"InstallLang"};
    SavedRegistryValue installedVersion{HKEY_LOCAL_MACHINE, kViewerKey, L"Install"};
    // Declared last: the processes end before their folders are removed.
    OwnProcessesEnder processes;
};

TEST_F(InstallLog, NormalRunWritesAFreshLogFromStartToEndUnderItsProcessId) {
    WriteBytes(LogPath(), "left over from an earlier setup\r\n");
    const auto setup = Start(L"-x \"a b\"");
    ASSERT_EQ(setup->Wait().exitCode, 0u);

    const std::string bytes = ReadBytes(LogPath());
    ASSERT_TRUE(bytes.starts_with(kUtf8Mark));
    EXPECT_EQ(bytes.find(kUtf8Mark, 3), std::string::npos) << "only the first line has a mark";
    EXPECT_EQ(Log(), NormalRunLog(" -x a b", setup->Id()));
}

TEST_F(InstallLog, ProgressProcessContinuesTheLogWithItsOwnStartAndEndOnly) {
    const auto setup = Start(L"");
    ASSERT_EQ(setup->Wait().exitCode, 0u);
    const std::set<std::string> progressId = RunProgressProcesses(1);

    std::vector<LogLine> expected = NormalRunLog("", setup->Id());
    expected.push_back({*progressId.begin(),
                        "Start Setup (" + Utf8(folder / L"PagrionSetup.exe") + " -OVWPROGRESS)"});
    expected.push_back({*progressId.begin(), "End Setup (ExitCode=0)"});
    EXPECT_EQ(Log(), expected);
}

TEST_F(InstallLog, ConcurrentWritersNeverMixLines) {
    constexpr int kWriters = 8;
    const std::set<std::string> writers = RunProgressProcesses(kWriters);

    std::map<std::string, std::vector<std::string>> messagesPerProcess;
    for (const LogLine& line : Log())
        messagesPerProcess[line.processId].push_back(line.message);
    std::set<std::string> loggedIds;
    for (const auto& [id, messages] : messagesPerProcess) {
        loggedIds.insert(id);
        ASSERT_EQ(messages.size(), 2u) << id;
        EXPECT_TRUE(messages[0].starts_with("Start Setup (")) << messages[0];
        EXPECT_EQ(messages[1], "End Setup (ExitCode=0)");
    }
    EXPECT_EQ(loggedIds, writers);
}

TEST_F(InstallLog, LineIsLostWhenTheLogStaysLockedAndTheRunGoesOn) {
    ExclusiveHold lock(LogPath());
    ASSERT_TRUE(lock.Held());
    const auto progress = Start(L"-OVWPROGRESS");
    // The window shows once the first line has been given up after the writer's retries.
    ASSERT_NE(AwaitProgressWindow(*progress), nullptr);
    lock.Release();
    const ChildResult result = CloseProgressWindowUntilEnded(*progress);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0u);
    const std::vector<LogLine> expected = {{IdField(progress->Id()), "End Setup (ExitCode=0)"}};
    EXPECT_EQ(Log(), expected);
}

} // namespace
