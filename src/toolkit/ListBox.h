// A list box whose entries the form draws itself, all of the same height. The entries' texts
// are kept in the list too, so that screen readers can read them.
#pragma once

#include "toolkit/Control.h"

#include <functional>
#include <string>
#include <vector>

// One entry to draw: the device context (with the list's font selected), the entry's index, its
// rectangle and whether it is selected.
struct TZelDrawItem {
    HDC dc;
    int index;
    RECT rect;
    bool selected;
};

class TZelListBox : public TZelControl {
public:
    // itemHeight: the height of every entry in design pixels.
    TZelListBox(TZelForm& form, const TZelBounds& designBounds, int itemHeight);

    void AddItem(const std::wstring& text);
    // Appends the texts in order and draws the list once, when all are in.
    void AddItems(const std::vector<std::wstring>& texts);
    int Count() const;
    std::wstring Item(int index) const;
    // The highlighted entry, -1 for none. Setting it does not run OnClick.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The height of every entry in pixels of the screen.
    int ItemHeight() const;

    // The user highlighted another entry, by mouse or keyboard.
    std::function<void()> OnClick;
    std::function<void(const TZelDrawItem&)> OnDrawItem;

protected:
    const wchar_t* WindowClass() const override { return L"LISTBOX"; }
    DWORD Style() const override;
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    void Notified(WORD code) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;
    void MeasureItem(MEASUREITEMSTRUCT& item) override;

private:
    int designItemHeight_;
};
