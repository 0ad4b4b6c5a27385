// Silent runs end to end, as the engineering tool sees them: exit code, result values, the files
// left behind, the package's and the converter's starts, and the install log.
#include "SilentRunFixture.h"

#include "setup/ornLxSetup.h"

#include <windows.h>

namespace {

using namespace testing_support;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class SilentRun : public SilentRunFixture {
protected:
    // The log's messages, a line each, for the report of a failed run.
    std::string LogText() const {
        std::string text;
        for (const LogLine& line : Log())
            text += line.processId + " " + line.message + "\n";
        return text;
    }

    void ExpectResults(const engtool::SilentOutcome& outcome, uint32_t exitCode,
                       const wchar_t* error, const wchar_t* reboot) {
        ASSERT_TRUE(outcome.Finished)
            << "the unattended caller waits for ever (a message box waits for a user it lacks)";
        EXPECT_EQ(outcome.ExitCode, exitCode) << "the install log:\n" << LogText();
        EXPECT_EQ(outcome.Error, std::optional<std::wstring>(error));
        EXPECT_EQ(outcome.Reboot, std::optional<std::wstring>(reboot));
        EXPECT_EQ(outcome.Install, std::optional<std::wstring>(L"0"));
    }
};

TEST_F(SilentRun, NewerOrFirstInstallRunsThePackageAndRegistersTheManuals) {
    for (const wchar_t* installed : {L"", L"2.5.0.16"}) {
        SCOPED_TRACE(Utf8(installed));
        installedVersion.Set(installed);
        DeleteFileW((setupFolder / L"pkg_ja.started.txt").c_str());
        DeleteFileW((viewerFolder / L"lxdbconv.exe.started.txt").c_str());

        ExpectResults(Run(Parameters(L"JA")), 0, L"0", L"0");

        const std::string starts = PackageStarts(L"ja");
        EXPECT_TRUE(Contains(starts, "arguments=/S /v/qn\r\n")) << starts;
        EXPECT_TRUE(PackageStarts(L"en").empty());
        const auto converter = ConverterStarts();
        ASSERT_EQ(converter.size(), 2u);
        EXPECT_EQ(converter[0], "\"-m:create\"");
        EXPECT_TRUE(converter[1].starts_with("\"-m:regsubp\" \"-h:")) << converter[1];
        EXPECT_EQ(converter[1].find("\"-h:0\""), std::string::npos)
            << "the progress window reports";
        EXPECT_TRUE(converter[1].ends_with("\" \"-e:" + Utf8(installFolder / L"Contents\\") + "\""))
            << converter[1];
        EXPECT_FALSE(Exists(GetWorkFolder() + L"silent.txt"));
    }
}

TEST_F(SilentRun, SilentFileNamesTheInstallFolderWhileThePackageRuns) {
    SetPackageBehaviour(L"en", "wait=20000");
    engtool::SilentOutcome outcome;
    BackgroundTask run([this, &outcome] { outcome = Run(Parameters()); });
    const HWND package = AwaitWindow([] { return WindowOfOwnProcesses(L"PagrionFakePackage"); });
    ASSERT_NE(package, nullptr) << "the package never showed its window";
    const std::string silentFile = ReadBytes(GetWorkFolder() + L"silent.txt");
    PostMessageW(package, WM_CLOSE, 0, 0);
    run.Join();
    ExpectResults(outcome, 0, L"0", L"0");

    EXPECT_EQ(silentFile, "\xEF\xBB\xBF" + Utf8(installFolder / L"Viewer\\Pagrion Viewer"));
    EXPECT_FALSE(Exists(GetWorkFolder() + L"silent.txt"));
}

TEST_F(SilentRun, SameOlderOrOtherMajorVersionSkipsThePackageButRegistersTheManuals) {
    // The package is 2.5.0.17.
    for (const wchar_t* installed : {L"2.5.0.17", L"2.5.0.18", L"3.0.0.0", L"1.9.0.0"}) {
        SCOPED_TRACE(Utf8(installed));
        installedVersion.Set(installed);
        DeleteFileW((viewerFolder / L"lxdbconv.exe.started.txt").c_str());
        ExpectResults(Run(Parameters()), 0, L"0", L"0");
        EXPECT_TRUE(PackageStarts(L"en").empty());
        EXPECT_EQ(ConverterStarts().size(), 2u);
    }
}

TEST_F(SilentRun, PackageWhoseVersionCannotBeReadRunsAndDecidesItself) {
    CopyTo(ProgramFolder() + L"fakepackage_noversion.exe", PackagePath(L"en"));
    SetPackageBehaviour(L"en", "exit=1603");
    for (const wchar_t* installed : {L"3.0.0.0", L"2.5.0.17"}) {
        SCOPED_TRACE(Utf8(installed));
        installedVersion.Set(installed);
        DeleteFileW((setupFolder / L"pkg_en.started.txt").c_str());
        ExpectResults(Run(Parameters()), 1603, L"1603", L"0");
        EXPECT_TRUE(Contains(PackageStarts(L"en"), "arguments=/S /v/qn\r\n"));
        EXPECT_TRUE(LogHas("NewInstallVersion=\"\""));
        EXPECT_TRUE(LogHas("NewInstallVersion unreadable: the package runs and decides itself"));
    }
}

TEST_F(SilentRun, RebootCodeIsPassedOnWithoutRegistration) {
    SetPackageBehaviour(L"en", "exit=3010");
    ExpectResults(Run(Parameters()), 3010, L"3010", L"1");
    EXPECT_FALSE(PackageStarts(L"en").empty());
    EXPECT_TRUE(ConverterStarts().empty());
}

TEST_F(SilentRun, MissingInstallPathEndsWithThree) {
    engtool::SilentParameters parameters = Parameters();
    parameters.InstallPath.reset();
    ExpectResults(Run(parameters), 3, L"3", L"0");
    EXPECT_TRUE(LogHas("EngTool Setup Error ExitCode=3"));
    EXPECT_TRUE(PackageStarts(L"en").empty());
}

TEST_F(SilentRun, PackageThatCannotStartEndsWithFour) {
    WriteBytes(PackagePath(L"en"), "this is no program");
    ExpectResults(Run(Parameters()), 4, L"4", L"0");
    EXPECT_TRUE(LogHas("InstallShield Setup Error ExitCode=0"));
    EXPECT_TRUE(ConverterStarts().empty());
}

TEST_F(SilentRun, NoUsableLanguageEndsWithOneWithoutAMessageBox) {
    for (const wchar_t* language : {L"en", L"ja"})
        ASSERT_TRUE(DeleteFileW(PackagePath(language).c_str()));
    ExpectResults(Run(Parameters()), 1, L"1", L"0");
    EXPECT_TRUE(LogHas("End Setup (ExitCode=1)"));
}

TEST_F(SilentRun, PackageGoneAfterTheLanguageChoiceEndsWithTwoWithoutAMessageBox) {
    // The package vanishes once the launcher has chosen its language: named as the work folder's
    // "silent.txt", it is removed by the run itself, which clears that file before it reads its
    // parameters (and, given an empty install folder, writes none).
    const std::wstring package = GetWorkFolder() + L"silent.txt";
    WriteWorkFile(L"silent.txt", L"stands for the package");
    ASSERT_TRUE(Exists(package));
    WriteBytes(setupFolder / L"PagrionSetup.dat",
               "<language><lang code=\"en\" lcid=\"0409\" langid=\"9\">"
               "<item name=\"title\" value=\"Setup\"/><item name=\"file\" value=\"" +
                   Utf8(package) + "\"/></lang></language>");
    engtool::SilentParameters parameters = Parameters();
    parameters.InstallPath = L"";

    ExpectResults(Run(parameters), 2, L"2", L"0");
    EXPECT_FALSE(Exists(package));
    EXPECT_TRUE(LogHas("End Setup (ExitCode=2)"));
}

TEST_F(SilentRun, NoViewerProgramMeansNoRegistrationAndSuccess) {
    for (const std::wstring& viewer : {std::wstring(), viewerFolder / L"NoSuchViewer.exe"}) {
        appMain.Set(viewer);
        ExpectResults(Run(Parameters()), 0, L"0", L"0");
        EXPECT_TRUE(ConverterStarts().empty());
    }
}

TEST_F(SilentRun, ViewerOfTheUserIsFoundWhenTheMachineNamesNone) {
    userAppMain.Set(viewerFolder / L"PagrionViewer.exe");
    for (const bool machineValuePresent : {false, true}) {
        SCOPED_TRACE(machineValuePresent ? "machine value empty" : "machine value missing");
        if (machineValuePresent)
            appMain.SetEmpty();
        else
            appMain.Set(L"");
        ASSERT_EQ(appMain.Current(),
                  machineValuePresent ? std::optional<std::wstring>(L"") : std::nullopt);
        DeleteFileW((viewerFolder / L"lxdbconv.exe.started.txt").c_str());
        ExpectResults(Run(Parameters()), 0, L"0", L"0");
        EXPECT_EQ(ConverterStarts().size(), 2u);
    }
}

TEST_F(SilentRun, ConverterThatCannotStartEndsWithFiveAfterOneRetry) {
    WriteBytes(viewerFolder / L"lxdbconv.exe", "this is no program");
    ExpectResults(Run(Parameters()), 5, L"5", L"0");
    const std::string manual =
        "lxdbconv.exe \"-m:regpath\" \"-e:" + Utf8(installFolder / L"Contents\\") + "\"";
    EXPECT_TRUE(LogHas("IncludeManual=" + Utf8(viewerFolder.Path()) + manual));
    EXPECT_TRUE(LogHas("Retry IncludeManual=" + Utf8(viewerFolder.Path()) + manual));
}

TEST_F(SilentRun, LogShowsTheRunInOrderWithTheProgressProcessApart) {
    ASSERT_EQ(Run(Parameters()).ExitCode, 0u);
    // The progress process writes its end line once its window has closed, which may be a
    // moment after the setup process has ended.
    auto log = Log();
    for (int i = 0; i < 500 && (log.empty() || log.back().processId == log.front().processId);
         ++i) {
        Sleep(10);
        log = Log();
    }
    ASSERT_FALSE(log.empty());
    const std::string setupId = log.front().processId;
    std::vector<std::string> setupLines, otherLines;
    for (const LogLine& line : log)
        (line.processId == setupId ? setupLines : otherLines).push_back(line.message);

    const std::string viewer = Utf8(viewerFolder / L"PagrionViewer.exe");
    const std::string package = Utf8(PackagePath(L"en"));
    const std::vector<std::string> expected = {
        "Start Setup (" + Utf8(LauncherPath()) + " /SET)",
        "HKLM\\Pagrion Viewer\\AppMain=\"" + viewer + "\"",
        "HKLM\\Pagrion Viewer\\InstallLang=\"\"",
        "HKLM\\Pagrion Viewer\\Install=\"\"",
        "HKLM\\Pagrion ViewerTMP\\Error=\"0\"",
        "HKLM\\Pagrion ViewerTMP\\Reboot=\"0\"",
        "HKLM\\Pagrion ViewerTMP\\Install=\"1\"",
        "HKLM\\Pagrion ViewerTMP\\Language=\"en\"",
        "HKLM\\Pagrion ViewerTMP\\InstallPath=\"" + Utf8(installFolder / L"Viewer") + "\"",
        "HKLM\\Pagrion ViewerTMP\\ContentsPath=\"" + Utf8(installFolder / L"Contents") + "\"",
        "NewInstallVersion=\"2.5.0.17\"",
        "ShowProgressDialog",
        "Start InstallShiled Setup (Admin)=" + package + " /S /v/qn",
        "InstallShield Setup Success ExitCode=0",
        "Start Include Manuals",
        "HKLM\\Pagrion Viewer\\AppMain=\"" + viewer + "\"",
        "IncludeManual=" + Utf8(viewerFolder.Path()) +
            "lxdbconv.exe \"-m:regpath\" \"-e:" + Utf8(installFolder / L"Contents\\") + "\"",
        "HideProgressDialog",
        "HKLM\\Pagrion ViewerTMP\\Install=\"0\"",
        "HKLM\\Pagrion Viewer\\AppMain=\"" + viewer + "\"",
        "HKLM\\Pagrion Viewer\\InstallLang=\"\"",
        "HKLM\\Pagrion Viewer\\Install=\"\"",
        "End Setup (ExitCode=0)",
    };
    EXPECT_EQ(setupLines, expected);
    ASSERT_EQ(otherLines.size(), 2u) << "the progress process writes its own start and end";
    EXPECT_EQ(otherLines[0], "Start Setup (" + Utf8(LauncherPath()) + " -LANG:en -OVWPROGRESS)");
    EXPECT_EQ(otherLines[1], "End Setup (ExitCode=0)");
}

TEST_F(SilentRun, OverlongPackagePathIsStartedFromACopy) {
    // Folders beside the launcher that make the package's path longer than 250 characters.
    // The scratch folder's length varies with the test program's process id: the folders are
    // added until the whole path is long enough, whatever the folder's own length.
    const std::wstring fileName = L"pkg_en.exe";
    std::wstring relative;
    while ((setupFolder.Path() + relative + fileName).size() <= 250) {
        relative += L"deeper-folder-name\\";
        ASSERT_TRUE(
            CreateDirectoryW((L"\\\\?\\" + setupFolder.Path() + relative).c_str(), nullptr));
    }
    relative += fileName;
    ASSERT_GT((setupFolder.Path() + relative).size(), 250u);
    ASSERT_TRUE(CopyFileW((ProgramFolder() + L"fakepackage.exe").c_str(),
                          (L"\\\\?\\" + setupFolder.Path() + relative).c_str(), FALSE));
    std::string definition = ReadBytes(setupFolder / L"PagrionSetup.dat");
    definition.replace(definition.find("pkg_en.exe"), 10, Utf8(relative));
    WriteBytes(setupFolder / L"PagrionSetup.dat", definition);

    ExpectResults(Run(Parameters()), 0, L"0", L"0");
    const std::wstring copyFolder = tempFolder / L"oviview\\";
    const std::string starts = ReadBytes(copyFolder + L"pkg_en.started.txt");
    EXPECT_TRUE(Contains(starts, "arguments=/S /v/qn\r\n")) << starts;
    EXPECT_TRUE(Exists(copyFolder + L"pkg_en.exe")) << "the copy stays after the run";
    EXPECT_EQ(EveryoneWriteGrant(copyFolder + L"pkg_en.exe"), std::nullopt)
        << "another account could replace the program before it runs with full rights";
}

} // namespace
