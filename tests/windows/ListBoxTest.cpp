// The owner-drawn list: texts kept for screen readers, fixed item height, drawing requests.
#include "ToolkitFixture.h"

#include <set>

namespace {

using namespace toolkit_test;

using ListBox = ShownForm;

TEST_F(ListBox, KeepsTheEntriesTextsAndTheHighlightedIndex) {
    const LONG_PTR style = GetWindowLongPtrW(form.list.Handle(), GWL_STYLE);
    EXPECT_EQ(style & (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS), LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);
    EXPECT_EQ(form.list.Count(), 3);
    EXPECT_EQ(form.list.Item(2), L"Nihongo");
    EXPECT_EQ(form.list.Item(3), L"");

    form.list.SetItemIndex(2);
    EXPECT_EQ(form.list.ItemIndex(), 2);
    form.list.SetItemIndex(-1);
    EXPECT_EQ(form.list.ItemIndex(), -1);
    // Only the user's choice is reported.
    EXPECT_TRUE(form.events.empty());
}

TEST_F(ListBox, EntriesHaveTheScaledDesignHeight) {
    EXPECT_EQ(form.list.ItemHeight(), ScaleFromDesign(16, form.Dpi()));
}

TEST_F(ListBox, DrawsEachEntryInItsRowWithTheListFontAndSelectionState) {
    form.list.SetItemIndex(1);
    HFONT fontInDrawing = nullptr;
    form.list.OnDrawItem = [&](const TZelDrawItem& item) {
        form.drawn.push_back(item);
        fontInDrawing = static_cast<HFONT>(GetCurrentObject(item.dc, OBJ_FONT));
    };
    form.drawn.clear();
    InvalidateRect(form.list.Handle(), nullptr, TRUE);
    UpdateWindow(form.list.Handle());

    // Every row is drawn; the focused row may be asked for once more to show its focus.
    std::set<int> rows;
    const int height = form.list.ItemHeight();
    for (const TZelDrawItem& item : form.drawn) {
        rows.insert(item.index);
        EXPECT_EQ(item.rect.top, item.index * height);
        EXPECT_EQ(item.rect.bottom - item.rect.top, height);
        EXPECT_EQ(item.selected, item.index == 1);
    }
    EXPECT_EQ(rows, (std::set<int>{0, 1, 2}));
    EXPECT_EQ(fontInDrawing, form.list.Font());
}

} // namespace
