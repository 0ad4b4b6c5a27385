// The launcher's language selection window seen from another process, as keyboard and
// screen-reader users meet it in a real run: driven by posted key presses only, and read from its
// controls the way a screen reader reads them (window texts and the list's strings).
#include "ForeignWindows.h"
#include "NormalRunFixture.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

using namespace foreign_windows;
using namespace testing_support;

const std::vector<Language> kLanguages{kEnglish, kGerman, kJapanese, kUnusable};

class KeyboardAccess : public NormalRunFixture {
protected:
    // The installed viewer's language makes German the highlighted language at the start.
    void SetUp() override {
        WriteDefinition(kLanguages);
        installLang.Set(kGerman.langid);
    }
};

// Everything the window says, in the highlighted language.
void ExpectWindowSpeaks(const LauncherWindow& w, const Language& language) {
    EXPECT_EQ(TextOf(w.window), language.title);
    EXPECT_EQ(TextOf(w.start), language.start);
    EXPECT_EQ(TextOf(w.cancel), language.cancel);
    EXPECT_EQ(TextOf(w.label), language.message);
}

TEST_F(KeyboardAccess, AScreenReaderReadsTheEntriesAndFollowsTheHighlightOfTheKeys) {
    Start();
    const LauncherWindow w = Selection();
    ASSERT_TRUE(w.Shown());
    std::vector<std::wstring> names;
    for (const Language& language : kLanguages)
        names.push_back(language.name);
    EXPECT_EQ(EntriesOf(w.list), names);
    EXPECT_EQ(w.Highlighted(), 1);
    ExpectWindowSpeaks(w, kGerman);

    struct Step {
        WPARAM key;
        const Language& highlighted;
        int index;
    };
    const Step steps[] = {{VK_DOWN, kJapanese, 2},
                          {VK_HOME, kEnglish, 0},
                          {VK_END, kUnusable, 3},
                          {VK_UP, kJapanese, 2}};
    for (const Step& step : steps) {
        SCOPED_TRACE(Utf8(step.highlighted.name));
        w.Press(step.key);
        ASSERT_TRUE(w.KeysHandled());
        EXPECT_EQ(w.Highlighted(), step.index);
        ExpectWindowSpeaks(w, step.highlighted);
        EXPECT_EQ(IsWindowEnabled(w.start) != FALSE, &step.highlighted != &kUnusable);
    }
}

// Cancel, Escape and Alt+F4 ask the highlighted language's question in a box owned by the window,
// with No focused. No keeps the window as it was and gives the focus back to the control that had
// it; Yes ends the launcher with 0 and without a package. Under Wine the platform gives the focus
// back even without the window's own help, which the window tests check on their own form.
TEST_F(KeyboardAccess, CloseQuestionIsAskedAndAnsweredByKeyboard) {
    Start();
    const LauncherWindow w = Selection();
    ASSERT_TRUE(w.Shown());
    struct Round {
        const char* way;
        std::vector<Key> ask;
        std::vector<Key> answer;
        bool closes;
        // The control that has the focus when the question is asked.
        HWND LauncherWindow::*focused;
    };
    const Round rounds[] = {
        {"escape, then no", {VK_ESCAPE}, {VK_RETURN}, false, &LauncherWindow::list},
        {"alt+f4, then no", {Key(VK_F4, true)}, {VK_RETURN}, false, &LauncherWindow::list},
        {"enter on cancel, then no",
         {VK_TAB, VK_TAB, VK_RETURN},
         {VK_RETURN},
         false,
         &LauncherWindow::cancel},
        {"escape, then yes", {VK_ESCAPE}, {VK_TAB, VK_RETURN}, true, &LauncherWindow::cancel},
    };
    for (const Round& round : rounds) {
        SCOPED_TRACE(round.way);
        w.PressKeys(round.ask);
        const HWND box = AwaitedMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), w.window);
        EXPECT_EQ(TextOf(box), kGerman.title);
        EXPECT_EQ(MessageBoxText(box), kGerman.question);
        ASSERT_TRUE(PollUntil([&] { return GetDlgCtrlID(w.Focus()) == IDNO; }));

        w.PressKeys(round.answer);
        if (round.closes) {
            const ChildResult result = Finish();
            ASSERT_TRUE(result.finished);
            EXPECT_EQ(result.exitCode, 0u);
            for (const Language& language : kLanguages)
                EXPECT_EQ(PackageStarts(language), "") << Utf8(language.code);
            continue;
        }
        ASSERT_TRUE(PollUntil([&] { return !IsWindow(box); }));
        // Once the launcher answers a sent message, it has finished with the answer.
        Ask(w.window, WM_NULL);
        EXPECT_FALSE(launcher->Ended(0));
        EXPECT_TRUE(IsWindowVisible(w.window));
        EXPECT_EQ(w.Highlighted(), 1);
        ExpectWindowSpeaks(w, kGerman);
        EXPECT_TRUE(PollUntil([&] { return w.Focus() == w.*round.focused; }));
    }
}

} // namespace
