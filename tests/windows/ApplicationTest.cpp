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

TEST(Application, TimerTicksOnlyWhileEnabledAndRestartsWithANewInterval) {
    TZelApplication application(TZelTaskbarButton::MainForm);
    TestForm& form = application.CreateForm<TestForm>();
    int ticks = 0;
    form.onTimer = [&] {
        if (++ticks == 2) form.timer.SetEnabled(false);
    };
    form.timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil(application, [&] { return ticks == 2; }));
    EXPECT_FALSE(form.timer.Enabled());
    Sleep(100);
    application.ProcessMessages();
    EXPECT_EQ(ticks, 2);

    form.timer.SetEnabled(true);
    form.timer.SetInterval(40);
    EXPECT_EQ(form.timer.Interval(), 40u);
    EXPECT_TRUE(PumpUntil(application, [&] { return ticks == 3; }));
}

} // namespace
