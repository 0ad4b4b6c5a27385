#include "strings/ZelStrUtl.h"

#include <gtest/gtest.h>

namespace {

struct IntegerCase {
    const wchar_t* text;
    int32_t expected;
};

TEST(IntegerWithDefault, ReadsDecimalAndHexadecimalOrGivesTheDefault) {
    constexpr int32_t kDefault = -7;
    const IntegerCase cases[] = {
        {L"0", 0},
        {L"42", 42},
        {L"  \t+42", 42},
        {L"-42", -42},
        {L"2147483647", 2147483647},
        {L"-2147483648", INT32_MIN},
        {L"2147483648", kDefault},
        {L"-2147483649", kDefault},
        {L"$1F", 31},
        {L"x1f", 31},
        {L"X1F", 31},
        {L"0x1F", 31},
        {L"0X1F", 31},
        {L"$FFFFFFFF", -1},
        {L"-$1", -1},
        {L"$100000000", kDefault},
        {L"$", kDefault},
        {L"0x", kDefault},
        {L"$0409", 0x409},
        {L"$ 0409", kDefault},
        {L"$0x0409", kDefault},
        {L"12 ", kDefault},
        {L"1.5", kDefault},
        {L"", kDefault},
        {L"-", kDefault},
        {L"abc", kDefault},
        {L"\u0661", kDefault}, // a digit of another script is no digit here
    };
    for (const auto& c : cases)
        EXPECT_EQ(IntegerWithDefault(c.text, kDefault), c.expected) << c.text;
}

TEST(NumberText, WritesDigitsWithLeadingZerosUpToTheWidth) {
    const struct {
        uint64_t value;
        int minDigits;
        const wchar_t* decimal;
        const wchar_t* hex;
    } cases[] = {
        {0, 1, L"0", L"0"},
        {0, 0, L"0", L"0"},
        {7, 2, L"07", L"07"},
        {2024, 4, L"2024", L"07E8"},
        {12345, 3, L"12345", L"3039"},
        {0xA04F2, 1, L"656626", L"A04F2"},
        {3010, 8, L"00003010", L"00000BC2"},
        {UINT32_MAX, 1, L"4294967295", L"FFFFFFFF"},
        {UINT64_MAX, 1, L"18446744073709551615", L"FFFFFFFFFFFFFFFF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecimalText(c.value, c.minDigits), c.decimal) << c.value;
        EXPECT_EQ(UpperHexText(c.value, c.minDigits), c.hex) << c.value;
    }
}

TEST(UpperHexText, WritesDigitsWithoutLeadingZeros) {
    EXPECT_EQ(UpperHexText(0), L"0");
    EXPECT_EQ(UpperHexText(0x000A04F2), L"A04F2");
    EXPECT_EQ(UpperHexText(0xFFFFFFFFFFFFFFFFull), L"FFFFFFFFFFFFFFFF");
}

} // namespace
