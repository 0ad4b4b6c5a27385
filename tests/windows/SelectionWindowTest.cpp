// The language selection window driven with messages, as a user would: highlighting, Start,
// Cancel, Escape and the close box with the close question.
#include "LanguageWindowsFixture.h"

#include "ShownFont.h"

#include "windows/MainUnit.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace language_windows_test;
using namespace toolkit_test;

class SelectionWindow : public ::testing::Test {
protected:
    void SetUp() override { catalogue.Load(); }

    // Creates and shows the window of the run with the language at index chosen beforehand and
    // the focus in its list.
    TOrnOVISetup000& Open(TZelApplication& run, int index) {
        catalogue.Manager().SetCurrentIndex(index);
        catalogue.Manager().LanguageConfirmed = false;
        TOrnOVISetup000& window = run.CreateForm<TOrnOVISetup000>(catalogue.Manager());
        window.Show();
        EXPECT_TRUE(FocusOn(run, window, window.lstLANG.Handle()));
        return window;
    }
    TOrnOVISetup000& Open(int index) { return Open(application, index); }

    // Posts a key press to the focused window and lets the window handle it.
    void PressKey(WPARAM key) { PressKeyIn(application, key); }
    static void PressKeyIn(TZelApplication& run, WPARAM key) {
        const HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        run.ProcessMessages();
    }

    ManagerCatalogue catalogue;
    TZelApplication application{TZelTaskbarButton::MainForm};
};

TEST_F(SelectionWindow, HasItsClassDialogFrameAndScaledLayout) {
    const TOrnOVISetup000& window = Open(kEnglish);
    const int dpi = window.Dpi();

    wchar_t className[32] = {};
    GetClassNameW(window.Handle(), className, 32);
    EXPECT_STREQ(className, L"TOrnOVISetup000");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window.Handle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, ScaleFromDesign(440, dpi));
    EXPECT_EQ(client.bottom, ScaleFromDesign(220, dpi));

    struct Case {
        const TZelControl& control;
        TZelBounds design;
    };
    const Case cases[] = {
        {window.lblMSG, {10, 10, 420, 60}},
        {window.lstLANG, {50, 75, 340, 90}},
        {window.btnSTART, {165, 180, 100, 25}},
        {window.btnCANCEL, {300, 180, 100, 25}},
    };
    for (const Case& test : cases) {
        const RECT placed = PlacementOf(test.control.Handle());
        const TZelBounds expected = ScaleFromDesign(test.design, dpi);
        EXPECT_EQ(placed.left, expected.left);
        EXPECT_EQ(placed.top, expected.top);
        EXPECT_EQ(placed.right - placed.left, expected.width);
        EXPECT_EQ(placed.bottom - placed.top, expected.height);
    }
    EXPECT_EQ(window.lstLANG.ItemHeight(), ScaleFromDesign(16, dpi));
}

TEST_F(SelectionWindow, TabMovesFromTheListToStartAndCancel) {
    const TOrnOVISetup000& window = Open(kEnglish);
    for (const HWND next :
         {window.btnSTART.Handle(), window.btnCANCEL.Handle(), window.lstLANG.Handle()}) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), next);
    }
}

