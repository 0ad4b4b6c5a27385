#include "windows/ProgUnit.h"

#include "platform/Paths.h"
#include "setup/SharedNames.h"
#include "setup/ProductPaths.h"
#include "setup/ornLxSetup.h"
#include "strings/ZelStrUtl.h"
#include "text/TextFiles.h"
#include "toolkit/GdiObjects.h"
#include "toolkit/PathEllipsis.h"
#include "windows/ProgressLayout.h"
#include "toolkit/TextMeasure.h"

#include <algorithm>

namespace {

TZelFormDesign ProgressDesign() {
    using namespace progress_layout;
    return {kProgressWindowClass,
            TZelFormBorder::None,
            kClientWidth,
            kClientHeight,
            L"OrnOVIProgress000",
            L"Tahoma",
            8,
            ANSI_CHARSET};
}

constexpr uint32_t kCreepInterval = 500; // milliseconds
// Each completion report doubles the interval to the close; it stops growing here, so that a
// flood of reports can neither push the close out of reach nor wrap the interval to 0.
constexpr uint32_t kLongestCloseInterval = 4 * kCreepInterval;
// No path is longer; a longer text from the exchange file is cut here.
constexpr size_t kLongestPath = 32767;
// While the converter is silent the bar never fills: its maximum grows by this much ahead of it.
constexpr int kCreepHeadroom = 10;

// Draws a line through the points with a 1-pixel pen of the system colour.
template <size_t N> void DrawPolyline(HDC dc, int colour, const POINT (&points)[N]) {
    TZelGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, GetSysColor(colour)));
    TZelSelection selection(dc, pen.Get());
    MoveToEx(dc, points[0].x, points[0].y, nullptr);
    for (size_t i = 1; i < N; ++i)
        LineTo(dc, points[i].x, points[i].y);
}

// The file the converter names in its exchange file, as the progress line shows it: the first
// line of the text, cut to the longest path, without a long-path prefix. The text comes from
// another program through a folder every account may write, so it is only ever treated as text.
std::wstring CurrentFileOf(const std::wstring& exchangeText) {
    std::wstring line = exchangeText.substr(0, exchangeText.find_first_of(L"\r\n"));
    if (line.size() > kLongestPath)
        line.resize(kLongestPath);
    return StripLongPathPrefix(line);
}

} // namespace

std::wstring ExchangeFileName(HWND window) {
    return L"RP" + UpperHexText(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)), 8) +
           L".eres";
}

TOrnOVIProgress000::TOrnOVIProgress000(TZelApplication& application, TLxSetupManager& manager)
    : TZelForm(application, ProgressDesign()),
      lblSTATUS(*this, progress_layout::kStatus, TZelLabelSizing::AutoSize, L"lblSTATUS"),
      lblPROGRESS(*this, progress_layout::kProgress, TZelLabelSizing::AutoSize, L"lblPROGRESS"),
      barPROGRESS(*this, progress_layout::kBar), timPROG(*this, kCreepInterval),
      // Known before the window exists, so that no report can arrive unrecognised.
      converterMessage_(ConverterResultMessage()), manager_(manager) {
    timPROG.OnTimer = [this] { timPROGTimer(); };
}

void TOrnOVIProgress000::FormCreate() {
    manager_.SelectLanguageFromOption();
    ConvertStatusText.clear();
    ConvertProgressText.clear();
    if (const TLxSetupLanguageItem* language = manager_.CurrentLanguage()) {
        SetCaption(language->Title);
        Application().SetTitle(Caption());
        const TZelLanguageFontInfo& font = language->FontInfo();
        SetFont(font.GetFontName(), font.Size, font.Charset);
        lblSTATUS.SetCaption(language->EngSta);
        lblPROGRESS.SetCaption(language->EngVew);
        ConvertStatusText = language->EngIst;
        ConvertProgressText = language->EngMan;
    }
    ProgressBase = -1;
    Finishing = false;
}

void TOrnOVIProgress000::FormShow() {
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
    timPROG.SetEnabled(true);
}

void TOrnOVIProgress000::FormClose() {
    timPROG.SetEnabled(false);
}

void TOrnOVIProgress000::timPROGTimer() {
    if (Finishing) {
        timPROG.SetEnabled(false);
        Close();
        return;
    }
    if (ProgressBase >= 0)
        return;
    const int position = barPROGRESS.Position();
    if (position + 1 >= barPROGRESS.Max())
        barPROGRESS.SetMax(barPROGRESS.Max() + kCreepHeadroom);
    barPROGRESS.SetPosition(position + 1);
}

LRESULT TOrnOVIProgress000::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (converterMessage_ != 0 && message == converterMessage_) {
        ConverterReported(wParam, lParam);
        return 0;
    }
    return TZelForm::WndProc(message, wParam, lParam);
}

void TOrnOVIProgress000::ConverterReported(WPARAM code, LPARAM counts) {
    const int total = LOWORD(counts);
    const int done = HIWORD(counts);
    if (ProgressBase < 0) {
        timPROG.SetEnabled(false);
        ProgressBase = barPROGRESS.Position();
        lblSTATUS.SetCaption(ConvertStatusText);
        lblPROGRESS.SetCaption(ConvertProgressText);
    }
    switch (code) {
    case ccProgress:
        barPROGRESS.SetMax(ProgressBase + total);
        barPROGRESS.SetPosition(ProgressBase + done);
        break;
    case ccNextFile:
        barPROGRESS.SetMax(ProgressBase + total);
        ShowCurrentFile();
        break;
    case ccFinished:
    case ccFinishedOther:
        barPROGRESS.SetMax(ProgressBase + total);
        barPROGRESS.SetPosition(barPROGRESS.Max());
        Finishing = true;
        // The window closes one (doubled) interval later.
        timPROG.SetInterval(std::min(timPROG.Interval() * 2, kLongestCloseInterval));
        timPROG.SetEnabled(true);
        break;
    }
    // Show the new state at once. A report arriving meanwhile is handled inside this one; it does
    // not start a loop of its own, so that a burst of reports cannot nest ever deeper.
    if (reporting_)
        return;
    reporting_ = true;
    Application().ProcessMessages();
    reporting_ = false;
}

void TOrnOVIProgress000::ShowCurrentFile() {
    const std::wstring folder = GetRegEpubPath();
    if (folder.empty())
        return;
    std::wstring text;
    ReadTextFile(folder + ExchangeFileName(Handle()), text, teUtf8Bom);
    const std::wstring path = CurrentFileOf(text);
    if (path.empty())
        return;
    const HFONT font = Font().Handle();
    const auto widthOf = [font](const std::wstring& text) { return TextExtent(font, text).cx; };
    lblPROGRESS.SetCaption(ShortenPathFromLeft(path, widthOf, barPROGRESS.Width()));
}

void TOrnOVIProgress000::FormPaint(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int w = client.right;
    const int h = client.bottom;
    // A raised edge of two lines: dark at the bottom and right, light at the top and left.
    DrawPolyline(dc, COLOR_BTNSHADOW,
                 {{0, h - 1}, {w - 1, h - 1}, {w - 1, 0}, {w - 2, 1}, {w - 2, h - 2}, {0, h - 2}});
    DrawPolyline(dc, COLOR_BTNHIGHLIGHT,
                 {{0, h - 2}, {0, 1}, {w - 2, 1}, {w - 1, 0}, {0, 0}, {0, h - 1}});
}

void RunProgressWindow(TLxSetupManager& manager) {
    TZelApplication application(TZelTaskbarButton::ApplicationWindow);
    application.CreateForm<TOrnOVIProgress000>(manager);
    application.Run();
}
