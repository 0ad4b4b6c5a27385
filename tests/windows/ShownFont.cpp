#include "ShownFont.h"

#include "toolkit/GdiObjects.h"
#include "toolkit/WindowFont.h"

#include <gtest/gtest.h>

ShownFont ShownFontOf(HWND control) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW logical{};
    if (!font || !GetObjectW(font, sizeof logical, &logical))
        return {};
    const TZelScreenDC screen;
    const TZelSelection selection(screen.Get(), font);
    wchar_t realised[LF_FACESIZE] = {};
    GetTextFaceW(screen.Get(), LF_FACESIZE, realised);
    return {logical.lfFaceName, logical.lfHeight, logical.lfCharSet, realised};
}

std::wstring DefaultGuiFace() {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font.lfFaceName;
}

void ExpectShownFont(HWND control, const ExpectedFont& expected, int dpi) {
    const ShownFont shown = ShownFontOf(control);
    EXPECT_EQ(shown.face, expected.face);
    EXPECT_EQ(shown.height, FontHeightForPoints(expected.points, dpi));
    EXPECT_EQ(shown.charset, expected.charset);
    if (expected.installed) {
        EXPECT_EQ(shown.realisedFace, expected.face);
    }
}
