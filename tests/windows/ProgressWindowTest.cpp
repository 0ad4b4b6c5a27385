// The progress window driven with the converter's messages and the setup's close request: the
// creeping bar, the switch to the converter's counts, the current file, the closing.
#include "LanguageWindowsFixture.h"
#include "SavedRegistryValue.h"
#include "ShownFont.h"

#include "platform/FileOps.h"
#include "setup/ProductPaths.h"
#include "windows/ProgUnit.h"
#include "toolkit/TextMeasure.h"

#include <cwchar>

namespace {

using namespace language_windows_test;
using namespace testing_support;
using namespace toolkit_test;

constexpr wchar_t kViewerKey[] = L"Software\\HALDRIX\\Pagrion Viewer";
constexpr wchar_t kShellFolders[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The viewer's data folders, the converter's exchange folder among them, made afresh in a
// scratch folder; the machine's and the user's values come back afterwards.
class ScratchViewerFolders {
public:
    ScratchViewerFolders() {
        CreateDirectoryW((scratch_ / L"AppData").c_str(), nullptr);
        appData_.Set(scratch_ / L"AppData");
        commonPath_.Set(L"");
        userPath_.Set(L"");
    }

private:
    ScratchFolder scratch_;
    SavedRegistryValue appData_{HKEY_LOCAL_MACHINE, kShellFolders, L"Common AppData"};
    SavedRegistryValue commonPath_{HKEY_CURRENT_USER, kViewerKey, L"CommonPath"};
    SavedRegistryValue userPath_{HKEY_CURRENT_USER, kViewerKey, L"UserPath"};
};

class ProgressWindow : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue.Load();
        catalogue.SetOptions({L"-LANG:JA", L"-OVWPROGRESS"});
    }

    TOrnOVIProgress000& Open() {
        TOrnOVIProgress000& window =
            application.CreateForm<TOrnOVIProgress000>(catalogue.Manager());
        window.Show();
        return window;
    }

    // Sends a converter message as the converter posts it and returns the window's answer.
    static LRESULT Report(const TOrnOVIProgress000& window, WPARAM code, int total, int done = 0) {
        return SendMessageW(window.Handle(), ConverterResultMessage(), code,
                            static_cast<LPARAM>(MAKELONG(total, done)));
    }

    ScratchViewerFolders viewerFolders;
    ManagerCatalogue catalogue;
    TZelApplication application{TZelTaskbarButton::ApplicationWindow};
};

TEST_F(ProgressWindow, IsABorderlessTopmostPanelWithTheScaledLayout) {
    const TOrnOVIProgress000& window = Open();
    const int dpi = window.Dpi();

    wchar_t className[32] = {};
    GetClassNameW(window.Handle(), className, 32);
    EXPECT_STREQ(className, L"TOrnOVIProgress000");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window.Handle(), GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_BORDER), 0u);
    EXPECT_TRUE(GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, ScaleFromDesign(460, dpi));
    EXPECT_EQ(client.bottom, ScaleFromDesign(110, dpi));

    const RECT bar = PlacementOf(window.barPROGRESS.Handle());
    EXPECT_EQ(bar.left, ScaleFromDesign(30, dpi));
    EXPECT_EQ(bar.top, ScaleFromDesign(60, dpi));
    EXPECT_EQ(bar.right - bar.left, ScaleFromDesign(400, dpi));
    EXPECT_EQ(bar.bottom - bar.top, ScaleFromDesign(18, dpi));
    // The lines are as large as their texts.
    struct Case {
        const TZelLabel& label;
        int top;
    };
    for (const Case& test : {Case{window.lblSTATUS, 20}, Case{window.lblPROGRESS, 40}}) {
        const RECT placed = PlacementOf(test.label.Handle());
        EXPECT_EQ(placed.left, ScaleFromDesign(30, dpi));
        EXPECT_EQ(placed.top, ScaleFromDesign(test.top, dpi));
        const SIZE text = TextBlockExtent(window.Font().Handle(), test.label.Caption());
        EXPECT_EQ(placed.right - placed.left, text.cx);
        EXPECT_EQ(placed.bottom - placed.top, text.cy);
    }
}

