// A progress bar from 0 to an adjustable maximum (100 at start).
#pragma once

#include "toolkit/Control.h"

class TZelProgressBar : public TZelControl {
public:
    TZelProgressBar(TZelForm& form, const TZelBounds& designBounds);

    int Position() const;
    void SetPosition(int position);
    int Max() const;
    void SetMax(int max);

protected:
    const wchar_t* WindowClass() const override;
    DWORD Style() const override { return 0; }
    void HandleCreated() override;
};
