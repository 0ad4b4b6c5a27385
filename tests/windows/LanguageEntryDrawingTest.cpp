// The drawing of the selection window's entries, judged by what shows: each entry's row filled
// in the colour of its state, the English name in the text colour of its state, 4 pixels in from
// the row's left edge and centred by the font's height, and nothing drawn outside the row.
#include "LanguageWindowsFixture.h"

#include "toolkit/GdiObjects.h"
#include "windows/MainUnit.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace {

using namespace language_windows_test;
using namespace toolkit_test;

// A 32-bit bitmap of our own to draw into, filled with one colour.
class Canvas {
public:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 60;

    explicit Canvas(COLORREF fill) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ =
            TZelGdiObject<HBITMAP>(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        pixels_ = static_cast<const uint32_t*>(bits);
        selection_ = std::make_unique<TZelSelection>(dc_, bitmap_.Get());
        const RECT all{0, 0, kWidth, kHeight};
        const TZelGdiObject<HBRUSH> brush(CreateSolidBrush(fill));
        FillRect(dc_, &all, brush.Get());
    }
    ~Canvas() {
        selection_.reset();
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Handle() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const uint32_t pixel = pixels_[y * kWidth + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    // The smallest rectangle within area holding every pixel that is not the colour given.
    std::optional<RECT> InkBounds(const RECT& area, COLORREF background) const {
        std::optional<RECT> bounds;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (At(x, y) != background)
                    bounds = bounds ? RECT{std::min<LONG>(bounds->left, x),
                                           std::min<LONG>(bounds->top, y),
                                           std::max<LONG>(bounds->right, x + 1),
                                           std::max<LONG>(bounds->bottom, y + 1)}
                                    : RECT{x, y, x + 1, y + 1};
        return bounds;
    }

private:
    HDC dc_;
    TZelGdiObject<HBITMAP> bitmap_;
    const uint32_t* pixels_ = nullptr;
    std::unique_ptr<TZelSelection> selection_;
};

// No colour an entry is drawn in.
constexpr COLORREF kUntouched = RGB(255, 0, 255);

// Whether every channel of the colour lies between those of the two others: text drawn with
// smoothed edges blends the text colour into the background.
bool Blends(COLORREF colour, COLORREF background, COLORREF text) {
    const auto between = [](int value, int a, int b) {
        return value >= std::min(a, b) && value <= std::max(a, b);
    };
    return between(GetRValue(colour), GetRValue(background), GetRValue(text)) &&
           between(GetGValue(colour), GetGValue(background), GetGValue(text)) &&
           between(GetBValue(colour), GetBValue(background), GetBValue(text));
}

int TextHeight(HFONT font) {
    const TZelScreenDC screen;
    const TZelSelection selection(screen.Get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    return metrics.tmHeight;
}

void ExpectDrawnOnlyInside(const Canvas& canvas, const RECT& row) {
    for (int y = 0; y < Canvas::kHeight; ++y) {
        for (int x = 0; x < Canvas::kWidth; ++x) {
            if (x < row.left || x >= row.right || y < row.top || y >= row.bottom) {
                ASSERT_EQ(canvas.At(x, y), kUntouched)
                    << "drawn outside the row at " << x << "," << y;
            }
        }
    }
}

class LanguageEntryDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue.Load();
        catalogue.Manager().SetCurrentIndex(kEnglish);
        window = &application.CreateForm<TOrnOVISetup000>(catalogue.Manager());
        // A font 13 pixels high, so that a 16-pixel row leaves 3 pixels to share: the text
        // starts 1 pixel below the row's top.
        for (int points = 6; points <= 12 && TextHeight(window->lstLANG.Font()) != 13; ++points)
            window->SetFont(L"DejaVu Sans", points, ANSI_CHARSET);
        ASSERT_EQ(TextHeight(window->lstLANG.Font()), 13)
            << "no size of the font is 13 pixels high";
    }

    // Has the window draw the entry into a canvas of its own.
    void Draw(const Canvas& canvas, int index, bool selected, const RECT& row) const {
        DRAWITEMSTRUCT item{ODT_LISTBOX,
                            static_cast<UINT>(GetDlgCtrlID(window->lstLANG.Handle())),
                            static_cast<UINT>(index),
                            ODA_DRAWENTIRE,
                            selected ? static_cast<UINT>(ODS_SELECTED) : 0u,
                            window->lstLANG.Handle(),
                            canvas.Handle(),
                            row,
                            0};
        SendMessageW(window->Handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    }

    // Where the name's glyphs put ink around the origin of its text: what the entry's text must
    // show, moved to its place. Glyphs may reach left of their origin.
    RECT GlyphInk(const std::wstring& name) const {
        constexpr int kMargin = 10;
        const COLORREF white = RGB(255, 255, 255);
        const Canvas glyphs(white);
        const TZelSelection font(glyphs.Handle(), window->lstLANG.Font());
        SetTextColor(glyphs.Handle(), RGB(0, 0, 0));
        SetBkMode(glyphs.Handle(), TRANSPARENT);
        TextOutW(glyphs.Handle(), kMargin, kMargin, name.c_str(), static_cast<int>(name.size()));
        RECT ink =
            glyphs.InkBounds({0, 0, Canvas::kWidth, Canvas::kHeight}, white).value_or(RECT{});
        OffsetRect(&ink, -kMargin, -kMargin);
        return ink;
    }

    ManagerCatalogue catalogue;
    TZelApplication application{TZelTaskbarButton::MainForm};
    TOrnOVISetup000* window = nullptr;
};

TEST_F(LanguageEntryDrawing, ShowsTheNameInItsStateColoursIndentedAndCentredInItsRow) {
    struct Case {
        const char* what;
        int index;
        bool selected;
        RECT row;
        int background; // system colours
        int text;
        int textTop; // below the row's top: half of what the 13-pixel text leaves, rounded down
    };
    const Case cases[] = {
        {"plain", kEnglish, false, {10, 5, 190, 21}, COLOR_WINDOW, COLOR_WINDOWTEXT, 1},
        {"highlighted, tall row",
         kEnglish,
         true,
         {10, 5, 190, 45},
         COLOR_HIGHLIGHT,
         COLOR_HIGHLIGHTTEXT,
         13},
        {"grey", kGerman, false, {0, 0, 180, 16}, COLOR_WINDOW, COLOR_GRAYTEXT, 1},
        {"grey highlighted", kGerman, true, {0, 20, 180, 36}, COLOR_WINDOW, COLOR_GRAYTEXT, 1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const Canvas canvas(kUntouched);
        Draw(canvas, test.index, test.selected, test.row);
        const COLORREF background = GetSysColor(test.background);
        const COLORREF text = GetSysColor(test.text);
        const RECT& row = test.row;

        ExpectDrawnOnlyInside(canvas, row);
        for (const POINT corner :
             {POINT{row.left, row.top}, POINT{row.right - 1, row.top},
              POINT{row.left, row.bottom - 1}, POINT{row.right - 1, row.bottom - 1}})
            EXPECT_EQ(canvas.At(corner.x, corner.y), background) << corner.x << "," << corner.y;

        const std::optional<RECT> ink = canvas.InkBounds(row, background);
        ASSERT_TRUE(ink.has_value()) << "no name shown";
        bool textColourShown = false;
        for (int y = ink->top; y < ink->bottom; ++y) {
            for (int x = ink->left; x < ink->right; ++x) {
                ASSERT_TRUE(Blends(canvas.At(x, y), background, text)) << x << "," << y;
                textColourShown = textColourShown || canvas.At(x, y) == text;
            }
        }
        EXPECT_TRUE(textColourShown);
        const RECT glyphs = GlyphInk(catalogue.Language(test.index).EnName);
        EXPECT_EQ(ink->left, row.left + 4 + glyphs.left);
        EXPECT_EQ(ink->top, row.top + test.textTop + glyphs.top);
        EXPECT_EQ(ink->right - ink->left, glyphs.right - glyphs.left) << "the whole name shows";
        EXPECT_EQ(ink->bottom - ink->top, glyphs.bottom - glyphs.top);
    }
}

TEST_F(LanguageEntryDrawing, CutsANameWiderThanItsRowAtTheRowsEdge) {
    const Canvas canvas(kUntouched);
    const RECT row{20, 10, 45, 26};
    Draw(canvas, kJapanese, false, row);
    const RECT glyphs = GlyphInk(catalogue.Language(kJapanese).EnName);
    ASSERT_GT(4 + glyphs.right, row.right - row.left) << "the name must be wider than the row";

    ExpectDrawnOnlyInside(canvas, row);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(canvas.At(row.left, row.top), background);
    EXPECT_EQ(canvas.At(row.left, row.bottom - 1), background);
    const std::optional<RECT> ink = canvas.InkBounds(row, background);
    ASSERT_TRUE(ink.has_value()) << "no name shown";
    EXPECT_EQ(ink->left, row.left + 4 + glyphs.left);
    EXPECT_EQ(ink->right, row.right) << "the name runs on to the row's right edge";
}

TEST_F(LanguageEntryDrawing, AnEntryBeyondTheCatalogueDrawsNothing) {
    const Canvas canvas(kUntouched);
    Draw(canvas, 3, true, {0, 0, 180, 16});
    EXPECT_FALSE(canvas.InkBounds({0, 0, Canvas::kWidth, Canvas::kHeight}, kUntouched));
}

} // namespace
