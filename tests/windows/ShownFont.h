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

// A font a control is to show: a family at a point size and character set. An installed family
// is also the one its text is drawn in.
struct ExpectedFont {
    std::wstring face;
    int points;
    BYTE charset;
    bool installed = true;
};

// Checks the font the control shows against the one expected, at the dpi of its form.
void ExpectShownFont(HWND control, const ExpectedFont& expected, int dpi);
