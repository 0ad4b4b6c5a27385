// The launcher's language selection window seen from another process, as keyboard and
// screen-reader users meet it: it is driven by posted key presses only, and what it says is read
// from its controls the way a screen reader reads them (window texts and the list's strings).
#include "ForeignWindows.h"
#include "SavedRegistryValue.h"
#include "TestSupport.h"
#include "setup/ProductKeys.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace foreign_windows;
using namespace testing_support;

struct Language {
    const wchar_t* code;
    const wchar_t* langid;
    const wchar_t* lcid;
    const wchar_t* name;
    const wchar_t* title;
    const wchar_t* start;
    const wchar_t* cancel;
    const wchar_t* message;
    const wchar_t* question;
};

const Language kLanguages[] = {
    {L"en", L"9", L"0409", L"English", L"Pagrion Viewer Setup", L"Start", L"Cancel",
     L"Please choose a language.", L"Do you want to quit the setup?"},
    {L"de", L"7", L"0407", L"German", L"Pagrion Viewer Installation", L"Starten", L"Abbrechen",
     L"Bitte wählen Sie eine Sprache.", L"Möchten Sie die Installation beenden?"},
    {L"ja", L"11", L"0411", L"Japanese", L"Pagrion Viewer セットアップ", L"開始", L"キャンセル",
     L"言語を選択してください。", L"セットアップを終了しますか？"},
};
enum { kEnglish, kGerman, kJapanese };

std::string DefinitionFile() {
    std::wstring text = L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<language>\n";
    for (const Language& language : kLanguages) {
        const std::wstring code = language.code;
        text += L"  <lang code=\"" + code + L"\" lcid=\"" + language.lcid + L"\" langid=\"" +
                language.langid + L"\" font=\"DejaVu Sans\" size=\"9\" en=\"" + language.name +
                L"\">\n";
        const std::pair<const wchar_t*, std::wstring> items[] = {
            {L"file", L"pkg_" + code + L".exe"}, {L"title", language.title},
            {L"start", language.start},          {L"cancel", language.cancel},
            {L"101", language.message},          {L"102", language.question},
        };
        for (const auto& [name, value] : items)
            text += L"    <item name=\"" + std::wstring(name) + L"\" value=\"" + value + L"\"/>\n";
        text += L"  </lang>\n";
    }
    return Utf8(text + L"</language>\n");
}

// The launcher started on a folder of its own with the three languages and a package double for
// each, its selection window shown with the focus in the list.
class LauncherRun {
public:
    LauncherRun() : temp_(tempFolder_.Path()) {
        CopyTo(ProgramFolder() + L"PagrionSetup.exe", folder_ / L"PagrionSetup.exe");
        WriteBytes(folder_ / L"PagrionSetup.dat", DefinitionFile());
        for (const Language& language : kLanguages)
            CopyTo(ProgramFolder() + L"fakepackage.exe", PackagePath(language, L".exe"));
        process_ = std::make_unique<ChildProcess>(L"\"" + (folder_ / L"PagrionSetup.exe") + L"\"",
                                                  folder_.Path());
        if (!PollUntil(
                [&] { return (window = ShownWindowOf(process_->Id(), L"TOrnOVISetup000")); }))
            return;
        thread_ = GetWindowThreadProcessId(window, nullptr);
        if (const std::vector<HWND> lists = ChildrenOfClass(window, L"ListBox"); lists.size() == 1)
            list = lists[0];
        // In tab order: Start, then Cancel.
        const std::vector<HWND> buttons = ChildrenOfClass(window, L"Button");
        if (buttons.size() == 2) {
            start = buttons[0];
            cancel = buttons[1];
        }
        SetForegroundWindow(window);
        PollUntil([&] { return list && Focus() == list; });
    }

    bool Shown() const { return window && list && start && cancel && Focus() == list; }

