#include "toolkit/ListBox.h"

#include "toolkit/Form.h"

namespace {

// Keeps a window from drawing for one scope, then has it drawn anew.
class TZelRedrawPause {
public:
    explicit TZelRedrawPause(HWND window) : window_(window) {
        SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~TZelRedrawPause() {
        SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_, nullptr, TRUE);
    }
    TZelRedrawPause(const TZelRedrawPause&) = delete;
    TZelRedrawPause& operator=(const TZelRedrawPause&) = delete;

private:
    HWND window_;
};

} // namespace

TZelListBox::TZelListBox(TZelForm& form, const TZelBounds& designBounds, int itemHeight)
    : TZelControl(form, designBounds), designItemHeight_(itemHeight) {}

DWORD TZelListBox::Style() const {
    return WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
           LBS_NOINTEGRALHEIGHT;
}

void TZelListBox::AddItem(const std::wstring& text) {
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TZelListBox::AddItems(const std::vector<std::wstring>& texts) {
    TZelRedrawPause pause(Handle());
    for (const std::wstring& text : texts)
        AddItem(text);
}

int TZelListBox::Count() const {
    const LRESULT count = SendMessageW(Handle(), LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::wstring TZelListBox::Item(int index) const {
    const LRESULT length = SendMessageW(Handle(), LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

int TZelListBox::ItemIndex() const {
    const LRESULT index = SendMessageW(Handle(), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void TZelListBox::SetItemIndex(int index) {
    SendMessageW(Handle(), LB_SETCURSEL, index, 0);
}

int TZelListBox::ItemHeight() const {
    return static_cast<int>(SendMessageW(Handle(), LB_GETITEMHEIGHT, 0, 0));
}

void TZelListBox::Notified(WORD code) {
    if (code == LBN_SELCHANGE && OnClick)
        OnClick();
}

void TZelListBox::MeasureItem(MEASUREITEMSTRUCT& item) {
    item.itemHeight = static_cast<UINT>(ScaleFromDesign(designItemHeight_, Form().Dpi()));
}

void TZelListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    // An empty list asks only to show its focus; its row is blanked here, so the focus rectangle,
    // which inverts what lies below, never leaves traces.
    if (static_cast<int>(item.itemID) < 0) {
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    } else if (OnDrawItem) {
        const TZelDrawItem entry{item.hDC, static_cast<int>(item.itemID), item.rcItem,
                                 (item.itemState & ODS_SELECTED) != 0};
        OnDrawItem(entry);
    }
    // Keyboard users see which entry has the focus.
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}
