// The application object: taskbar button owner, message loop, timers.
#include "ToolkitFixture.h"

namespace {

using namespace toolkit_test;

TEST(Application, MainFormCarriesTheTaskbarButtonInItsOwnMode) {
    TZelApplication application(TZelTaskbarButton::MainForm);
    TestForm& form = application.CreateForm<TestForm>();
    TestForm& second = application.CreateForm<TestForm>();
    EXPECT_EQ(application.Handle(), nullptr);
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindow(second.Handle(), GW_OWNER), form.Handle());
    EXPECT_FALSE(GetWindowLongPtrW(second.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST(Application, HiddenApplicationWindowCarriesTheTaskbarButtonAndOwnsTheMainForm) {
    TZelApplication application(TZelTaskbarButton::ApplicationWindow);
    TestForm& form = application.CreateForm<TestForm>(TZelFormBorder::None);
    application.SetTitle(L"Progress");
    // The loop ends when the form closes itself on its first timer tick.
    form.onTimer = [&] {
        const HWND window = application.Handle();
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
        RECT frame{};
        GetWindowRect(window, &frame);
        EXPECT_EQ(frame.right - frame.left, 0);
        EXPECT_EQ(frame.bottom - frame.top, 0);
        wchar_t title[32] = {};
        GetWindowTextW(window, title, 32);
        EXPECT_STREQ(title, L"Progress");
        form.Close();
    };
    form.timer.SetEnabled(true);

    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), application.Handle());
    EXPECT_FALSE(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    application.Run();
    EXPECT_EQ(form.events,
              (std::vector<std::string>{"create", "show", "timer", "closeQuery", "close"}));
}

TEST(Application, LoopEndsWhenTheMainFormIsDestroyedOrAQuitMessageArrives) {
    for (const bool destroy : {true, false}) {
        TZelApplication application(TZelTaskbarButton::MainForm);
        TestForm& form = application.CreateForm<TestForm>();
        form.onTimer = [&] {
            if (destroy)
                form.Destroy();
            else
                PostQuitMessage(0);
        };
        form.timer.SetEnabled(true);
        application.Run();
        EXPECT_TRUE(application.Terminated());
    }
}

// Ticks are looked at only for how late they come at the earliest, which a slow machine can
// only make later.
TEST(Application, TimerTicksOnlyWhileEnabledAndRestartsWithANewInterval) {
    // The clock may move in steps of this size.
    constexpr DWORD kClockStepMs = 16;
    constexpr DWORD kNewIntervalMs = 300;
    TZelApplication application(TZelTaskbarButton::MainForm);
    TestForm& form = application.CreateForm<TestForm>();
    std::vector<DWORD> ticks;
    form.onTimer = [&] {
        ticks.push_back(GetTickCount());
        if (ticks.size() == 2)
            form.timer.SetEnabled(false);
    };
    form.timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil(application, [&] { return ticks.size() == 2; }));
    EXPECT_FALSE(form.timer.Enabled());
    // Five of its intervals pass without a tick.
    Sleep(5 * form.timer.Interval());
    application.ProcessMessages();
    EXPECT_EQ(ticks.size(), 2u);

    // A running timer given a new interval counts it afresh and keeps it.
    ticks.clear();
    form.onTimer = [&] { ticks.push_back(GetTickCount()); };
    form.timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil(application, [&] { return ticks.size() == 1; }));
    const DWORD changed = GetTickCount();
    form.timer.SetInterval(kNewIntervalMs);
    ASSERT_TRUE(PumpUntil(application, [&] { return ticks.size() == 3; }));
    EXPECT_GE(ticks[1] - changed, kNewIntervalMs - kClockStepMs);
    EXPECT_GE(ticks[2] - ticks[1], kNewIntervalMs - kClockStepMs);
}

} // namespace
