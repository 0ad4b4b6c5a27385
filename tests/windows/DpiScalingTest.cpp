// Scaling of design pixels (96 dpi) and font points to the screen's dpi.
#include "toolkit/DpiScaling.h"
#include "toolkit/WindowFont.h"

#include <gtest/gtest.h>

namespace {

TEST(DpiScaling, DesignLengthsScaleWithTheDpiRoundedToNearest) {
    struct Case {
        int value, dpi, expected;
    };
    const Case cases[] = {
        {440, 96, 440}, {16, 120, 20},  {25, 120, 31}, {18, 144, 27},
        {13, 144, 20},  {75, 192, 150}, {0, 144, 0},   {-10, 120, -13},
    };
    for (const Case& test : cases)
        EXPECT_EQ(ScaleFromDesign(test.value, test.dpi), test.expected)
            << test.value << " at " << test.dpi;

    const TZelBounds bounds = ScaleFromDesign(TZelBounds{50, 75, 340, 90}, 144);
    EXPECT_EQ(bounds.left, 75);
    EXPECT_EQ(bounds.top, 113);
    EXPECT_EQ(bounds.width, 510);
    EXPECT_EQ(bounds.height, 135);
}

TEST(DpiScaling, FontsAreAskedForByCharacterHeightAtTheDpi) {
    struct Case {
        int points, dpi, height;
    };
    for (const Case& test :
         {Case{8, 96, -11}, Case{8, 120, -13}, Case{9, 144, -18}, Case{10, 96, -13}}) {
        EXPECT_EQ(FontHeightForPoints(test.points, test.dpi), test.height);
        const TZelWindowFont font(L"Tahoma", test.points, SHIFTJIS_CHARSET, test.dpi);
        LOGFONTW attributes{};
        ASSERT_TRUE(GetObjectW(font.Handle(), sizeof attributes, &attributes));
        EXPECT_EQ(attributes.lfHeight, test.height);
        EXPECT_EQ(attributes.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_STREQ(attributes.lfFaceName, L"Tahoma");
        EXPECT_EQ(font.Size(), test.points);
    }
}

} // namespace
