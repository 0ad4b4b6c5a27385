#include "ShownFont.h"

#include "windows/GdiObjects.h"

ShownFont ShownFontOf(HWND control) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW logical{};
    if (!font || !GetObjectW(font, sizeof logical, &logical))
        return {};
    const TZelScreenDC screen;
    const TZelSelection selection(screen.Handle(), font);
    wchar_t realised[LF_FACESIZE] = {};
    GetTextFaceW(screen.Handle(), LF_FACESIZE, realised);
    return {logical.lfFaceName, logical.lfHeight, logical.lfCharSet, realised};
}

std::wstring DefaultGuiFace() {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font.lfFaceName;
}
