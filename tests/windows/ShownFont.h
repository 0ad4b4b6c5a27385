// The font a control shows its text in, read from the control itself: the logical font it holds
// (WM_GETFONT) and the family the font mapper realises for it on this machine.
#pragma once

#include <windows.h>

#include <string>

struct ShownFont {
    std::wstring face; // as the logical font asks for it
    LONG height = 0;   // character height, negative, in pixels of the screen
    BYTE charset = 0;
    std::wstring realisedFace; // the family the text is drawn in
};

// Empty when the control holds no font of its own.
ShownFont ShownFontOf(HWND control);

// The face of the default GUI font, in which a language without an installed font is shown.
std::wstring DefaultGuiFace();
