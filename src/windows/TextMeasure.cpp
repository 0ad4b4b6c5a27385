#include "windows/TextMeasure.h"

#include "windows/GdiObjects.h"

SIZE TextExtent(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

SIZE TextExtent(HFONT font, const std::wstring& text) {
    TZelScreenDC screen;
    TZelSelection selection(screen.Handle(), font ? font : GetStockObject(SYSTEM_FONT));
    return TextExtent(screen.Handle(), text);
}

SIZE TextBlockExtent(HFONT font, const std::wstring& text) {
    TZelScreenDC screen;
    TZelSelection selection(screen.Handle(), font ? font : GetStockObject(SYSTEM_FONT));
    RECT bounds{};
    DrawTextW(screen.Handle(), text.c_str(), static_cast<int>(text.size()), &bounds,
              DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}
