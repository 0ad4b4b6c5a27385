#include "toolkit/Button.h"

TZelButton::TZelButton(TZelForm& form, const TZelBounds& designBounds, TZelButtonRole role)
    : TZelControl(form, designBounds), role_(role) {}

DWORD TZelButton::Style() const {
    return WS_TABSTOP | (role_ == TZelButtonRole::Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TZelButton::Click() {
    if (Enabled() && OnClick)
        OnClick();
}

void TZelButton::Notified(WORD code) {
    if (code == BN_CLICKED)
        Click();
}
