#include "toolkit/Label.h"

#include "toolkit/TextMeasure.h"

TZelLabel::TZelLabel(TZelForm& form, const TZelBounds& designBounds, TZelLabelSizing sizing,
                     std::wstring caption)
    : TZelControl(form, designBounds, std::move(caption)), sizing_(sizing) {}

DWORD TZelLabel::Style() const {
    // Texts come from files and paths: an "&" is shown, never taken as a mnemonic.
    return SS_NOPREFIX | (sizing_ == TZelLabelSizing::WordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
}

void TZelLabel::FitToText() {
    if (sizing_ != TZelLabelSizing::AutoSize || !Handle())
        return;
    const std::wstring text = Caption();
    // An empty label keeps the height of one line.
    const SIZE size = TextBlockExtent(Font(), text.empty() ? L" " : text);
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
