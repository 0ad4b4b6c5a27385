// Keyboard navigation of a form: Tab order, Enter for the default button, Escape for cancel.
#include "ToolkitFixture.h"

namespace {

using namespace toolkit_test;

using Keyboard = ShownForm;

TEST_F(Keyboard, TabVisitsTheControlsInDeclarationOrderAndWrapsAround) {
    const HWND expected[] = {form.start.Handle(), form.cancel.Handle(), form.list.Handle()};
    for (HWND next : expected) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), next);
    }
}

TEST_F(Keyboard, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(form.events, (std::vector<std::string>{"startClick", "cancelClick"}));
}

TEST_F(Keyboard, EnterDoesNothingWhileTheDefaultButtonIsDisabled) {
    form.start.SetEnabled(false);
    PressKey(VK_RETURN);
    EXPECT_TRUE(form.events.empty());
}

TEST_F(Keyboard, EnterClicksTheFocusedButton) {
    SetFocus(form.cancel.Handle());
    PressKey(VK_RETURN);
    EXPECT_EQ(form.events, std::vector<std::string>{"cancelClick"});
}

TEST_F(Keyboard, ArrowKeysInTheListSelectAndReport) {
    PressKey(VK_DOWN);
    EXPECT_EQ(form.list.ItemIndex(), 1);
    EXPECT_EQ(form.events, std::vector<std::string>{"listClick"});
}

TEST_F(Keyboard, FocusReturnsToTheLastControlWhenTheFormIsActivatedAgain) {
    SetFocus(form.cancel.Handle());
    SendMessageW(form.Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(nullptr);
    SendMessageW(form.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), form.cancel.Handle());
}

} // namespace
