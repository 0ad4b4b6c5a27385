// Choosing a language's font from its font, charset and size lists.
#include "language/LanguageFontInfo.h"

#include "language/ZelFontUtl.h"

#include "TestFonts.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace testing_support;

struct ParseCase {
    std::wstring fonts, charsets, sizes;
    bool found;
    std::wstring name;
    uint8_t charset;
    int32_t size;
};

class LanguageFontParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(LanguageFontParse, ChoosesTheFirstInstalledCandidate) {
    const ParseCase& c = GetParam();
    TZelLanguageFontInfo info;
    // A choice made before must not survive the next parse.
    info.Parse(kHebrewCapable, L"B1", L"20");
    EXPECT_EQ(info.Parse(c.fonts, c.charsets, c.sizes), c.found);
    EXPECT_EQ(info.Name, c.name);
    EXPECT_EQ(info.Charset, c.charset);
    EXPECT_EQ(info.Size, c.size);
}

const std::wstring kMissing = L"No Such Family";

INSTANTIATE_TEST_SUITE_P(
    Lists, LanguageFontParse,
    ::testing::Values(
        // the first entries carry over to the installed second candidate
        ParseCase{kMissing + L";" + kVariableJapanese, L"80", L"9", true, kVariableJapanese, 0x80,
                  9},
        ParseCase{L";" + kVariableJapanese, L"", L"", true, kVariableJapanese, 1, 10},
        ParseCase{L"  " + kMissing + L" ; IPAPGOTHIC ; ", L" 86 ; 80 ", L" 11 ; 12 ", true,
                  L"IPAPGOTHIC", 0x80, 12},
        // unusable entries keep the running value
        ParseCase{kMissing + L";" + kVariableJapanese, L"80;FFFFFFFF", L"12;0", true,
                  kVariableJapanese, 0x80, 12},
        ParseCase{kMissing + L";" + kVariableJapanese, L"86;", L"12;-3", true, kVariableJapanese,
                  0x86, 12},
        ParseCase{kMissing + L";" + kVariableJapanese, L";", L"12;x", true, kVariableJapanese, 1,
                  12},
        // only the low 8 bits of a charset; no hexadecimal number is the ANSI set
        ParseCase{kVariableJapanese, L"100", L"", true, kVariableJapanese, 0, 10},
        ParseCase{kVariableJapanese, L"zz", L"", true, kVariableJapanese, 0, 10},
        ParseCase{kVariableJapanese, L"0x80", L"9pt", true, kVariableJapanese, 0, 10},
        // nothing installed: the defaults, whatever the other lists say
        ParseCase{L"   ", L"80", L"9", false, L"", 1, 10},
        ParseCase{kMissing + L";;Another Missing One", L"80", L"9", false, L"", 1, 10}));

// The lists are read in one pass: cutting each entry off the front of a list copied the rest of
// it once per entry, and a definition file with lists like these took minutes to load.
TEST(LanguageFontLongList, ReachesItsLastEntry) {
    const std::wstring empties(200000, L';');
    TZelLanguageFontInfo info;
    ASSERT_TRUE(info.Parse(empties + kVariableJapanese, empties + L"80", empties + L"9"));
    EXPECT_EQ(info.Name, kVariableJapanese);
    EXPECT_EQ(info.Charset, 0x80);
    EXPECT_EQ(info.Size, 9);
}

TEST(LanguageFontName, FallsBackToTheDefaultGuiFont) {
    TZelLanguageFontInfo info;
    ASSERT_TRUE(info.Parse(kFixedJapanese, L"80", L""));
    EXPECT_EQ(info.GetFontName(), kFixedJapanese);

    ASSERT_FALSE(info.Parse(kMissing, L"80", L""));
    EXPECT_EQ(info.GetFontName(), GetDefaultGuiFontInfo().Name);
    EXPECT_FALSE(info.GetFontName().empty());
}

} // namespace
