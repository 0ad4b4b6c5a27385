#include "strings/ZelStrUtl.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using testing_support::Utf8;

TEST(FindText, FindsTheFirstOccurrenceThatCounts) {
    const struct {
        const wchar_t* sub;
        const wchar_t* s;
        bool ignoreCase;
        bool wholeWord;
        int expected;
    } cases[] = {
        {L"ab", L"cab ab", false, false, 2},
        {L"ab", L"cab ab", false, true, 5},
        {L"ab", L"cab abc", false, true, 0},
        {L"ab", L"ab", false, true, 1},
        {L"ab", L"(ab)", false, true, 2},
        {L"AB", L"xab", false, false, 0},
        {L"AB", L"xab", true, false, 2},
        {L"ab", L"AB ab", true, false, 1},
        {L"AB", L"xab ab", true, true, 5},
        // an overlapping later occurrence still has the earlier text before it
        {L"aa", L"aaa", false, true, 0},
        {L"aa", L"aaa aa", false, true, 5},
        // letters beyond ASCII are word characters
        {L"ab",
         L"\x00E9"
         L"ab ab\x00E9",
         false, true, 0},
        // an end of sub that is a delimiter needs no delimiter beside it
        {L"-b", L"a-b", false, true, 2},
        {L"a-", L"xa-a-", false, true, 4},
        {L",", L"a,b", false, true, 2},
        {L"", L"abc", false, false, 0},
        {L"ab", L"", true, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.sub) + " in " + Utf8(c.s));
        EXPECT_EQ(FindText(c.sub, c.s, c.ignoreCase, c.wholeWord), c.expected);
    }
}

TEST(IsDelimiterAt, AsciiNonAlphanumericsAndIndexesOutsideTheText) {
    const struct {
        const wchar_t* s;
        int index;
        bool expected;
    } cases[] = {
        {L"a-b", 2, true},     {L"a-b", 0, true},     {L"a-b", 4, true},    {L"a-b", -5, true},
        {L"a", 1, false},      {L"Z", 1, false},      {L"0", 1, false},     {L"9", 1, false},
        {L"\x00E9", 1, false}, {L"\x0080", 1, false}, {L"\x007F", 1, true}, {L" ", 1, true},
        {L"/", 1, true},       {L":", 1, true},       {L"@", 1, true},      {L"[", 1, true},
        {L"`", 1, true},       {L"{", 1, true},       {L"", 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.s) + " at " + std::to_string(c.index));
        EXPECT_EQ(TZelStr::IsDelimiterAt(c.s, c.index), c.expected);
    }
}

TEST(ExtractToken, CutsTheTextBeforeTheSeparator) {
    const struct {
        const wchar_t* s;
        const wchar_t* separator;
        const wchar_t* token;
        const wchar_t* rest;
    } cases[] = {
        {L"a;b;c", L";", L"a", L"b;c"}, {L"abc", L";", L"abc", L""}, {L"", L";", L"", L""},
        {L";b", L";", L"", L"b"},       {L"a;", L";", L"a", L""},    {L"aXbxc", L"x", L"a", L"bxc"},
        {L"abc", L"", L"abc", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.s));
        std::wstring s = c.s;
        EXPECT_EQ(ExtractToken(s, c.separator, true, false), c.token);
        EXPECT_EQ(s, c.rest);
    }
}

TEST(ExtractToken, SplitsLinesWithoutAnEmptyLastOne) {
    std::wstring s = L"one\r\n\r\nthree\r\n";
    std::vector<std::wstring> lines;
    while (!s.empty())
        lines.push_back(ExtractToken(s, L"\r\n", true, false));
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"one", L"", L"three"}));
}