TEST_F(ProgressWindow, SpeaksTheLanguageOfTheCommandLineOrShowsItsDesignTexts) {
    struct Case {
        const char* catalogue;
        std::vector<std::wstring> options;
        int language;      // -1: none
        ExpectedFont font; // the lines'
    };
    // German names no installed font: it is shown in the default GUI font at 10 points. Without
    // a language the window keeps its design font.
    const std::wstring guiFace = DefaultGuiFace();
    const Case cases[] = {
        {kCatalogueText,
         {L"-LANG:JA", L"-OVWPROGRESS"},
         kJapanese,
         {L"IPAPGothic", 10, SHIFTJIS_CHARSET}},
        {kCatalogueText,
         {L"-LANG:de", L"-OVWPROGRESS"},
         kGerman,
         {guiFace, 10, DEFAULT_CHARSET, false}},
        // An unknown code falls back to the default choice, which the test fixes to English.
        {kCatalogueText,
         {L"-LANG:zz", L"-OVWPROGRESS"},
         kEnglish,
         {L"DejaVu Sans", 9, ANSI_CHARSET}},
        {"<language/>", {L"-LANG:ja", L"-OVWPROGRESS"}, -1, {L"Tahoma", 8, ANSI_CHARSET, false}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.language);
        ManagerCatalogue languages;
        languages.Load(test.catalogue);
        // The default choice goes to the first usable language of the user's language.
        for (int i = 0; i < languages.Manager().Languages->Count(); ++i)
            languages.Language(i).LangID = static_cast<uint16_t>(UserLanguageID() + i);
        languages.SetOptions(test.options);
        TZelApplication run(TZelTaskbarButton::ApplicationWindow);
        const TOrnOVIProgress000& window = run.CreateForm<TOrnOVIProgress000>(languages.Manager());

        EXPECT_EQ(languages.Manager().CurrentIndex, test.language);
        if (test.language < 0) {
            EXPECT_EQ(window.Caption(), L"OrnOVIProgress000");
            EXPECT_EQ(run.Title(), L"");
            EXPECT_EQ(window.lblSTATUS.Caption(), L"lblSTATUS");
            EXPECT_EQ(window.lblPROGRESS.Caption(), L"lblPROGRESS");
            ExpectShownFont(window.lblPROGRESS.Handle(), test.font, window.Dpi());
            continue;
        }
        const TLxSetupLanguageItem& language = languages.Language(test.language);
        EXPECT_EQ(window.Caption(), language.Title);
        EXPECT_EQ(run.Title(), language.Title);
        EXPECT_EQ(window.lblSTATUS.Caption(), language.EngSta);
        EXPECT_EQ(window.lblPROGRESS.Caption(), language.EngVew);
        EXPECT_EQ(window.ConvertStatusText, language.EngIst);
        EXPECT_EQ(window.ConvertProgressText, language.EngMan);
        for (const TZelLabel* label : {&window.lblSTATUS, &window.lblPROGRESS})
            ExpectShownFont(label->Handle(), test.font, window.Dpi());
    }
}

TEST_F(ProgressWindow, BarCreepsOneStepPerTickAndItsMaximumStaysAhead) {
    TOrnOVIProgress000& window = Open();
    EXPECT_TRUE(window.timPROG.Enabled());
    EXPECT_EQ(window.timPROG.Interval(), 500u);
    EXPECT_EQ(window.barPROGRESS.Max(), 100);

    struct Step {
        int max, position;
    };
    // From 98 of 100: one step to 99, then the maximum grows by 10 before the bar would fill.
    const Step steps[] = {{100, 99}, {110, 100}, {110, 101}};
    window.barPROGRESS.SetPosition(98);
    for (const Step& step : steps) {
        const int before = window.barPROGRESS.Position();
        ASSERT_TRUE(
            PumpUntil(application, [&] { return window.barPROGRESS.Position() != before; }));
        EXPECT_EQ(window.barPROGRESS.Max(), step.max);
        EXPECT_EQ(window.barPROGRESS.Position(), step.position);
    }
}

