#include "FitCheck.h"

#include "DumpQuote.h"

#include "language/ornLxLanguages.h"
#include "toolkit/GdiObjects.h"
#include "windows/ProgressLayout.h"
#include "windows/SelectionLayout.h"
#include "toolkit/TextMeasure.h"
#include "toolkit/WindowFont.h"

#include <cstdio>
#include <vector>

namespace {

// A text measured against its place, in pixels of the screen.
struct Placement {
    std::string name;
    SIZE needs;
    SIZE has;
};

bool IsCut(const Placement& placement) {
    return placement.needs.cx > placement.has.cx || placement.needs.cy > placement.has.cy;
}

SIZE ScaledSize(const TZelBounds& bounds, int dpi) {
    return {ScaleFromDesign(bounds.width, dpi), ScaleFromDesign(bounds.height, dpi)};
}

// A word-wrapped label draws its text broken between words, tabs expanded and "&" shown as it is.
Placement InWrappedLabel(std::string name, HFONT font, const std::wstring& text,
                         const TZelBounds& bounds, int dpi) {
    const SIZE has = ScaledSize(bounds, dpi);
    const SIZE needs =
        DrawnTextExtent(font, text, DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX, has.cx);
    return {std::move(name), needs, has};
}

// A push button draws its caption on one line, with "&" marking the access key, inside its raised
// edge and the focus rectangle one pixel within that.
Placement OnButton(std::string name, HFONT font, const std::wstring& caption,
                   const TZelBounds& bounds, int dpi) {
    constexpr int kFocusGap = 1;
    SIZE has = ScaledSize(bounds, dpi);
    has.cx -= 2 * (GetSystemMetrics(SM_CXEDGE) + kFocusGap);
    has.cy -= 2 * (GetSystemMetrics(SM_CYEDGE) + kFocusGap);
    return {std::move(name), DrawnTextExtent(font, caption, DT_SINGLELINE), has};
}

// The system draws the title in its own caption font, on one line, between the window's small
// icon and the close box, each followed by a gap. The window's fixed frame makes the caption
// bar as wide as the client area.
Placement InCaptionBar(const std::wstring& title, int dpi) {
    constexpr int kCaptionGap = 2;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    TZelGdiObject<HFONT> captionFont(CreateFontIndirectW(&metrics.lfCaptionFont));
    const int icon = GetSystemMetrics(SM_CXSMICON) + kCaptionGap;
    const int closeBox = GetSystemMetrics(SM_CXSIZE) + kCaptionGap;
    const SIZE has{ScaleFromDesign(selection_layout::kClientWidth, dpi) - icon - closeBox,
                   GetSystemMetrics(SM_CYCAPTION)};
    return {"title", DrawnTextExtent(captionFont.Get(), title, DT_SINGLELINE | DT_NOPREFIX), has};
}

// The list draws every language's row in the font of the highlighted language: the English
// name on one line, indented, inside the list's sunken edge and, when the rows do not all show,
// beside its scroll bar.
std::vector<Placement> InListRows(HFONT font, const std::vector<std::wstring>& names, int dpi) {
    const SIZE list = ScaledSize(selection_layout::kLanguages, dpi);
    const int rowHeight = ScaleFromDesign(selection_layout::kRowHeight, dpi);
    int rowWidth = list.cx - 2 * GetSystemMetrics(SM_CXEDGE);
    const int shownHeight = list.cy - 2 * GetSystemMetrics(SM_CYEDGE);
    if (static_cast<int>(names.size()) * rowHeight > shownHeight)
        rowWidth -= GetSystemMetrics(SM_CXVSCROLL);
    const SIZE has{rowWidth - selection_layout::kRowTextIndent, rowHeight};
    std::vector<Placement> rows;
    for (size_t i = 0; i < names.size(); ++i)
        rows.push_back({"row" + std::to_string(i), TextExtent(font, names[i]), has});
    return rows;
}

// A progress line takes the size of its text (unwrapped, line breaks kept) and shows it up to
// the window's edge across and down to the next control's top.
Placement InProgressLine(std::string name, HFONT font, const std::wstring& text,
                         const TZelBounds& line, int nextTop, int dpi) {
    using namespace progress_layout;
    const SIZE has{ScaleFromDesign(kClientWidth, dpi) - ScaleFromDesign(line.left, dpi) -
                       kEdgeWidth,
                   ScaleFromDesign(nextTop, dpi) - ScaleFromDesign(line.top, dpi)};
    return {std::move(name), TextBlockExtent(font, text), has};
}

// Every text the two windows show while the language is the current one.
std::vector<Placement> LanguagePlacements(const TLxSetupLanguageItem& language, HFONT font,
                                          const std::vector<std::wstring>& names, int dpi) {
    using namespace selection_layout;
    using progress_layout::kBar;
    using progress_layout::kProgress;
    using progress_layout::kStatus;
    std::vector<Placement> placements = {
        InCaptionBar(language.Title, dpi),
        InWrappedLabel("msg101", font, language.GetMessage(101), kMessage, dpi),
        OnButton("start", font, language.StartCaption, kStart, dpi),
        OnButton("cancel", font, language.CancelCaption, kCancel, dpi),
    };
    for (Placement& row : InListRows(font, names, dpi))
        placements.push_back(std::move(row));
    placements.push_back(
        InProgressLine("engsta", font, language.EngSta, kStatus, kProgress.top, dpi));
    placements.push_back(
        InProgressLine("engist", font, language.EngIst, kStatus, kProgress.top, dpi));
    placements.push_back(InProgressLine("engvew", font, language.EngVew, kProgress, kBar.top, dpi));
    placements.push_back(InProgressLine("engman", font, language.EngMan, kProgress, kBar.top, dpi));
    return placements;
}

// The face the system gave for the font: the family asked for, or its stand-in.
std::wstring FaceOf(HFONT font) {
    TZelScreenDC screen;
    TZelSelection selection(screen.Get(), font ? font : GetStockObject(SYSTEM_FONT));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(screen.Get(), LF_FACESIZE, face);
    return face;
}

std::string SizeText(SIZE size) {
    return std::to_string(size.cx) + "x" + std::to_string(size.cy);
}

std::string FontLine(int index, const TLxSetupLanguageItem& language, const TZelWindowFont& font) {
    char charset[8];
    std::snprintf(charset, sizeof charset, "%02X", static_cast<unsigned>(font.Charset()));
    return "font " + std::to_string(index) + " code=" + QuoteText(language.Code) +
           " name=" + QuoteText(font.Name()) + " face=" + QuoteText(FaceOf(font.Handle())) +
           " size=" + std::to_string(font.Size()) + " charset=" + charset + "\n";
}

std::string CutLine(int index, const TLxSetupLanguageItem& language, const Placement& placement) {
    return "cut " + std::to_string(index) + " code=" + QuoteText(language.Code) + " " +
           placement.name + " needs=" + SizeText(placement.needs) +
           " has=" + SizeText(placement.has) + "\n";
}

} // namespace

FitReport CheckFit(const std::wstring& fileName, int dpi) {
    FitReport report;
    TLxSetupLanguageCollection languages;
    languages.LoadFromFile(fileName);
    report.languages = languages.Count();
    report.text =
        "loaded " + std::to_string(report.languages) + "\ndpi " + std::to_string(dpi) + "\n";
    std::vector<std::wstring> names;
    for (int index = 0; index < languages.Count(); ++index)
        names.push_back(languages.Items(index)->EnName);

    int cuts = 0;
    for (int index = 0; index < languages.Count(); ++index) {
        const TLxSetupLanguageItem& language = *languages.Items(index);
        // The font the windows take when they show the language.
        const TZelLanguageFontInfo& info = language.FontInfo();
        const TZelWindowFont font(info.GetFontName(), info.Size, info.Charset, dpi);
        report.text += FontLine(index, language, font);
        for (const Placement& placement : LanguagePlacements(language, font.Handle(), names, dpi)) {
            if (!IsCut(placement))
                continue;
            report.text += CutLine(index, language, placement);
            ++cuts;
        }
    }
    report.anyCut = cuts > 0;
    report.text += cuts > 0 ? "result cut " + std::to_string(cuts) + "\n" : "result fits\n";
    return report;
}
