// Normal runs end to end, as only a real run shows them: the package started, the exit code, the
// messages shown when the package is missing, cannot start or no language is usable, and the
// languages offered. How the window speaks, asks and answers keys is tested on the window itself;
// what a keyboard user meets in a real run is in the keyboard tests.
#include "ForeignWindows.h"
#include "NormalRunFixture.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

using namespace foreign_windows;
using namespace testing_support;

using NormalRun = NormalRunFixture;

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The launcher's folder as a started program sees its working folder: without the backslash.
std::string FolderLine(const ScratchFolder& folder) {
    const std::wstring& path = folder.Path();
    return "folder=" + Utf8(path.substr(0, path.size() - 1)) + "\r\n";
}

// Start and every key that presses it start the highlighted language's package, once, without
// parameters, in the launcher's folder, and the launcher ends with 0.
TEST_F(NormalRun, StartRunsTheHighlightedLanguagesPackage) {
    const std::vector<Language> languages{kEnglish, kGerman, kJapanese};
    WriteDefinition(languages);
    // The installed viewer's language is highlighted at the start.
    installLang.Set(kGerman.langid);
    struct Case {
        const char* way;
        std::vector<Key> keys;
        bool clickStart;
        const Language& started;
    };
    const Case cases[] = {
        {"click on start", {VK_DOWN}, true, kJapanese},
        // In the list, Enter presses the default button, Start.
        {"enter in the list", {VK_DOWN, VK_RETURN}, false, kJapanese},
        {"enter on start", {VK_UP, VK_TAB, VK_RETURN}, false, kEnglish},
        {"space on start", {VK_TAB, VK_SPACE}, false, kGerman},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.way);
        ForgetPackageStarts(languages);
        Start();
        const LauncherWindow w = Selection();
        ASSERT_TRUE(w.Shown());
        w.PressKeys(test.keys);
        if (test.clickStart) {
            ASSERT_TRUE(w.KeysHandled());
            PostMessageW(w.start, BM_CLICK, 0, 0);
        }

        // A question would keep it from ending: its own end shows that none was asked.
        const ChildResult result = Finish();
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 0u);
        const std::string starts = AwaitedPackageStarts(test.started);
        EXPECT_EQ(CountOf(starts, "commandline="), 1u) << starts;
        EXPECT_NE(starts.find("\r\narguments=\r\n"), std::string::npos) << starts;
        EXPECT_NE(starts.find(FolderLine(folder)), std::string::npos) << starts;
        for (const Language& other : languages) {
            if (std::wstring(other.code) != test.started.code) {
                EXPECT_EQ(PackageStarts(other), "") << Utf8(other.code);
            }
        }
    }
}

// The package is the user's from its start on: the launcher neither waits for it nor passes its
// exit code on. With one language it starts the package at once, without a window.
TEST_F(NormalRun, OneLanguageStartsItsPackageAtOnceAndEndsWithoutWaitingForIt) {
    WriteDefinition({kEnglish});
    SetPackageBehaviour(kEnglish, "wait=600000 exit=1603");
    Start();
    const ChildResult result = Finish();
    ASSERT_TRUE(result.finished) << "the launcher waited for the package";
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_NE(AwaitedPackageStarts(kEnglish).find("\r\narguments=\r\n"), std::string::npos);

    // The package still runs; closed, it ends with its own code, which the launcher never saw.
    const HWND package = AwaitedPackageWindow();
    ASSERT_NE(package, nullptr);
    DWORD packageId = 0;
    GetWindowThreadProcessId(package, &packageId);
    const HANDLE process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, packageId);
    ASSERT_NE(process, nullptr);
    PostMessageW(package, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process, 15000), WAIT_OBJECT_0);
    DWORD packageCode = 0;
    GetExitCodeProcess(process, &packageCode);
    CloseHandle(process);
    EXPECT_EQ(packageCode, 1603u);
}

TEST_F(NormalRun, UnusableLanguageDisablesStartAndEnterStartsNothing) {
    WriteDefinition({kEnglish, kUnusable});
    Start();
    const LauncherWindow w = Selection();
    ASSERT_TRUE(w.Shown());
    w.Press(VK_DOWN);
    ASSERT_TRUE(PollUntil([&] { return !IsWindowEnabled(w.start); }));
    EXPECT_EQ(TextOf(w.window), kUnusable.title);

    w.Press(VK_RETURN);
    ASSERT_TRUE(w.KeysHandled()) << "the launcher stopped answering";
    EXPECT_FALSE(launcher->Ended(0));
    EXPECT_EQ(MessageBoxNow(), nullptr);
    EXPECT_EQ(PackageStarts(kUnusable), "");
}

TEST_F(NormalRun, PackageGoneBeforeStartShowsMessage100AndEndsWithTwo) {
    WriteDefinition({kEnglish, kGerman});
    Start();
    const LauncherWindow w = Selection();
    ASSERT_TRUE(w.Shown());
    ASSERT_TRUE(DeleteFileW(PackagePath(kEnglish).c_str()));
    PostMessageW(w.start, BM_CLICK, 0, 0);

    const HWND box = AwaitedMessageBox();
    ASSERT_NE(box, nullptr);
    // The stored "\n" is a line break.
    EXPECT_EQ(MessageBoxText(box),
              L"The installer package cannot be found.\r\nPlease download the setup again.");
    EXPECT_EQ(TextOf(box), kEnglish.title);
    Answer(box, IDOK);
    EXPECT_EQ(Finish().exitCode, 2u);
}