TEST_F(ProgressWindow, FirstReportStopsTheCreepingAndSwitchesBothLines) {
    struct Case {
        WPARAM code;
        int total, done;
        int max, position;
    };
    const Case cases[] = {
        {ccProgress, 50, 5, 87, 42},
        {ccNextFile, 50, 0, 87, 37},
        // Codes the window does not know only switch to the converter's state.
        {7, 50, 5, 100, 37},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.code);
        TZelApplication run(TZelTaskbarButton::ApplicationWindow);
        TOrnOVIProgress000& window = run.CreateForm<TOrnOVIProgress000>(catalogue.Manager());
        window.Show();
        window.barPROGRESS.SetPosition(37);

        EXPECT_EQ(Report(window, test.code, test.total, test.done), 0);
        EXPECT_EQ(window.ProgressBase, 37);
        EXPECT_FALSE(window.timPROG.Enabled());
        EXPECT_EQ(window.barPROGRESS.Max(), test.max);
        EXPECT_EQ(window.barPROGRESS.Position(), test.position);
        const TLxSetupLanguageItem& japanese = catalogue.Language(kJapanese);
        EXPECT_EQ(window.lblSTATUS.Caption(), japanese.EngIst);
        EXPECT_EQ(window.lblPROGRESS.Caption(), japanese.EngMan);

        // Later counts are added to the same base.
        Report(window, ccProgress, 60, 30);
        EXPECT_EQ(window.ProgressBase, 37);
        EXPECT_EQ(window.barPROGRESS.Max(), 97);
        EXPECT_EQ(window.barPROGRESS.Position(), 67);
    }
}

TEST_F(ProgressWindow, CompletionFillsTheBarAndClosesOneDoubledIntervalLater) {
    struct Case {
        std::vector<WPARAM> codes;
        uint32_t interval;
    };
    // However many completion reports come, the interval stays short enough to be armed.
    const Case cases[] = {{{ccFinished}, 1000},
                          {{ccFinishedOther, ccFinishedOther}, 2000},
                          {std::vector<WPARAM>(40, ccFinished), 2000}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.interval);
        TZelApplication run(TZelTaskbarButton::ApplicationWindow);
        TOrnOVIProgress000& window = run.CreateForm<TOrnOVIProgress000>(catalogue.Manager());
        window.Show();
        window.barPROGRESS.SetPosition(37);
        for (const WPARAM code : test.codes)
            Report(window, code, 4);

        EXPECT_TRUE(window.Finishing);
        EXPECT_EQ(window.barPROGRESS.Max(), 41);
        EXPECT_EQ(window.barPROGRESS.Position(), 41);
        EXPECT_TRUE(window.timPROG.Enabled());
        EXPECT_EQ(window.timPROG.Interval(), test.interval);
        EXPECT_TRUE(window.Visible());
        ASSERT_TRUE(PumpUntil(run, [&] { return run.Terminated(); }));
        EXPECT_FALSE(window.Visible());
        EXPECT_FALSE(window.timPROG.Enabled());
    }
}

TEST_F(ProgressWindow, CloseRequestOfTheSetupClosesItAtOnce) {
    TOrnOVIProgress000& window = Open();
    PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
    application.ProcessMessages();
    EXPECT_TRUE(application.Terminated());
    EXPECT_FALSE(window.Visible());
    EXPECT_FALSE(window.timPROG.Enabled());
}

TEST_F(ProgressWindow, ABurstOfReportsIsHandledOneAfterTheOther) {
    TOrnOVIProgress000& window = Open();
    // Enough that reports which each let the pending ones run inside them would overflow the
    // stack.
    constexpr int kReports = 4000;
    for (int done = 1; done <= kReports; ++done)
        PostMessageW(window.Handle(), ConverterResultMessage(), ccProgress,
                     static_cast<LPARAM>(MAKELONG(60000, done)));
    ASSERT_TRUE(PumpUntil(application, [&] {
        return window.ProgressBase >= 0 &&
               window.barPROGRESS.Position() == window.ProgressBase + kReports;
    }));
}

// The exchange file of a window in the converter's folder, removed at the end.
class ExchangeFile {
public:
    explicit ExchangeFile(HWND window) : path_(GetRegEpubPath() + ExchangeFileName(window)) {}
    ~ExchangeFile() { DeleteFileW(path_.c_str()); }
    ExchangeFile(const ExchangeFile&) = delete;
    ExchangeFile& operator=(const ExchangeFile&) = delete;

