// Normal runs end to end: the real launcher in a folder of its own, its selection window driven
// with messages from this process, its message boxes answered, and the packages it started.
#include "ForeignWindows.h"
#include "SavedRegistryValue.h"
#include "TestSupport.h"
#include "setup/ProductKeys.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace foreign_windows;
using namespace testing_support;

// A language of the test's definition file, with its own package and texts.
struct Language {
    const char* code;
    const char* font;
    const char* title;
};

const Language kEnglish{"en", "DejaVu Sans", "Setup"};
const Language kGerman{"de", "DejaVu Sans", "Installation"};
const Language kNoFont{"xx", "No Such Family", "Unusable"};

std::string LanguageElement(const Language& language) {
    const std::string code = language.code;
    auto item = [](const std::string& name, const std::string& value) {
        return "<item name=\"" + name + "\" value=\"" + value + "\"/>";
    };
    return "<lang code=\"" + code + "\" lcid=\"0409\" langid=\"9\" font=\"" + language.font +
           "\" en=\"" + code + " name\">" + item("file", "pkg_" + code + ".exe") +
           item("title", language.title) + item("start", code + " start") +
           item("cancel", code + " cancel") + item("100", code + " missing\\nfile") +
           item("101", code + " explanation") + item("102", code + " question") +
           item("103", code + " cannot start") + "</lang>";
}

// The selection window and its controls, in their creation order.
struct SelectionWindow {
    HWND window = nullptr;
    HWND label = nullptr;
    HWND list = nullptr;
    HWND start = nullptr;
    HWND cancel = nullptr;

    int Selected() const { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }
    void PressKey(HWND control, WPARAM key) const {
        PostMessageW(control, WM_KEYDOWN, key, 1);
        PostMessageW(control, WM_KEYUP, key, 0xC0000001);
    }
};

SelectionWindow FindSelectionWindow(DWORD processId) {
    SelectionWindow found;
    PollUntil(
        [&] { return (found.window = ShownWindowOf(processId, L"TOrnOVISetup000")) != nullptr; });
    if (!found.window)
        return found;
    std::vector<HWND> pushButtons;
    for (HWND child : ChildrenOf(found.window)) {
        const std::wstring className = ClassOf(child);
        if (className == L"Static")
            found.label = child;
        else if (className == L"ListBox")
            found.list = child;
        else if (className == L"Button")
            pushButtons.push_back(child);
    }
    if (pushButtons.size() == 2) {
        found.start = pushButtons[0];
        found.cancel = pushButtons[1];
    }
    return found;
}

// The text of a message box (its static text control).
std::wstring MessageBoxText(HWND box) {
    wchar_t text[2048] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 2048);
    return text;
}

class NormalRun : public ::testing::Test {
protected:
    NormalRun() : temp(tempFolder.Path()) {
        CopyTo(ProgramFolder() + L"PagrionSetup.exe", folder / L"PagrionSetup.exe");
        installLang.Set(L"");
    }

    void WriteDefinition(const std::vector<Language>& languages) {
        std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?><language>";
        for (const Language& language : languages) {
            text += LanguageElement(language);
            CopyTo(ProgramFolder() + L"fakepackage.exe", Package(language));
        }
        WriteBytes(folder / L"PagrionSetup.dat", text + "</language>");
    }
    std::wstring Package(const Language& language) const {
        return folder / (L"pkg_" + FromUtf8(language.code) + L".exe");
    }
    std::string Starts(const Language& language) const {
        return ReadBytes(folder / (L"pkg_" + FromUtf8(language.code) + L".started.txt"));
    }
    void Start() {
        launcher = std::make_unique<ChildProcess>(L"\"" + (folder / L"PagrionSetup.exe") + L"\"",
                                                  folder.Path());
        ASSERT_TRUE(launcher->Started());
    }
    HWND WaitForMessageBox() const {
        HWND box = nullptr;
        PollUntil([&] { return (box = ShownWindowOf(launcher->Id(), L"#32770")) != nullptr; });
        return box;
    }
    static void Answer(HWND box, int button) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    }
    // Highlights the entry with the arrow keys, as a user would.
    static void Highlight(const SelectionWindow& w, int index) {
        w.PressKey(w.list, VK_HOME);
        for (int i = 0; i < index; ++i)
            w.PressKey(w.list, VK_DOWN);
        PollUntil([&] { return w.Selected() == index; });
    }

    ScratchFolder folder;
    ScratchFolder tempFolder;
    ScopedTempFolder temp;
    SavedRegistryValue installLang{HKEY_LOCAL_MACHINE, kViewerKey, L"InstallLang"};
    std::unique_ptr<ChildProcess> launcher;
};

TEST_F(NormalRun, HighlightingALanguageSpeaksItAndStartRunsItsPackage) {
    WriteDefinition({kEnglish, kGerman, kNoFont});
    Start();
    const SelectionWindow w = FindSelectionWindow(launcher->Id());
    ASSERT_NE(w.list, nullptr);
    ASSERT_NE(w.start, nullptr);
    ASSERT_NE(w.label, nullptr);

    for (const auto& [index, language] : {std::pair{1, kGerman}, std::pair{0, kEnglish}}) {
        Highlight(w, index);
        const std::string code = language.code;
        ASSERT_TRUE(PollUntil([&] { return TextOf(w.window) == FromUtf8(language.title); }))
            << TextOf(w.window);
        EXPECT_EQ(TextOf(w.start), FromUtf8(code + " start"));
        EXPECT_EQ(TextOf(w.cancel), FromUtf8(code + " cancel"));
        EXPECT_EQ(TextOf(w.label), FromUtf8(code + " explanation"));
        EXPECT_TRUE(IsWindowEnabled(w.start));
    }

    Highlight(w, 1);
    PostMessageW(w.start, BM_CLICK, 0, 0);
    const ChildResult result = launcher->Wait();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0u);
    const std::string starts = Starts(kGerman);
    EXPECT_NE(starts.find("arguments=\r\n"), std::string::npos) << starts;
    EXPECT_NE(starts.find("folder=" + Utf8(folder.Path().substr(0, folder.Path().size() - 1))),
              std::string::npos)
        << starts;
    EXPECT_TRUE(Starts(kEnglish).empty());
}

