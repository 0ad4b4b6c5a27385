// A form with one control of each kind, and a fixture that creates it shown and focused.
#pragma once

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/Timer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace toolkit_test {

inline TZelFormDesign TestDesign(TZelFormBorder border) {
    return {L"TZelToolkitTestForm", border, 440, 220, L"Test form", L"Tahoma", 8, DEFAULT_CHARSET};
}

class TestForm : public TZelForm {
public:
    explicit TestForm(TZelApplication& application, TZelFormBorder border = TZelFormBorder::Single)
        : TZelForm(application, TestDesign(border)) {
        list.OnClick = [this] { events.push_back("listClick"); };
        list.OnDrawItem = [this](const TZelDrawItem& item) { drawn.push_back(item); };
        start.OnClick = [this] { events.push_back("startClick"); };
        cancel.OnClick = [this] { events.push_back("cancelClick"); };
        timer.OnTimer = [this] {
            events.push_back("timer");
            if (onTimer)
                onTimer();
        };
    }

    TZelLabel message{*this, {10, 10, 420, 60}, TZelLabelSizing::WordWrap};
    TZelListBox list{*this, {50, 75, 340, 90}, 16};
    TZelButton start{*this, {165, 180, 100, 25}, TZelButtonRole::Default};
    TZelButton cancel{*this, {300, 180, 100, 25}, TZelButtonRole::Cancel};
    TZelLabel status{*this, {30, 20, 10, 10}, TZelLabelSizing::AutoSize, L"status"};
    TZelProgressBar bar{*this, {30, 60, 400, 18}};
    TZelTimer timer{*this, 20};

    std::vector<std::string> events;
    std::vector<TZelDrawItem> drawn;
    bool allowClose = true;
    std::function<void()> onTimer;

protected:
    void FormCreate() override { events.push_back("create"); }
    void FormShow() override { events.push_back("show"); }
    void FormCloseQuery(bool& canClose) override {
        events.push_back("closeQuery");
        canClose = allowClose;
    }
    void FormClose() override { events.push_back("close"); }
    void FormDestroy() override { events.push_back("destroy"); }
};

// Dispatches the thread's messages until done() holds or a few seconds have passed.
inline bool PumpUntil(TZelApplication& application, const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 5000)
            return false;
        application.ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Brings the form forward and waits until the control has the keyboard focus. The focus is set
// within this thread as well, so that whatever window an earlier test left in front, even one
// that keeps the foreground, cannot keep it from the form.
inline bool FocusOn(TZelApplication& application, const TZelForm& form, HWND control) {
    SetForegroundWindow(form.Handle());
    return PumpUntil(application, [&] {
        if (GetFocus() != control)
            SetFocus(control);
        return GetFocus() == control;
    });
}

// The control's rectangle in its form's client coordinates.
inline RECT PlacementOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A shown, active main form with the focus on its list.
class ShownForm : public ::testing::Test {
protected:
    void SetUp() override {
        form.list.AddItem(L"English");
        form.list.AddItem(L"Deutsch");
        form.list.AddItem(L"Nihongo");
        form.list.SetItemIndex(0);
        form.Show();
        ASSERT_TRUE(FocusOn(application, form, form.list.Handle()));
        form.events.clear();
    }

    // Posts a key press to the focused window and lets the form handle it.
    void PressKey(WPARAM key) {
        const HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        application.ProcessMessages();
    }

    TZelApplication application{TZelTaskbarButton::MainForm};
    TestForm& form = application.CreateForm<TestForm>();
};

} // namespace toolkit_test