    void Write(const std::wstring& text) const { WriteBytes(path_, "\xEF\xBB\xBF" + Utf8(text)); }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

TEST(ProgressWindowExchangeFile, IsNamedAfterTheWindowHandleInEightUpperCaseHexDigits) {
    EXPECT_EQ(ExchangeFileName(reinterpret_cast<HWND>(0x2A)), L"RP0000002A.eres");
    EXPECT_EQ(ExchangeFileName(reinterpret_cast<HWND>(0x1ABCDEF)), L"RP01ABCDEF.eres");
}

TEST_F(ProgressWindow, ShowsTheConvertersCurrentFileShortenedFromTheLeft) {
    TOrnOVIProgress000& window = Open();
    const ExchangeFile exchange(window.Handle());
    ASSERT_FALSE(GetRegEpubPath().empty());
    const auto widthOf = [&](const std::wstring& text) {
        return TextExtent(window.Font().Handle(), text).cx;
    };
    const int barWidth = window.barPROGRESS.Width();

    // No file yet: the line keeps the text it has.
    Report(window, ccNextFile, 9);
    EXPECT_EQ(window.lblPROGRESS.Caption(), catalogue.Language(kJapanese).EngMan);

    const std::wstring shortPath = L"C:\\\x30DE\x30CB\x30E5\x30A2\x30EB\\book.epub";
    exchange.Write(shortPath);
    Report(window, ccNextFile, 9);
    EXPECT_EQ(window.lblPROGRESS.Caption(), shortPath);

    std::wstring deepFolder;
    for (int level = 1; level <= 30; ++level)
        deepFolder += L"\\folder" + std::to_wstring(level);
    exchange.Write(L"C:" + deepFolder + L"\\book.epub");
    Report(window, ccNextFile, 9);
    const std::wstring shown = window.lblPROGRESS.Caption();
    ASSERT_EQ(shown.rfind(L"C:\\...\\folder", 0), 0u) << Utf8(shown);
    // The deepest folders that fit stay; one more would not fit.
    const std::wstring kept = shown.substr(6, shown.size() - 6 - 10);
    EXPECT_EQ(deepFolder.substr(deepFolder.size() - kept.size()), kept);
    EXPECT_LT(widthOf(shown), barWidth);
    const size_t dropped = deepFolder.rfind(L'\\', deepFolder.size() - kept.size() - 1);
    EXPECT_GE(widthOf(L"C:\\...\\" + deepFolder.substr(dropped + 1) + L"\\book.epub"), barWidth);
    EXPECT_EQ(window.barPROGRESS.Max(), window.ProgressBase + 9);
}

TEST_F(ProgressWindow, ShowsOnlyThePathThatTheExchangeFileTextCanName) {
    TOrnOVIProgress000& window = Open();
    const ExchangeFile exchange(window.Handle());
    std::wstring hugeText = L"C:";
    while (hugeText.size() < 40000)
        hugeText += L"\\f";
    struct Case {
        std::wstring text;
        std::wstring shown;
    };
    const Case cases[] = {
        {L"\\\\?\\C:\\Contents\\book.epub", L"C:\\Contents\\book.epub"},
        {L"\\\\?\\UNC\\server\\share\\book.epub", L"\\\\server\\share\\book.epub"},
        {L"C:\\Contents\\book.epub\r\nC:\\second\\line.epub\r\n", L"C:\\Contents\\book.epub"},
        // Cut to the longest path, then shortened to the bar like any path.
        {hugeText, L"C:\\...\\f"},
    };
    for (const Case& test : cases) {
        exchange.Write(test.text);
        Report(window, ccNextFile, 9);
        const std::wstring shown = window.lblPROGRESS.Caption();
        if (test.text == hugeText) {
            EXPECT_TRUE(shown.starts_with(test.shown)) << Utf8(shown.substr(0, 40));
            EXPECT_LT(TextExtent(window.Font().Handle(), shown).cx, window.barPROGRESS.Width());
        } else {
            EXPECT_EQ(shown, test.shown);
        }
        // One line high: the label does not grow over the bar.
        RECT label{}, bar{};
        GetWindowRect(window.lblPROGRESS.Handle(), &label);
        GetWindowRect(window.barPROGRESS.Handle(), &bar);
        EXPECT_LE(label.bottom, bar.top);
    }
}

TEST_F(ProgressWindow, FollowsTheConverterToTheEnd) {
    TOrnOVIProgress000& window = Open();
    const ExchangeFile exchange(window.Handle());
    const ScratchFolder folder;
    CopyTo(ProgramFolder() + L"lxdbconv.exe", folder / L"lxdbconv.exe");
    const std::wstring book = L"C:\\Contents\\manual one.epub";
    WriteBytes(folder / L"lxdbconv.exe.steer.txt", "regsubp: file " + Utf8(book) +
                                                       "\r\n"
                                                       "regsubp: post 6 3\r\n"
                                                       "regsubp: post 2 3 1\r\n"
                                                       "regsubp: post 2 3 2\r\n"
                                                       "regsubp: post 20 3\r\n");
    wchar_t handle[16];
    std::swprintf(handle, 16, L"%X",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(window.Handle())));
    ChildProcess converter(L"\"" + (folder / L"lxdbconv.exe") + L"\" -m:regsubp -h:" + handle);
    ASSERT_TRUE(converter.Started());

