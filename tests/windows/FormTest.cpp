// Forms: window class, layout scaled from 96 dpi, the life cycle with its events, fonts.
#include "ShownFont.h"
#include "ToolkitFixture.h"

#include "toolkit/TextMeasure.h"

#include <memory>
#include <type_traits>

namespace {

using namespace toolkit_test;

RECT ClientRectOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

void ExpectEveryControlShows(const TestForm& form, const ExpectedFont& font) {
    for (const TZelControl* control : std::initializer_list<const TZelControl*>{
             &form.message, &form.list, &form.start, &form.cancel, &form.status, &form.bar})
        ExpectShownFont(control->Handle(), font, form.Dpi());
}

class Form : public ::testing::Test {
protected:
    TZelApplication application{TZelTaskbarButton::MainForm};
};

TEST_F(Form, IsCreatedUnderItsClassNameWithTheScaledLayoutCentredOnTheScreen) {
    TestForm& form = application.CreateForm<TestForm>();
    const int dpi = form.Dpi();
    EXPECT_EQ(dpi, SystemDpi());

    wchar_t className[64] = {};
    GetClassNameW(form.Handle(), className, 64);
    EXPECT_STREQ(className, L"TZelToolkitTestForm");

    const RECT client = ClientRectOf(form.Handle());
    EXPECT_EQ(client.right, ScaleFromDesign(440, dpi));
    EXPECT_EQ(client.bottom, ScaleFromDesign(220, dpi));

    RECT frame{};
    GetWindowRect(form.Handle(), &frame);
    EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);

    const RECT start = PlacementOf(form.start.Handle());
    EXPECT_EQ(start.left, ScaleFromDesign(165, dpi));
    EXPECT_EQ(start.top, ScaleFromDesign(180, dpi));
    EXPECT_EQ(start.right - start.left, ScaleFromDesign(100, dpi));
    EXPECT_EQ(start.bottom - start.top, ScaleFromDesign(25, dpi));
}

TEST_F(Form, BorderStylesGiveAFixedCaptionWindowOrABarePopup) {
    struct Case {
        TZelFormBorder border;
        DWORD present;
        DWORD absent;
    };
    const Case cases[] = {
        {TZelFormBorder::Single, WS_CAPTION | WS_SYSMENU,
         WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP},
        {TZelFormBorder::None, WS_POPUP, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU},
    };
    for (const Case& test : cases) {
        TestForm form(application, test.border);
        form.Create();
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(form.Handle(), GWL_STYLE));
        EXPECT_EQ(style & test.present, test.present);
        EXPECT_EQ(style & test.absent, 0u);
    }
}

TEST_F(Form, LifeCycleRunsTheEventsInOrderAndTheCloseQueryCanRefuse) {
    TestForm& form = application.CreateForm<TestForm>();
    form.Show();
    EXPECT_TRUE(form.Visible());

    form.allowClose = false;
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Visible());
    EXPECT_FALSE(application.Terminated());

    form.allowClose = true;
    form.Close();
    EXPECT_FALSE(form.Visible());
    // Closing the main form ends the application's message loop.
    EXPECT_TRUE(application.Terminated());

    form.Destroy();
    EXPECT_EQ(form.Handle(), nullptr);
    EXPECT_EQ(form.events, (std::vector<std::string>{"create", "show", "closeQuery", "closeQuery",
                                                     "close", "destroy"}));
}

TEST_F(Form, ClosingAFormThatIsNotTheMainFormLeavesTheApplicationRunning) {
    application.CreateForm<TestForm>();
    TestForm& second = application.CreateForm<TestForm>();
    second.Show();
    second.Close();
    EXPECT_FALSE(second.Visible());
    EXPECT_FALSE(application.Terminated());
}

// A window leads to its form only when it is a form window: not a control, and not a window of
// another class whose own window data happens to hold the form's address.
TEST_F(Form, OnlyAFormWindowLeadsToItsForm) {
    TestForm& form = application.CreateForm<TestForm>();
    EXPECT_EQ(TZelForm::FromHandle(form.Handle()), &form);
    EXPECT_EQ(TZelForm::FromHandle(nullptr), nullptr);
    EXPECT_EQ(TZelForm::FromHandle(form.list.Handle()), nullptr);

    WNDCLASSEXW otherClass{};
    otherClass.cbSize = sizeof otherClass;
    otherClass.lpfnWndProc = DefWindowProcW;
    otherClass.cbWndExtra = sizeof(TZelForm*);
    otherClass.hInstance = GetModuleHandleW(nullptr);
    otherClass.lpszClassName = L"TZelToolkitTestOtherWindow";
    RegisterClassExW(&otherClass); // fails harmlessly when a repeated test registered it already
    const std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)> other(
        CreateWindowExW(0, otherClass.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                        otherClass.hInstance, nullptr),
        DestroyWindow);
    ASSERT_NE(other.get(), nullptr);
    SetWindowLongPtrW(other.get(), 0, reinterpret_cast<LONG_PTR>(&form));
    EXPECT_EQ(TZelForm::FromHandle(other.get()), nullptr);
}

TEST_F(Form, NewFontReachesEveryControlAndResizesTheFittedLabel) {
    TestForm& form = application.CreateForm<TestForm>();
    const std::wstring text = L"A status line of some length";
    form.status.SetCaption(text);

    form.SetFont(L"DejaVu Sans", 16, ANSI_CHARSET);
    ExpectEveryControlShows(form, {L"DejaVu Sans", 16, ANSI_CHARSET});

    RECT label{};
    GetWindowRect(form.status.Handle(), &label);
    const SIZE expected = TextBlockExtent(form.status.Font(), text);
    EXPECT_EQ(label.right - label.left, expected.cx);
    EXPECT_EQ(label.bottom - label.top, expected.cy);
}

TEST_F(Form, FontGivenBeforeCreationIsTheOneTheFormStartsWith) {
    TestForm form(application);
    form.SetFont(L"Liberation Sans", 12, GREEK_CHARSET);
    form.Create();
    ExpectEveryControlShows(form, {L"Liberation Sans", 12, GREEK_CHARSET});
}

TEST_F(Form, WrappedLabelKeepsItsDesignSizeAndFittedLabelFollowsItsText) {
    TestForm& form = application.CreateForm<TestForm>();
    const std::wstring longText(200, L'w');
    form.message.SetCaption(longText);
    form.status.SetCaption(L"first\r\nsecond line");

    RECT message{}, status{};
    GetWindowRect(form.message.Handle(), &message);
    GetWindowRect(form.status.Handle(), &status);
    EXPECT_EQ(message.right - message.left, ScaleFromDesign(420, form.Dpi()));
    EXPECT_EQ(message.bottom - message.top, ScaleFromDesign(60, form.Dpi()));
    EXPECT_EQ(form.message.Caption(), longText);
    const SIZE oneLine = TextExtent(form.Font().Handle(), L"second line");
    EXPECT_EQ(status.right - status.left, oneLine.cx);
    EXPECT_EQ(status.bottom - status.top, 2 * oneLine.cy);
}

TEST_F(Form, ProgressBarStartsAtZeroOfHundredAndTakesNewRangeAndPosition) {
    TestForm& form = application.CreateForm<TestForm>();
    EXPECT_EQ(form.bar.Max(), 100);
    EXPECT_EQ(form.bar.Position(), 0);
    form.bar.SetMax(110);
    form.bar.SetPosition(105);
    EXPECT_EQ(form.bar.Max(), 110);
    EXPECT_EQ(form.bar.Position(), 105);
}

} // namespace
