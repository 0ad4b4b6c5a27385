#include "toolkit/WindowFont.h"

#include <cwchar>

int FontHeightForPoints(int size, int dpi) {
    constexpr int kPointsPerInch = 72;
    return -MulDiv(size, dpi, kPointsPerInch);
}

namespace {

HFONT CreateWindowFont(const std::wstring& name, int size, BYTE charset, int dpi) {
    LOGFONTW font{};
    font.lfHeight = FontHeightForPoints(size, dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    wcsncpy(font.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

} // namespace

TZelWindowFont::TZelWindowFont(std::wstring name, int size, BYTE charset, int dpi)
    : name_(std::move(name)), size_(size), charset_(charset),
      handle_(CreateWindowFont(name_, size_, charset_, dpi)) {}
