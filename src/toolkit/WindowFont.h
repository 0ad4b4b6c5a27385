// A window font made from a family name, a point size and a character set.
#pragma once

#include "toolkit/GdiObjects.h"

#include <string>

class TZelWindowFont {
public:
    // The font at the given dpi; without a usable font the handle is null and windows keep
    // their system font.
    TZelWindowFont(std::wstring name, int size, BYTE charset, int dpi);

    HFONT Handle() const { return handle_.Get(); }
    const std::wstring& Name() const { return name_; }
    int Size() const { return size_; }
    BYTE Charset() const { return charset_; }

private:
    std::wstring name_;
    int size_;
    BYTE charset_;
    TZelGdiObject<HFONT> handle_;
};

// The character height (negative, as fonts are asked for) of a point size at dpi.
int FontHeightForPoints(int size, int dpi);
