// The message box: its answer, the focus given back afterwards, and a box without owner in the
// foreground. A timer of the test thread, dispatched by the box's own modal loop, finds the open
// box and answers it.
#include "platform/MessageBox.h"

#include "OwnProcesses.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using testing_support::WindowOfProcess;

constexpr wchar_t kCaption[] = L"Pagrion message box test";

// What the timer does with the open box: look at it, then answer it.
std::function<void(HWND box)> inspectBox;
WPARAM boxAnswer = IDOK;

VOID CALLBACK AnswerOpenBox(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = WindowOfProcess(GetCurrentProcessId(), L"#32770");
    if (!box)
        return;
    KillTimer(nullptr, timer);
    if (inspectBox)
        inspectBox(box);
    PostMessageW(box, WM_COMMAND, boxAnswer, 0);
}

int32_t ShowAndAnswer(HWND owner, uint32_t flags, WPARAM answer,
                      std::function<void(HWND)> inspect = {}) {
    boxAnswer = answer;
    inspectBox = std::move(inspect);
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerOpenBox);
    const int32_t result = ShowMessageBox(owner, L"Question?", kCaption, flags);
    KillTimer(nullptr, timer);
    inspectBox = nullptr;
    return result;
}

// A shown top-level window with two edit fields, the second one focused.
class FocusedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                 300, 200, nullptr, nullptr, nullptr, nullptr);
        for (HWND& edit : edits)
            edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10,
                                   10 + 30 * static_cast<int>(&edit - edits), 200, 24, window,
                                   nullptr, nullptr, nullptr);
        SetForegroundWindow(window);
        SetFocus(edits[1]);
        ASSERT_EQ(GetFocus(), edits[1]);
    }
    void TearDown() override { DestroyWindow(window); }

    HWND window = nullptr;
    HWND edits[2] = {};
};

TEST_F(FocusedWindow, AnswerIsReturnedAndTheFocusGoesBack) {
    struct Case {
        WPARAM answer;
        int32_t expected;
    };
    for (const Case test : {Case{IDYES, 6}, Case{IDNO, 7}}) {
        EXPECT_EQ(ShowAndAnswer(window, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, test.answer),
                  test.expected);
        EXPECT_EQ(GetFocus(), edits[1]);
    }
}

TEST_F(FocusedWindow, FocusedWindowDestroyedWhileTheBoxIsOpenIsLeftAlone) {
    const HWND focused = edits[1];
    EXPECT_EQ(ShowAndAnswer(window, MB_OK, IDOK, [&](HWND) { DestroyWindow(focused); }), IDOK);
    EXPECT_NE(GetFocus(), focused);
}

TEST(OwnerlessMessageBox, ComesToTheForegroundWithoutAnyWindowOfTheSetup) {
    ASSERT_EQ(GetFocus(), nullptr);
    // Wine does not give message boxes the top-most style; the foreground it does give.
    bool foreground = false;
    const int32_t answer = ShowAndAnswer(
        nullptr, 0x50010, IDOK, [&](HWND box) { foreground = GetForegroundWindow() == box; });
    EXPECT_EQ(answer, IDOK);
    EXPECT_TRUE(foreground);
    EXPECT_EQ(GetFocus(), nullptr);
}

} // namespace