    ASSERT_TRUE(PumpUntil(application, [&] { return application.Terminated(); }));
    EXPECT_EQ(window.lblSTATUS.Caption(), catalogue.Language(kJapanese).EngIst);
    EXPECT_EQ(window.lblPROGRESS.Caption(), book);
    EXPECT_EQ(window.barPROGRESS.Max(), window.ProgressBase + 3);
    EXPECT_EQ(window.barPROGRESS.Position(), window.barPROGRESS.Max());
    EXPECT_TRUE(converter.Wait(5000).finished);
}

TEST_F(ProgressWindow, PaintsARaisedEdge) {
    const TOrnOVIProgress000& window = Open();
    UpdateWindow(window.Handle());
    RECT client{};
    GetClientRect(window.Handle(), &client);
    const int w = client.right;
    const int h = client.bottom;
    struct Case {
        POINT point;
        int colour;
    };
    const Case cases[] = {
        {{w / 2, 0}, COLOR_BTNHIGHLIGHT},  {{w / 2, 1}, COLOR_BTNHIGHLIGHT},
        {{0, h / 2}, COLOR_BTNHIGHLIGHT},  {{0, h - 2}, COLOR_BTNHIGHLIGHT},
        {{w / 2, h - 1}, COLOR_BTNSHADOW}, {{w / 2, h - 2}, COLOR_BTNSHADOW},
        {{w - 1, h / 2}, COLOR_BTNSHADOW}, {{w - 2, h / 2}, COLOR_BTNSHADOW},
        {{1, h / 2}, COLOR_BTNFACE},       {{w - 3, h / 2}, COLOR_BTNFACE},
    };
    const HDC dc = GetDC(window.Handle());
    for (const Case& test : cases)
        EXPECT_EQ(GetPixel(dc, test.point.x, test.point.y), GetSysColor(test.colour))
            << test.point.x << "," << test.point.y;
    ReleaseDC(window.Handle(), dc);
}

TEST(ProgressWindowRun, RunsWithoutATaskbarButtonOfItsOwnUntilTheSetupClosesIt) {
    ManagerCatalogue catalogue;
    catalogue.Load();
    catalogue.SetOptions({L"-LANG:en", L"-OVWPROGRESS"});
    HWND found = nullptr;
    LONG_PTR exStyle = 0;
    HWND owner = nullptr;
    const ThreadTimer whenShown([&] {
        const HWND shown = ShownWindowOfThisThread(L"TOrnOVIProgress000");
        if (!shown)
            return;
        found = shown;
        exStyle = GetWindowLongPtrW(found, GWL_EXSTYLE);
        owner = GetWindow(found, GW_OWNER);
        PostMessageW(found, WM_CLOSE, 0, 0);
    });

    RunProgressWindow(catalogue.Manager());

    ASSERT_NE(found, nullptr);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    // The application's own window carries the button and owns the progress window.
    EXPECT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindow(found));
    EXPECT_EQ(catalogue.Manager().CurrentIndex, kEnglish);
}

} // namespace
