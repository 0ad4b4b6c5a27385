#include "strings/CodePages.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <string_view>

namespace {

using testing_support::Utf8;

TEST(CodePageFromCharset, MatchesNamesAndAliasesIgnoringCaseAndPunctuation) {
    const struct {
        const wchar_t* name;
        int32_t codePage;
    } cases[] = {
        {L"utf-8", 65001},
        {L"UTF8", 65001},
        {L"utf_8", 65001},
        {L" Utf-8 ", 65001},
        {L"utf-16", 1200},
        {L"UTF-16be", 1201},
        {L"shift_jis", 932},
        {L"Shift-JIS", 932},
        {L"windows-1252", 1252},
        {L"IBM037", 37},
        {L"ISO_8859-15", 28605},
        {L"iso-8859-8-i", 38598},
        {L"gb18030", 54936},
        {L"csISO2022JP", 50221},
        {L"x-iscii-pa", 57011},
        // aliases that shadow later rows of the same name
        {L"iso-8859-1", 1252},
        {L"ISO-8859-2", 1250},
        {L"iso-8859-7", 1253},
        {L"iso-8859-9", 1254},
        {L"koi8-r", 1251},
        {L"iso-2022-jp", 932},
        {L"euc-kr", 50225},
        {L"euc-jp", 20932},
        {L"iso-2022-kr", 50225},
        // nothing to match
        {L"x-none", 0},
        {L"", 0},
        {L"-_ .", 0},
        {L"utf-8x", 0},
        {L"\x00FCtf-8", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.name));
        EXPECT_EQ(CodePageFromCharset(c.name), c.codePage);
    }
}

// Every row is found by its own name, except the rows whose name an earlier row already
// claims as its name or alias: the lookup must keep the table's order and aliases.
TEST(FindCodePageRec, FindsEveryRowByItsNameUnlessAnEarlierRowClaimsIt) {
    // The shadowed row, by its name and code page, and the row found instead, by its name.
    const struct {
        std::wstring_view name;
        int32_t codePage;
        std::wstring_view foundRow;
    } shadowed[] = {
        {L"koi8-r", 20866, L"windows-1251"},     {L"iso-8859-1", 28591, L"Windows-1252"},
        {L"iso-8859-2", 28592, L"windows-1250"}, {L"iso-8859-7", 28597, L"windows-1253"},
        {L"iso-8859-9", 28599, L"windows-1254"}, {L"iso-2022-jp", 50220, L"shift_jis"},
        {L"iso-2022-jp", 50222, L"shift_jis"},   {L"euc-jp", 51932, L"EUC-JP"},
        {L"euc-kr", 51949, L"iso-2022-kr"},
    };
    for (const TZelCodePageRec& row : CodePageTable) {
        SCOPED_TRACE(Utf8(std::wstring(row.Name)) + " " + std::to_string(row.CodePage));
        const int32_t found = FindCodePageRec(row.Name);
        ASSERT_GE(found, 0);
        const TZelCodePageRec& foundRow = CodePageTable[found];
        bool isShadowed = false;
        for (const auto& s : shadowed) {
            if (s.name != row.Name || s.codePage != row.CodePage)
                continue;
            isShadowed = true;
            EXPECT_EQ(std::wstring(foundRow.Name), std::wstring(s.foundRow));
        }
        if (!isShadowed) {
            EXPECT_EQ(foundRow.CodePage, row.CodePage);
        }
    }
    EXPECT_EQ(FindCodePageRec(L"utf8"), 0);
    EXPECT_EQ(FindCodePageRec(L"x-none"), -1);
    EXPECT_EQ(FindCodePageRec(L""), -1);
}

TEST(BytesToText, ConvertsFromTheCodePageUpToTheZeroByte) {
    EXPECT_EQ(BytesToText("caf\xE9", 1252), L"caf\x00E9");
    EXPECT_EQ(BytesToText("caf\xC3\xA9\0tail", kCodePageUtf8), L"caf\x00E9");
    EXPECT_EQ(BytesToText("\x93\xFA\x96\x7B", 932), L"\x65E5\x672C");
    EXPECT_EQ(BytesToText("\xC1", 1251), L"\x0411");
}

TEST(BytesToText, EmptyForMissingBytesAndCodePagesThePlatformCannotConvert) {
    EXPECT_EQ(BytesToText(nullptr, 1252), L"");
    EXPECT_EQ(BytesToText("", 1252), L"");
    EXPECT_EQ(BytesToText("abc", 12345), L"");
    EXPECT_EQ(BytesToText("abc", kCodePageUtf16), L"");
}

TEST(BytesToText, ZeroOrNegativeCodePageMeansTheAnsiCodePage) {
    const char* bytes = "\xC4\xE9\x80";
    const std::wstring ansi = BytesToText(bytes, static_cast<int32_t>(GetACP()));
    ASSERT_FALSE(ansi.empty());
    EXPECT_EQ(BytesToText(bytes, 0), ansi);
    EXPECT_EQ(BytesToText(bytes, -1), ansi);
}

TEST(TextToBytes, ConvertsUpToTheFirstZeroUnitWithoutTerminator) {
    EXPECT_EQ(TextToBytes(L"caf\x00E9", 1252), "caf\xE9");
    EXPECT_EQ(TextToBytes(std::wstring(L"caf\x00E9\0tail", 9), kCodePageUtf8), "caf\xC3\xA9");
    EXPECT_EQ(TextToBytes(L"\x65E5\x672C", 932), "\x93\xFA\x96\x7B");
    EXPECT_EQ(TextToBytes(L"", 1252), "");
    EXPECT_EQ(TextToBytes(L"abc", 12345), "");
    EXPECT_EQ(TextToBytes(L"\x00C4", 0), TextToBytes(L"\x00C4", static_cast<int32_t>(GetACP())));
}

TEST(Utf16LeToText, StopsAtTheFirstZeroUnitAndPadsAnOddLastByte) {
    EXPECT_EQ(Utf16LeToText("A\0\xE9\0\x3E\x30", 6), L"A\x00E9\x303E");
    EXPECT_EQ(Utf16LeToText("A\0\0\0B\0", 6), L"A");
    EXPECT_EQ(Utf16LeToText("A\0\0\x01", 4), L"A\x0100");
    EXPECT_EQ(Utf16LeToText("A\0B", 3), L"AB");
    EXPECT_EQ(Utf16LeToText(nullptr, 4), L"");
}

} // namespace
