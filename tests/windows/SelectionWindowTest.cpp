// The language selection window driven with messages, as a user would: highlighting, Start,
// Cancel, Escape and the close box with the close question, and the drawing of the entries.
#include "LanguageWindowsFixture.h"

#include "windows/GdiObjects.h"
#include "windows/MainUnit.h"
#include "windows/TextMeasure.h"

#include "language/ZelFontUtl.h"

#include <vector>

namespace {

using namespace language_windows_test;
using namespace toolkit_test;

class SelectionWindow : public ::testing::Test {
protected:
    void SetUp() override { catalogue.Load(); }

    // Creates and shows the window with the language at index chosen beforehand, the focus in
    // its list.
    TOrnOVISetup000& Open(int index) {
        SetupManager().SetCurrentIndex(index);
        TOrnOVISetup000& window = application.CreateForm<TOrnOVISetup000>();
        window.Show();
        SetForegroundWindow(window.Handle());
        EXPECT_TRUE(PumpUntil(application, [&] { return GetFocus() == window.lstLANG.Handle(); }));
        return window;
    }

    // Posts a key press to the focused window and lets the window handle it.
    void PressKey(WPARAM key) {
        const HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        application.ProcessMessages();
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
    EXPECT_EQ(window.Caption(), ManagerCatalogue::Language(kJapanese).Title);
}

TEST_F(SelectionWindow, HighlightingALanguageSpeaksItAtOnce) {
    TOrnOVISetup000& window = Open(kEnglish);
    struct Step {
        WPARAM key;
        int index;
    };
    const Step steps[] = {{VK_DOWN, kJapanese}, {VK_DOWN, kGerman}, {VK_HOME, kEnglish}};
    for (const Step& step : steps) {
        PressKey(step.key);
        const TLxSetupLanguageItem& language = ManagerCatalogue::Language(step.index);
        SCOPED_TRACE(testing_support::Utf8(language.EnName));
        EXPECT_EQ(SetupManager().CurrentIndex, step.index);
        EXPECT_EQ(window.Caption(), language.Title);
        EXPECT_EQ(application.Title(), language.Title);
        EXPECT_EQ(window.btnSTART.Caption(), language.StartCaption);
        EXPECT_EQ(window.btnCANCEL.Caption(), language.CancelCaption);
        EXPECT_EQ(window.lblMSG.Caption(), language.GetMessage(101));
        EXPECT_EQ(window.CloseQuestion, language.GetMessage(102));
        EXPECT_EQ(window.Font().Name(), language.FontInfo->GetFontName());
        EXPECT_EQ(window.Font().Size(), language.FontInfo->Size);
        EXPECT_EQ(window.Font().Charset(), language.FontInfo->Charset);
        EXPECT_EQ(window.lstLANG.Font(), window.Font().Handle());
        EXPECT_EQ(window.btnSTART.Enabled(), language.Usable);
    }
    // The language without an installed font is shown in the default GUI font.
    EXPECT_FALSE(ManagerCatalogue::Language(kGerman).Usable);
    EXPECT_EQ(ManagerCatalogue::Language(kGerman).FontInfo->GetFontName(),
              GetDefaultGuiFontInfo().Name);
}

TEST_F(SelectionWindow, StartConfirmsTheHighlightedLanguageAndClosesWithoutAsking) {
    const std::vector<const char*> ways{"click", "enter"};
    for (const char* way : ways) {
        SCOPED_TRACE(way);
        TZelApplication run(TZelTaskbarButton::MainForm);
        SetupManager().LanguageConfirmed = false;
        SetupManager().SetCurrentIndex(kEnglish);
        TOrnOVISetup000& window = run.CreateForm<TOrnOVISetup000>();
        window.Show();
        SetForegroundWindow(window.Handle());
        ASSERT_TRUE(PumpUntil(run, [&] { return GetFocus() == window.lstLANG.Handle(); }));
        MessageBoxAnswer answer(IDYES);

        SendMessageW(window.lstLANG.Handle(), WM_KEYDOWN, VK_DOWN, 1);
        if (std::string(way) == "click") {
            SendMessageW(window.btnSTART.Handle(), BM_CLICK, 0, 0);
        } else {
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
            run.ProcessMessages();
        }

        EXPECT_EQ(answer.asked, 0);
        EXPECT_TRUE(run.Terminated());
        EXPECT_FALSE(window.Visible());
        EXPECT_TRUE(SetupManager().LanguageConfirmed);
        EXPECT_EQ(SetupManager().CurrentIndex, kJapanese);
    }
}

TEST_F(SelectionWindow, StartIsDisabledForALanguageWithoutFontAndEnterDoesNothing) {
    TOrnOVISetup000& window = Open(kGerman);
    EXPECT_FALSE(window.btnSTART.Enabled());
    PressKey(VK_RETURN);
    SendMessageW(window.btnSTART.Handle(), BM_CLICK, 0, 0);
    application.ProcessMessages();
    EXPECT_FALSE(application.Terminated());
    EXPECT_FALSE(SetupManager().LanguageConfirmed);

    PressKey(VK_UP);
    EXPECT_TRUE(window.btnSTART.Enabled());
}

// Every way of closing but Start asks the highlighted language's question, with No as default.
TEST_F(SelectionWindow, ClosingWithoutStartAsksAndNoKeepsTheWindowAsItWas) {
    TOrnOVISetup000& window = Open(kJapanese);
    const TLxSetupLanguageItem& japanese = ManagerCatalogue::Language(kJapanese);
    struct Case {
        const char* way;
        std::function<void()> close;
    };
    const Case cases[] = {
        {"cancel", [&] { SendMessageW(window.btnCANCEL.Handle(), BM_CLICK, 0, 0); }},
        {"escape", [&] { PressKey(VK_ESCAPE); }},
        {"close box", [&] { PostMessageW(window.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.way);
        MessageBoxAnswer answer(IDNO);
        int indexWhileAsked = 0;
        answer.whileAsked = [&] { indexWhileAsked = SetupManager().CurrentIndex; };
        test.close();
        ASSERT_TRUE(PumpUntil(application, [&] { return answer.asked == 1; }));

        EXPECT_EQ(answer.text, japanese.GetMessage(102));
        EXPECT_EQ(answer.caption, japanese.Title);
        EXPECT_EQ(answer.owner, window.Handle());
        EXPECT_EQ(answer.defaultButton, IDNO);
        EXPECT_EQ(indexWhileAsked, -1);

        EXPECT_FALSE(application.Terminated());
        EXPECT_TRUE(window.Visible());
        EXPECT_EQ(SetupManager().CurrentIndex, kJapanese);
        EXPECT_EQ(window.lstLANG.ItemIndex(), kJapanese);
        EXPECT_EQ(window.Caption(), japanese.Title);
    }
}

TEST_F(SelectionWindow, YesToTheCloseQuestionClosesWithoutALanguage) {
    const std::vector<std::function<void(TOrnOVISetup000&)>> ways{
        [](TOrnOVISetup000& window) { SendMessageW(window.btnCANCEL.Handle(), BM_CLICK, 0, 0); },
        [](TOrnOVISetup000& window) { PostMessageW(window.Handle(), WM_CLOSE, 0, 0); },
    };
    for (const auto& close : ways) {
        TZelApplication run(TZelTaskbarButton::MainForm);
        SetupManager().SetCurrentIndex(kEnglish);
        TOrnOVISetup000& window = run.CreateForm<TOrnOVISetup000>();
        window.Show();
        MessageBoxAnswer answer(IDYES);
        close(window);
        ASSERT_TRUE(PumpUntil(run, [&] { return run.Terminated(); }));
        EXPECT_EQ(answer.asked, 1);
        EXPECT_FALSE(window.Visible());
        EXPECT_EQ(SetupManager().CurrentIndex, -1);
        EXPECT_FALSE(SetupManager().LanguageConfirmed);
    }
}

// A 32-bit bitmap of our own to draw entries into, filled with a colour no entry uses.
class EntryCanvas {
public:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 60;
    static constexpr COLORREF kUntouched = RGB(255, 0, 255);

    EntryCanvas() : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ =
            TZelGdiObject<HBITMAP>(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        pixels_ = static_cast<const uint32_t*>(bits);
        selection_ = std::make_unique<TZelSelection>(dc_, bitmap_.Handle());
        const RECT all{0, 0, kWidth, kHeight};
        TZelGdiObject<HBRUSH> brush(CreateSolidBrush(kUntouched));
        FillRect(dc_, &all, brush.Handle());
    }
    ~EntryCanvas() {
        selection_.reset();
        DeleteDC(dc_);
    }

    HDC Handle() const { return dc_; }
    std::vector<uint32_t> Pixels() const {
        GdiFlush();
        return {pixels_, pixels_ + kWidth * kHeight};
    }

private:
    HDC dc_;
    TZelGdiObject<HBITMAP> bitmap_;
    const uint32_t* pixels_ = nullptr;
    std::unique_ptr<TZelSelection> selection_;
};

TEST_F(SelectionWindow, DrawsEachEntryInItsStateColoursCentredAndClippedToItsRow) {
    const TOrnOVISetup000& window = Open(kEnglish);
    struct Case {
        int index;
        bool selected;
        RECT row;
        int background; // system colours; -1: nothing is drawn
        int text;
    };
    const Case cases[] = {
        {kEnglish, false, {10, 5, 190, 21}, COLOR_WINDOW, COLOR_WINDOWTEXT},
        {kEnglish, true, {10, 5, 190, 45}, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT},
        {kGerman, false, {0, 0, 180, 16}, COLOR_WINDOW, COLOR_GRAYTEXT},
        {kGerman, true, {0, 20, 180, 36}, COLOR_WINDOW, COLOR_GRAYTEXT},
        // A row narrower than the name cuts it at its right edge.
        {kJapanese, false, {20, 10, 45, 26}, COLOR_WINDOW, COLOR_WINDOWTEXT},
        {3, true, {0, 0, 180, 16}, -1, -1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.index);
        EntryCanvas drawn;
        DRAWITEMSTRUCT item{ODT_LISTBOX,
                            static_cast<UINT>(GetDlgCtrlID(window.lstLANG.Handle())),
                            static_cast<UINT>(test.index),
                            ODA_DRAWENTIRE,
                            test.selected ? static_cast<UINT>(ODS_SELECTED) : 0u,
                            window.lstLANG.Handle(),
                            drawn.Handle(),
                            test.row,
                            0};
        SendMessageW(window.Handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));

        // What the entry must look like: its row in the background colour, the name 4 pixels
        // from the left, as far below the row's top as the font's height leaves room above and
        // below, cut at the row's edges.
        EntryCanvas expected;
        if (test.background >= 0) {
            const HDC dc = expected.Handle();
            TZelSelection font(dc, window.lstLANG.Font());
            FillRect(dc, &test.row, GetSysColorBrush(test.background));
            SetBkColor(dc, GetSysColor(test.background));
            SetTextColor(dc, GetSysColor(test.text));
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            const int top = test.row.top + (test.row.bottom - test.row.top - metrics.tmHeight) / 2;
            const std::wstring& name = ManagerCatalogue::Language(test.index).EnName;
            ExtTextOutW(dc, test.row.left + 4, top, ETO_CLIPPED, &test.row, name.c_str(),
                        static_cast<UINT>(name.size()), nullptr);
        }
        EXPECT_TRUE(drawn.Pixels() == expected.Pixels());
    }
}

TEST(SelectionWindowRun, RunsAsTheMainWindowWithItsOwnTaskbarButtonUntilItCloses) {
    ManagerCatalogue catalogue;
    catalogue.Load();
    SetupManager().SetCurrentIndex(kJapanese);
    HWND found = nullptr;
    LONG_PTR exStyle = 0;
    HWND owner = nullptr;
    // Once the window is up, look at it and press its Start button.
    const ThreadTimer whenShown([&] {
        const HWND shown = FindWindowW(L"TOrnOVISetup000", nullptr);
        if (!shown || !IsWindowVisible(shown))
            return;
        found = shown;
        exStyle = GetWindowLongPtrW(found, GWL_EXSTYLE);
        owner = GetWindow(found, GW_OWNER);
        auto* window = dynamic_cast<TOrnOVISetup000*>(TZelForm::FromHandle(found));
        if (window)
            PostMessageW(window->btnSTART.Handle(), BM_CLICK, 0, 0);
    });

    RunSelectionWindow();

    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(owner, nullptr);
    EXPECT_FALSE(IsWindow(found));
    EXPECT_TRUE(SetupManager().LanguageConfirmed);
    EXPECT_EQ(SetupManager().CurrentIndex, kJapanese);
}

} // namespace