    // The control of the launcher that has the keyboard focus.
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
    }

    // One key press, posted to the focused control.
    void PressKey(WPARAM key) const {
        const HWND focus = Focus();
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    }

    // Key presses one after the other, as a user types them: each but the last moves the focus or
    // the highlight, and the next key goes where the focus has moved.
    void PressKeys(const std::vector<WPARAM>& keys) const {
        for (size_t i = 0; i < keys.size(); ++i) {
            const HWND focus = Focus();
            const int highlighted = Highlighted();
            PressKey(keys[i]);
            if (i + 1 < keys.size())
                PollUntil([&] { return Focus() != focus || Highlighted() != highlighted; });
        }
    }

    int Highlighted() const { return static_cast<int>(Ask(list, LB_GETCURSEL)); }

    // The shown message box of the launcher, or nullptr.
    HWND MessageBoxWindow() const { return ShownWindowOf(process_->Id(), L"#32770"); }

    // What the package double of the language recorded of its starts.
    std::string PackageStarts(const Language& language) const {
        return ReadBytes(PackagePath(language, L".started.txt"));
    }

    // Waits for the launcher's end and returns its exit code.
    ChildResult Finish() const { return process_->Wait(10000); }

    HWND window = nullptr;
    HWND list = nullptr;
    HWND start = nullptr;
    HWND cancel = nullptr;

private:
    std::wstring PackagePath(const Language& language, const std::wstring& suffix) const {
        return folder_ / (L"pkg_" + std::wstring(language.code) + suffix);
    }

    ScratchFolder folder_;
    ScratchFolder tempFolder_;
    ScopedTempFolder temp_;
    std::unique_ptr<ChildProcess> process_;
    DWORD thread_ = 0;
};

class KeyboardAccess : public ::testing::Test {
protected:
    // The installed viewer's language makes German the highlighted language at the start.
    void SetUp() override { installLang.Set(kLanguages[kGerman].langid); }

    SavedRegistryValue installLang{HKEY_LOCAL_MACHINE, kViewerKey, L"InstallLang"};
};

// Everything the window says, in the highlighted language.
void ExpectWindowSpeaks(const LauncherRun& run, const Language& language) {
    EXPECT_EQ(TextOf(run.window), language.title);
    EXPECT_EQ(TextOf(run.start), language.start);
    EXPECT_EQ(TextOf(run.cancel), language.cancel);
    const std::vector<HWND> labels = ChildrenOfClass(run.window, L"Static");
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(TextOf(labels[0]), language.message);
}

TEST_F(KeyboardAccess, AScreenReaderReadsTheTitleTheEntriesAndTheCaptions) {
    const LauncherRun run;
    ASSERT_TRUE(run.Shown());
    EXPECT_EQ(run.Highlighted(), kGerman);
    ExpectWindowSpeaks(run, kLanguages[kGerman]);
    const std::vector<std::wstring> entries = EntriesOf(run.list);
    ASSERT_EQ(entries.size(), std::size(kLanguages));
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i], kLanguages[i].name);
}

TEST_F(KeyboardAccess, ArrowsHomeAndEndMoveTheHighlightAndTheWindowSpeaksIt) {
    const LauncherRun run;
    ASSERT_TRUE(run.Shown());
    struct Step {
        WPARAM key;
        int highlighted;
    };
    const Step steps[] = {
        {VK_DOWN, kJapanese}, {VK_HOME, kEnglish}, {VK_END, kJapanese}, {VK_UP, kGerman}};
    for (const Step& step : steps) {
        SCOPED_TRACE(Utf8(kLanguages[step.highlighted].name));
        run.PressKey(step.key);
        ASSERT_TRUE(PollUntil([&] { return run.Highlighted() == step.highlighted; }));
        EXPECT_TRUE(
            PollUntil([&] { return TextOf(run.window) == kLanguages[step.highlighted].title; }));
        ExpectWindowSpeaks(run, kLanguages[step.highlighted]);
    }
}

TEST_F(KeyboardAccess, TabVisitsTheListStartAndCancelInTurn) {
    const LauncherRun run;
    ASSERT_TRUE(run.Shown());
    for (const HWND next : {run.start, run.cancel, run.list, run.start}) {
        run.PressKey(VK_TAB);
        EXPECT_TRUE(PollUntil([&] { return run.Focus() == next; }));
    }
}