TEST_F(SelectionWindow, ListsEveryLanguageByNameWithTheChosenOneHighlighted) {
    const TOrnOVISetup000& window = Open(kJapanese);
    // The entries keep their texts, so that screen readers can read the drawn list.
    const std::vector<std::wstring> names{L"English", L"Japanese", L"German"};
    ASSERT_EQ(window.lstLANG.Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(window.lstLANG.Item(i), names[static_cast<size_t>(i)]);
    EXPECT_EQ(window.lstLANG.ItemIndex(), kJapanese);
    EXPECT_EQ(window.Caption(), catalogue.Language(kJapanese).Title);
}

// The window's own texts and font follow the highlighted language; the font is read from the
// controls as they show it.
TEST_F(SelectionWindow, HighlightingALanguageSpeaksItAtOnce) {
    TOrnOVISetup000& window = Open(kEnglish);
    const std::wstring guiFace = DefaultGuiFace();
    struct Step {
        WPARAM key;
        int index;
        ExpectedFont font;
    };
    // German names no installed font: it is shown in the default GUI font at 10 points.
    const Step steps[] = {{VK_DOWN, kJapanese, {L"IPAPGothic", 10, SHIFTJIS_CHARSET}},
                          {VK_DOWN, kGerman, {guiFace, 10, DEFAULT_CHARSET, false}},
                          {VK_HOME, kEnglish, {L"DejaVu Sans", 9, ANSI_CHARSET}}};
    for (const Step& step : steps) {
        PressKey(step.key);
        const TLxSetupLanguageItem& language = catalogue.Language(step.index);
        SCOPED_TRACE(testing_support::Utf8(language.EnName));
        EXPECT_EQ(catalogue.Manager().CurrentIndex, step.index);
        EXPECT_EQ(window.Caption(), language.Title);
        EXPECT_EQ(application.Title(), language.Title);
        EXPECT_EQ(window.btnSTART.Caption(), language.StartCaption);
        EXPECT_EQ(window.btnCANCEL.Caption(), language.CancelCaption);
        EXPECT_EQ(window.lblMSG.Caption(), language.GetMessage(101));
        EXPECT_EQ(window.CloseQuestion, language.GetMessage(102));
        EXPECT_EQ(window.btnSTART.Enabled(), step.index != kGerman);
        for (const TZelControl* control : std::initializer_list<const TZelControl*>{
                 &window.lblMSG, &window.lstLANG, &window.btnSTART, &window.btnCANCEL})
            ExpectShownFont(control->Handle(), step.font, window.Dpi());
    }
}

TEST_F(SelectionWindow, StartConfirmsTheHighlightedLanguageAndClosesWithoutAsking) {
    const std::vector<const char*> ways{"click", "enter"};
    for (const char* way : ways) {
        SCOPED_TRACE(way);
        TZelApplication run(TZelTaskbarButton::MainForm);
        TOrnOVISetup000& window = Open(run, kEnglish);
        MessageBoxAnswer answer(IDYES);

        PressKeyIn(run, VK_DOWN);
        if (std::string(way) == "click")
            SendMessageW(window.btnSTART.Handle(), BM_CLICK, 0, 0);
        else
            PressKeyIn(run, VK_RETURN);

        EXPECT_EQ(answer.asked, 0);
        EXPECT_TRUE(run.Terminated());
        EXPECT_FALSE(window.Visible());
        EXPECT_TRUE(catalogue.Manager().LanguageConfirmed);
        EXPECT_EQ(catalogue.Manager().CurrentIndex, kJapanese);
    }
}

TEST_F(SelectionWindow, StartIsDisabledForALanguageWithoutFontAndEnterDoesNothing) {
    TOrnOVISetup000& window = Open(kGerman);
    EXPECT_FALSE(window.btnSTART.Enabled());
    PressKey(VK_RETURN);
    SendMessageW(window.btnSTART.Handle(), BM_CLICK, 0, 0);
    application.ProcessMessages();
    EXPECT_FALSE(application.Terminated());
    EXPECT_FALSE(catalogue.Manager().LanguageConfirmed);

    PressKey(VK_UP);
    EXPECT_TRUE(window.btnSTART.Enabled());
}

// Every way of closing but Start asks the highlighted language's question, in a box the window
// owns with No as its default, while no language is chosen. No keeps the window as it was; Yes
// closes it without a language.
TEST_F(SelectionWindow, ClosingWithoutStartAsksTheCloseQuestion) {
    const TLxSetupLanguageItem& japanese = catalogue.Language(kJapanese);
    struct Way {
        const char* name;
        std::function<void(TZelApplication&, TOrnOVISetup000&)> close;
    };
    const Way ways[] = {
        {"cancel",
         [](TZelApplication&, TOrnOVISetup000& window) {
             SendMessageW(window.btnCANCEL.Handle(), BM_CLICK, 0, 0);
         }},
        {"escape", [](TZelApplication& run, TOrnOVISetup000&) { PressKeyIn(run, VK_ESCAPE); }},
        {"close box",
         [](TZelApplication&, TOrnOVISetup000& window) {
             PostMessageW(window.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
         }},
        {"close request",
         [](TZelApplication&, TOrnOVISetup000& window) {
             PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
         }},
    };
    for (const Way& way : ways) {
        for (const int answer : {IDNO, IDYES}) {
            SCOPED_TRACE(std::string(way.name) + (answer == IDNO ? ", then no" : ", then yes"));
            TZelApplication run(TZelTaskbarButton::MainForm);
            TOrnOVISetup000& window = Open(run, kJapanese);
            MessageBoxAnswer box(answer);
            int indexWhileAsked = 0;
            box.whileAsked = [&] { indexWhileAsked = catalogue.Manager().CurrentIndex; };
            way.close(run, window);
            // The box is answered while it shows, so once asked the answer has been handled.
            ASSERT_TRUE(PumpUntil(run, [&] { return box.asked > 0; }));
            EXPECT_EQ(box.asked, 1);
            EXPECT_EQ(box.text, japanese.GetMessage(102));
            EXPECT_EQ(box.caption, japanese.Title);
            EXPECT_EQ(box.owner, window.Handle());
            EXPECT_EQ(box.defaultButton, IDNO);
            EXPECT_EQ(indexWhileAsked, -1);

            const bool closed = answer == IDYES;
            EXPECT_EQ(run.Terminated(), closed);
            EXPECT_EQ(window.Visible(), !closed);
            EXPECT_EQ(catalogue.Manager().CurrentIndex, closed ? -1 : kJapanese);
            EXPECT_FALSE(catalogue.Manager().LanguageConfirmed);
            EXPECT_EQ(window.lstLANG.ItemIndex(), kJapanese);
            EXPECT_EQ(window.Caption(), japanese.Title);
        }
    }
}

TEST(SelectionWindowRun, RunsAsTheMainWindowWithItsOwnTaskbarButtonUntilItCloses) {
    ManagerCatalogue catalogue;
    catalogue.Load();
    catalogue.Manager().SetCurrentIndex(kJapanese);
    HWND found = nullptr;
    LONG_PTR exStyle = 0;
    HWND owner = nullptr;
    // Once the window is up, look at it and press its Start button.
    const ThreadTimer whenShown([&] {
        const HWND shown = ShownWindowOfThisThread(L"TOrnOVISetup000");
        if (!shown)
            return;
        found = shown;
        exStyle = GetWindowLongPtrW(found, GWL_EXSTYLE);
        owner = GetWindow(found, GW_OWNER);
        auto* window = dynamic_cast<TOrnOVISetup000*>(TZelForm::FromHandle(found));
        if (window)
            PostMessageW(window->btnSTART.Handle(), BM_CLICK, 0, 0);
    });

    RunSelectionWindow(catalogue.Manager());

    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(owner, nullptr);
    EXPECT_FALSE(IsWindow(found));
    EXPECT_TRUE(catalogue.Manager().LanguageConfirmed);
    EXPECT_EQ(catalogue.Manager().CurrentIndex, kJapanese);
}

} // namespace
