#include "toolkit/TextMeasure.h"

#include "toolkit/GdiObjects.h"

SIZE TextExtent(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

SIZE TextExtent(HFONT font, const std::wstring& text) {
    TZelScreenDC screen;
    TZelSelection selection(screen.Get(), font ? font : GetStockObject(SYSTEM_FONT));
    return TextExtent(screen.Get(), text);
}

SIZE TextBlockExtent(HFONT font, const std::wstring& text) {
    return DrawnTextExtent(font, text, DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
}

SIZE DrawnTextExtent(HFONT font, const std::wstring& text, UINT format, int width) {
    TZelScreenDC screen;
    TZelSelection selection(screen.Get(), font ? font : GetStockObject(SYSTEM_FONT));
    RECT bounds{0, 0, width, 0};
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &bounds,
              format | DT_CALCRECT);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}