TEST_F(NormalRun, PackageThatCannotStartShowsMessage103AndEndsWithFour) {
    WriteDefinition({kEnglish});
    WriteBytes(PackagePath(kEnglish), "this is no program");
    Start();
    const HWND box = AwaitedMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kEnglish.cannotStart);
    EXPECT_EQ(TextOf(box), kEnglish.title);
    Answer(box, IDOK);
    EXPECT_EQ(Finish().exitCode, 4u);
}

// The language the locale of this run implies, as CTest names it ("en" unless told otherwise).
std::wstring ExpectedUserLanguage() {
    wchar_t language[16] = {};
    if (!GetEnvironmentVariableW(L"PAGRION_EXPECTED_LANGUAGE", language, 16))
        return L"en";
    return language;
}

// The window lists only what can be installed here and proposes the user's language, unless
// the installed viewer's language is listed. CTest runs this test once more in other locales.
TEST_F(NormalRun, ListsTheInstallableLanguagesAndProposesTheUsersOrTheInstalledOne) {
    const std::string texts = "<item name=\"title\" value=\"T\"/>";
    CreateDirectoryW((folder / L"sub").c_str(), nullptr);
    CopyTo(ProgramFolder() + L"fakepackage.exe", folder / L"sub\\pkg_ja.exe");
    CopyTo(ProgramFolder() + L"fakepackage.exe", folder / L"pkg_en.exe");
    auto lang = [&](const std::string& code, const std::string& lcid, const std::string& langid,
                    const std::string& items) {
        return "<lang code=\"" + code + "\" lcid=\"" + lcid + "\" langid=\"" + langid +
               "\" font=\"DejaVu Sans;IPAPGothic\" en=\"" + code + " name\">" + items + "</lang>";
    };
    WriteBytes(
        folder / L"PagrionSetup.dat",
        "<language>" +
            lang("en", "0409", "9", texts + "<item name=\"file\" value=\"pkg_en.exe\"/>") +
            lang("nolocale", "7FFF", "9", texts + "<item name=\"file\" value=\"pkg_en.exe\"/>") +
            lang("nofile", "0409", "9", texts) +
            lang("notitle", "0409", "9", "<item name=\"file\" value=\"pkg_en.exe\"/>") +
            lang("missing", "0409", "9", texts + "<item name=\"file\" value=\"none.exe\"/>") +
            lang("ja", "0411", "11", texts + "<item name=\"file\" value=\".\\sub\\pkg_ja.exe\"/>") +
            "</language>");
    const int userDefault = ExpectedUserLanguage() == L"ja" ? 1 : 0;
    for (const auto& [installed, expected] :
         {std::pair{L"", userDefault}, std::pair{L"0011", 1}, std::pair{L"9", 0}}) {
        SCOPED_TRACE(Utf8(installed));
        installLang.Set(installed);
        Start();
        const LauncherWindow w = Selection();
        ASSERT_TRUE(w.Shown());
        EXPECT_EQ(EntriesOf(w.list), (std::vector<std::wstring>{L"en name", L"ja name"}));
        EXPECT_EQ(w.Highlighted(), expected);
        if (expected == 1) {
            // The relative package name was resolved against the launcher's folder.
            PostMessageW(w.start, BM_CLICK, 0, 0);
            EXPECT_EQ(Finish().exitCode, 0u);
            PollUntil([&] { return Exists(folder / L"sub\\pkg_ja.started.txt"); });
            EXPECT_NE(ReadBytes(folder / L"sub\\pkg_ja.started.txt").find("arguments=\r\n"),
                      std::string::npos);
        }
    }
}

// How the missing-data message begins in each language the launcher speaks it in.
std::wstring ExpectedMissingDataStart(const std::wstring& language) {
    if (language == L"ja")
        return L"Pagrion Viewerのセットアップに必要なデータ";
    if (language == L"zh-CN")
        return L"无法找到安装Pagrion Viewer所需的数据";
    if (language == L"zh-TW")
        return L"找不到安裝Pagrion Viewer所需的資料";
    if (language == L"ko")
        return L"Pagrion Viewer를 설치하기 위해";
    return L"The data required for the setup of Pagrion Viewer cannot be found.";
}

// The missing-data message is in the user's language; CTest runs this test once more in other
// locales and names the language expected there.
TEST_F(NormalRun, NoLanguageShowsTheMissingDataMessageAndEndsWithOne) {
    WriteBytes(folder / L"PagrionSetup.dat", "<language></language>");
    const std::wstring expected = ExpectedMissingDataStart(ExpectedUserLanguage());
    Start();
    const HWND box = AwaitedMessageBox();
    ASSERT_NE(box, nullptr);
    const std::wstring text = MessageBoxText(box);
    EXPECT_TRUE(text.starts_with(expected)) << Utf8(text);
    EXPECT_NE(text.find(L"\r\n"), std::wstring::npos) << "the stored \\n becomes a line break";
    EXPECT_EQ(TextOf(box), L"Pagrion Setup");
    Answer(box, IDOK);
    EXPECT_EQ(Finish().exitCode, 1u);
}

} // namespace
