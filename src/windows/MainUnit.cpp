#include "windows/MainUnit.h"

#include "platform/MessageBox.h"
#include "setup/SharedNames.h"
#include "setup/ornLxSetup.h"
#include "toolkit/GdiObjects.h"
#include "windows/SelectionLayout.h"
#include "toolkit/TextMeasure.h"

namespace {

TZelFormDesign SelectionDesign() {
    using namespace selection_layout;
    return {kSelectionWindowClass,
            TZelFormBorder::Single,
            kClientWidth,
            kClientHeight,
            L"OrnOVISetup000",
            L"Tahoma",
            8,
            DEFAULT_CHARSET};
}

// The sample whose height centres an entry's text in its row: a high and a descending glyph.
constexpr wchar_t kHeightSample[] = L"#g";
// Yes and No with the question icon, No being the default.
constexpr uint32_t kCloseQuestionFlags = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;

struct EntryColours {
    int background;
    int text;
};

// A language that cannot be installed is grey whether it is highlighted or not.
EntryColours ColoursOf(bool usable, bool selected) {
    if (!usable)
        return {COLOR_WINDOW, COLOR_GRAYTEXT};
    if (selected)
        return {COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
    return {COLOR_WINDOW, COLOR_WINDOWTEXT};
}

} // namespace

TOrnOVISetup000::TOrnOVISetup000(TZelApplication& application, TLxSetupManager& manager)
    : TZelForm(application, SelectionDesign()),
      lblMSG(*this, selection_layout::kMessage, TZelLabelSizing::WordWrap),
      lstLANG(*this, selection_layout::kLanguages, selection_layout::kRowHeight),
      btnSTART(*this, selection_layout::kStart, TZelButtonRole::Default),
      btnCANCEL(*this, selection_layout::kCancel, TZelButtonRole::Cancel), manager_(manager) {
    lstLANG.OnClick = [this] { lstLANGClick(); };
    lstLANG.OnDrawItem = [this](const TZelDrawItem& item) { lstLANGDrawItem(item); };
    btnSTART.OnClick = [this] { btnSTARTClick(); };
    btnCANCEL.OnClick = [this] { btnCANCELClick(); };
    // The window is made in the language it opens with: its font and texts are not made in the
    // design's first and then replaced.
    ApplyLanguage();
}

void TOrnOVISetup000::FormCreate() {
    AskOnClose = true;
    CloseQuestion.clear();
    ApplyLanguage();
    lstLANG.AddItems(manager_.GetLanguageNames());
    lstLANG.SetItemIndex(manager_.CurrentIndex);
}

void TOrnOVISetup000::FormShow() {
    ApplyLanguage();
    lstLANGClick();
}

void TOrnOVISetup000::ApplyLanguage() {
    const TLxSetupLanguageItem* language = manager_.CurrentLanguage();
    if (!language)
        return;
    SetCaption(language->Title);
    Application().SetTitle(Caption());
    const TZelLanguageFontInfo& font = language->FontInfo();
    SetFont(font.GetFontName(), font.Size, font.Charset);
    btnSTART.SetCaption(language->StartCaption);
    btnCANCEL.SetCaption(language->CancelCaption);
    lblMSG.SetCaption(language->GetMessage(msgChooseLanguage));
    CloseQuestion = language->GetMessage(msgCloseQuestion);
}

void TOrnOVISetup000::lstLANGClick() {
    const int index = lstLANG.ItemIndex();
    if (index < 0 || index >= manager_.Languages->Count())
        return;
    manager_.SetCurrentIndex(index);
    const TLxSetupLanguageItem* language = manager_.CurrentLanguage();
    btnSTART.SetEnabled(language && language->Usable);
    ApplyLanguage();
}

void TOrnOVISetup000::lstLANGDrawItem(const TZelDrawItem& item) {
    const TLxSetupLanguageItem* language = manager_.Languages->Items(item.index);
    if (!language)
        return;

    TZelSelection font(item.dc, lstLANG.Font());
    const EntryColours colours = ColoursOf(language->Usable, item.selected);
    SetBkColor(item.dc, GetSysColor(colours.background));
    SetTextColor(item.dc, GetSysColor(colours.text));
    FillRect(item.dc, &item.rect, GetSysColorBrush(colours.background));

    const int rowHeight = item.rect.bottom - item.rect.top;
    const int top = item.rect.top + (rowHeight - TextExtent(item.dc, kHeightSample).cy) / 2;
    const std::wstring& name = language->EnName;
    ExtTextOutW(item.dc, item.rect.left + selection_layout::kRowTextIndent, top, ETO_CLIPPED,
                &item.rect, name.c_str(), static_cast<UINT>(name.size()), nullptr);
}

void TOrnOVISetup000::btnSTARTClick() {
    manager_.SetCurrentIndex(lstLANG.ItemIndex());
    manager_.LanguageConfirmed = true;
    AskOnClose = false;
    Close();
}

void TOrnOVISetup000::btnCANCELClick() {
    Close();
}

void TOrnOVISetup000::FormCloseQuery(bool& canClose) {
    if (!AskOnClose) {
        canClose = true;
        return;
    }
    manager_.SetCurrentIndex(-1);
    const int32_t answer = ShowMessageBox(Handle(), CloseQuestion, Caption(), kCloseQuestionFlags);
    canClose = answer == IDYES;
    if (!canClose)
        manager_.SetCurrentIndex(lstLANG.ItemIndex());
}

void RunSelectionWindow(TLxSetupManager& manager) {
    TZelApplication application(TZelTaskbarButton::MainForm);
    application.CreateForm<TOrnOVISetup000>(manager);
    application.Run();
}
