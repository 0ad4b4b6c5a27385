// A line of text on a form: either a fixed box whose text wraps at word ends, or a box that
// takes the size of its text.
#pragma once

#include "toolkit/Control.h"

enum class TZelLabelSizing {
    WordWrap, // fixed design size, long lines break between words
    AutoSize, // the size of the text, unwrapped; the design size is only a starting point
};

class TZelLabel : public TZelControl {
public:
    TZelLabel(TZelForm& form, const TZelBounds& designBounds, TZelLabelSizing sizing,
              std::wstring caption = {});

protected:
    const wchar_t* WindowClass() const override { return L"STATIC"; }
    DWORD Style() const override;
    void TextChanged() override { FitToText(); }
    void FontChanged() override { FitToText(); }

private:
    void FitToText();

    TZelLabelSizing sizing_;
};
