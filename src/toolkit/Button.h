// A push button. The form's default button answers Enter, its cancel button Escape.
#pragma once

#include "toolkit/Control.h"

#include <functional>

enum class TZelButtonRole { Plain, Default, Cancel };

class TZelButton : public TZelControl {
public:
    TZelButton(TZelForm& form, const TZelBounds& designBounds, TZelButtonRole role);

    TZelButtonRole Role() const { return role_; }

    // Runs OnClick, as a click of the user would, unless the button is disabled.
    void Click();

    std::function<void()> OnClick;

protected:
    const wchar_t* WindowClass() const override { return L"BUTTON"; }
    DWORD Style() const override;
    void Notified(WORD code) override;

private:
    TZelButtonRole role_;
};