TEST_F(KeyboardAccess, EnterOrSpaceOnStartStartsTheHighlightedLanguagesPackage) {
    struct Case {
        const char* way;
        std::vector<WPARAM> keys;
        int started;
    };
    const Case cases[] = {
        // In the list, Enter presses the default button, Start.
        {"enter in the list", {VK_DOWN, VK_RETURN}, kJapanese},
        {"enter on start", {VK_UP, VK_TAB, VK_RETURN}, kEnglish},
        {"space on start", {VK_TAB, VK_SPACE}, kGerman},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.way);
        const LauncherRun run;
        ASSERT_TRUE(run.Shown());
        run.PressKeys(test.keys);

        const ChildResult result = run.Finish();
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 0u);
        const Language& chosen = kLanguages[test.started];
        ASSERT_TRUE(PollUntil([&] { return !run.PackageStarts(chosen).empty(); }));
        // The package is started without parameters.
        EXPECT_NE(run.PackageStarts(chosen).find("arguments=\r\n"), std::string::npos);
        for (const Language& other : kLanguages) {
            if (&other != &chosen) {
                EXPECT_EQ(run.PackageStarts(other), "") << Utf8(other.code);
            }
        }
        EXPECT_EQ(run.MessageBoxWindow(), nullptr);
    }
}

// Cancel and Escape ask the highlighted language's question with No focused; Enter answers No and
// keeps the window as it was, Tab and Enter answer Yes and end the launcher without a package.
TEST_F(KeyboardAccess, CancelAndEscapeAskTheCloseQuestionAnsweredByKeyboard) {
    const LauncherRun run;
    ASSERT_TRUE(run.Shown());
    const Language& german = kLanguages[kGerman];
    struct Round {
        const char* way;
        std::vector<WPARAM> ask;
        std::vector<WPARAM> answer;
        bool closes;
    };
    const Round rounds[] = {
        {"enter on cancel, then no", {VK_TAB, VK_TAB, VK_RETURN}, {VK_RETURN}, false},
        {"escape, then yes", {VK_ESCAPE}, {VK_TAB, VK_RETURN}, true},
    };
    for (const Round& round : rounds) {
        SCOPED_TRACE(round.way);
        run.PressKeys(round.ask);
        HWND box = nullptr;
        ASSERT_TRUE(PollUntil([&] { return (box = run.MessageBoxWindow()); }));
        EXPECT_EQ(GetWindow(box, GW_OWNER), run.window);
        EXPECT_EQ(TextOf(box), german.title);
        std::vector<std::wstring> texts;
        for (HWND label : ChildrenOfClass(box, L"Static"))
            texts.push_back(TextOf(label));
        EXPECT_NE(std::find(texts.begin(), texts.end(), german.question), texts.end());
        ASSERT_TRUE(PollUntil([&] { return GetDlgCtrlID(run.Focus()) == IDNO; }));

        run.PressKeys(round.answer);
        if (round.closes) {
            const ChildResult result = run.Finish();
            ASSERT_TRUE(result.finished);
            EXPECT_EQ(result.exitCode, 0u);
            for (const Language& language : kLanguages)
                EXPECT_EQ(run.PackageStarts(language), "") << Utf8(language.code);
        } else {
            ASSERT_TRUE(PollUntil([&] { return run.MessageBoxWindow() == nullptr; }));
            // Once the launcher answers a sent message, it has finished with the answer.
            Ask(run.window, WM_NULL);
            EXPECT_TRUE(IsWindowVisible(run.window));
            EXPECT_EQ(run.Highlighted(), kGerman);
            EXPECT_EQ(TextOf(run.window), german.title);
            // The keyboard focus is back in the window.
            EXPECT_TRUE(PollUntil([&] { return IsChild(run.window, run.Focus()); }));
        }
    }
}

} // namespace