TEST(ReplaceString, ReplacesLeftToRightWithoutRescanning) {
    const struct {
        const wchar_t* s;
        const wchar_t* find;
        const wchar_t* replacement;
        bool wholeWord;
        TZelReplaceFlags flags;
        const wchar_t* expected;
    } cases[] = {
        {L"aaa", L"aa", L"b", false, rfReplaceAll, L"ba"},
        {L"a", L"a", L"aa", false, rfReplaceAll, L"aa"},
        {L"a.a.a", L".", L"-", false, rfFirstOnly, L"a-a.a"},
        {L"Ab ab AB", L"ab", L"x", false, rfReplaceAll, L"Ab x AB"},
        {L"Ab ab AB", L"ab", L"x", false, rfReplaceAll | rfIgnoreCase, L"x x x"},
        {L"xAy xay", L"a", L"-", false, rfIgnoreCase, L"x-y xay"},
        {L"cat catalog cat", L"cat", L"dog", true, rfReplaceAll, L"dog catalog dog"},
        {L"Cat CATalog cAt", L"cat", L"dog", true, rfReplaceAll | rfIgnoreCase, L"dog CATalog dog"},
        {L"scat cat", L"cat", L"dog", true, rfFirstOnly, L"scat dog"},
        {L"a\\n\\Nb", L"\\n", L"\r\n", false, rfReplaceAll | rfIgnoreCase, L"a\r\n\r\nb"},
        {L"abc", L"", L"x", false, rfReplaceAll, L"abc"},
        {L"", L"a", L"x", false, rfReplaceAll, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.s) + " / " + Utf8(c.find));
        EXPECT_EQ(ReplaceString(c.s, c.find, c.replacement, c.wholeWord, c.flags), c.expected);
    }
    EXPECT_EQ(ReplaceAll(L"Ab ab", L"ab", L"x"), L"Ab x");
    EXPECT_EQ(ReplaceAllText(L"Ab ab AB", L"ab", L"x"), L"x x x");
    EXPECT_EQ(ReplaceAllText(L"ab abc", L"AB", L"x", true), L"x abc");
}

TEST(Unquote, RemovesAMatchingPairAndReducesDoubledQuotes) {
    const struct {
        const wchar_t* s;
        const wchar_t* quoteChars;
        const wchar_t* expected;
    } cases[] = {
        {L"\"a\"\"b\"", L"\"", L"a\"b"},
        {L"\" x \"", L"\"", L"x"},
        {L"'a'", L"\"'", L"a"},
        {L"\"\"", L"\"", L""},
        {L"\"", L"\"", L"\""},
        {L"'abc", L"\"'", L"'abc"},
        {L"  'abc  ", L"\"'", L"'abc"},
        {L"\"a'", L"\"'", L"\"a'"},
        {L" \"a\" ", L"\"", L"\"a\""},
        {L"'a''b'", L"'", L"a'b"},
        // with two quote characters only the whole set written twice is reduced
        {L"'a''b'", L"\"'", L"a''b"},
        {L"'x\"'\"'y'", L"\"'", L"x\"'y"},
        {L"\"a\"", L"", L"\"a\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.s));
        EXPECT_EQ(Unquote(c.s, c.quoteChars), c.expected);
    }
}

TEST(Trim, RemovesCodesUpTo32AtBothEnds) {
    EXPECT_EQ(Trim(L"\x01 \t a b\r\n\x20"), L"a b");
    EXPECT_EQ(Trim(std::wstring(L"\0a\0", 3)), L"a");
    EXPECT_EQ(Trim(L" \t "), L"");
    EXPECT_EQ(Trim(L""), L"");
    EXPECT_EQ(Trim(L"\x00A0"
                   L"a\x3000"),
              L"\x00A0"
              L"a\x3000");
}

TEST(SmallHelpers, KeepAlphaNumericByteLengthAndMakeInt64) {
    EXPECT_EQ(KeepAlphaNumeric(L"Utf-8_\x00E9!x"), L"Utf8x");
    EXPECT_EQ(ByteLength("abc"), 3);
    EXPECT_EQ(ByteLength(""), 0);
    EXPECT_EQ(ByteLength(static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(ByteLength(L"abc"), 6);
    EXPECT_EQ(ByteLength(static_cast<const wchar_t*>(nullptr)), 0);
    EXPECT_EQ(MakeInt64(0, 0xFFFFFFFFu), 4294967295LL);
    EXPECT_EQ(MakeInt64(1, 0), 4294967296LL);
    EXPECT_EQ(MakeInt64(1, 0x80000000u), 6442450944LL);
}

} // namespace