TEST_F(NormalRun, UnusableLanguageDisablesStartAndEnterDoesNothing) {
    WriteDefinition({kEnglish, kNoFont});
    Start();
    const SelectionWindow w = FindSelectionWindow(launcher->Id());
    ASSERT_NE(w.list, nullptr);
    Highlight(w, 1);
    ASSERT_TRUE(PollUntil([&] { return !IsWindowEnabled(w.start); }));
    EXPECT_EQ(TextOf(w.window), L"Unusable");

    w.PressKey(w.list, VK_RETURN);
    EXPECT_FALSE(launcher->Ended(1000));
    EXPECT_EQ(ShownWindowOf(launcher->Id(), L"#32770"), nullptr);
    EXPECT_TRUE(Starts(kNoFont).empty());
}

TEST_F(NormalRun, EveryOtherWayOfClosingAsksAndNoKeepsTheWindow) {
    WriteDefinition({kEnglish, kGerman});
    Start();
    const SelectionWindow w = FindSelectionWindow(launcher->Id());
    ASSERT_NE(w.list, nullptr);
    Highlight(w, 1);
    ASSERT_TRUE(PollUntil([&] { return TextOf(w.window) == L"Installation"; }));

    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"Escape", [&] { w.PressKey(w.list, VK_ESCAPE); }},
        {"close box", [&] { PostMessageW(w.window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Cancel", [&] { PostMessageW(w.cancel, BM_CLICK, 0, 0); }},
    };
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        close();
        const HWND box = WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), L"de question");
        Answer(box, IDNO);
        ASSERT_TRUE(PollUntil([&] { return !IsWindow(box); }));
        EXPECT_FALSE(launcher->Ended(200));
        EXPECT_EQ(w.Selected(), 1);
        EXPECT_EQ(TextOf(w.window), L"Installation");
    }

    PostMessageW(w.cancel, BM_CLICK, 0, 0);
    const HWND box = WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    Answer(box, IDYES);
    const ChildResult result = launcher->Wait();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(Starts(kEnglish).empty());
    EXPECT_TRUE(Starts(kGerman).empty());
}

TEST_F(NormalRun, PackageGoneBeforeStartShowsMessage100AndEndsWithTwo) {
    WriteDefinition({kEnglish, kGerman});
    Start();
    const SelectionWindow w = FindSelectionWindow(launcher->Id());
    ASSERT_NE(w.start, nullptr);
    Highlight(w, 0);
    ASSERT_TRUE(DeleteFileW(Package(kEnglish).c_str()));
    PostMessageW(w.start, BM_CLICK, 0, 0);

    const HWND box = WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"en missing\r\nfile");
    EXPECT_EQ(TextOf(box), L"Setup");
    Answer(box, IDOK);
    const ChildResult result = launcher->Wait();
    EXPECT_EQ(result.exitCode, 2u);
}

TEST_F(NormalRun, OneLanguageStartsItsPackageAtOnceWithoutAWindow) {
    WriteDefinition({kEnglish});
    Start();
    const ChildResult result = launcher->Wait();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_NE(Starts(kEnglish).find("arguments=\r\n"), std::string::npos);
}

TEST_F(NormalRun, PackageThatCannotStartShowsMessage103AndEndsWithFour) {
    WriteDefinition({kEnglish});
    WriteBytes(Package(kEnglish), "this is no program");
    Start();
    const HWND box = WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"en cannot start");
    EXPECT_EQ(TextOf(box), L"Setup");
    Answer(box, IDOK);
    EXPECT_EQ(launcher->Wait().exitCode, 4u);
}

// The language the locale of this run implies, as CTest names it ("en" unless told otherwise).
std::wstring ExpectedUserLanguage() {
    wchar_t language[16] = {};
    if (!GetEnvironmentVariableW(L"PAGRION_EXPECTED_LANGUAGE", language, 16))
        return L"en";
    return language;
}

std::wstring ListEntry(HWND list, int index) {
    const auto length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
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
        const SelectionWindow w = FindSelectionWindow(launcher->Id());
        ASSERT_NE(w.list, nullptr);
        EXPECT_EQ(SendMessageW(w.list, LB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(ListEntry(w.list, 0), L"en name");
        EXPECT_EQ(ListEntry(w.list, 1), L"ja name");
        EXPECT_EQ(w.Selected(), expected);
        if (expected == 1) {
            // The relative package name was resolved against the launcher's folder.
            PostMessageW(w.start, BM_CLICK, 0, 0);
            EXPECT_EQ(launcher->Wait().exitCode, 0u);
            EXPECT_NE(ReadBytes(folder / L"sub\\pkg_ja.started.txt").find("arguments=\r\n"),
                      std::string::npos);
        }
        launcher.reset();
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
    const HWND box = WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    const std::wstring text = MessageBoxText(box);
    EXPECT_TRUE(text.starts_with(expected)) << Utf8(text);
    EXPECT_NE(text.find(L"\r\n"), std::wstring::npos) << "the stored \\n becomes a line break";
    EXPECT_EQ(TextOf(box), L"Pagrion Setup");
    Answer(box, IDOK);
    EXPECT_EQ(launcher->Wait().exitCode, 1u);
}

} // namespace
