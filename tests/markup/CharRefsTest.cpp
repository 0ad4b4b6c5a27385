#include "markup/CharRefs.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct RefCase {
    std::wstring text;
    std::wstring decoded;
};

class DecodeCharRefsTest : public ::testing::TestWithParam<RefCase> {};

TEST_P(DecodeCharRefsTest, Decodes) {
    EXPECT_EQ(DecodeCharRefs(GetParam().text), GetParam().decoded) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DecodeCharRefsTest,
    ::testing::Values(
        RefCase{L"no references", L"no references"}, RefCase{L"", L""},
        // The four basic references.
        RefCase{L"Fish &amp; Chips", L"Fish & Chips"}, RefCase{L"&lt;b&gt;", L"<b>"},
        RefCase{L"&quot;x&quot;", L"\"x\""},
        // Named references: case-sensitive; a non-breaking space becomes an ordinary one.
        RefCase{L"&copy;x", L"\u00A9x"}, RefCase{L"&Agrave;&agrave;", L"\u00C0\u00E0"},
        RefCase{L"&alefsym;&lsaquo;&diams;", L"\u2135\u2039\u2666"}, RefCase{L"a&nbsp;b", L"a b"},
        // Numeric references in every prefix form.
        RefCase{L"&#65;", L"A"}, RefCase{L"&#x41;", L"A"}, RefCase{L"&#X41;", L"A"},
        RefCase{L"&#$41;", L"A"}, RefCase{L"&#0x41;", L"A"}, RefCase{L"&#0X4a;", L"J"},
        RefCase{L"&#+65;", L"A"}, RefCase{L"&#  65;", L"A"}, RefCase{L"&#-1;", L"\uFFFF"},
        // Reading stops at the first character that does not fit, and wraps at 32 bits
        // keeping the low 16.
        RefCase{L"&#12a;", L"\u000C"}, RefCase{L"&#;", std::wstring(1, L'\0')},
        RefCase{L"&#\t65;", std::wstring(1, L'\0')}, RefCase{L"&#128512;", L"\uF600"},
        RefCase{L"&#4294967361;", L"A"},
        // Without a semicolon the reference runs to the end; with a later one, up to it.
        RefCase{L"x&#65", L"xA"}, RefCase{L"&#65&amp;b", L"Ab"},
        // A decoded ampersand does not start another reference.
        RefCase{L"&#38;lt;", L"&lt;"},
        // An unknown name after a, l, g or q is kept; strict decoding goes on.
        RefCase{L"&apos;s &amp; &gx", L"&apos;s & &gx"},
        // Anything else makes the strict decoding fail: only the basic references are decoded,
        // quot before amp, and numeric references stay as written.
        RefCase{L"Q&A &copy;", L"Q&A &#169;"}, RefCase{L"&COPY;", L"&COPY;"},
        RefCase{L"&rsaquo;", L"&rsaquo;"}, RefCase{L"&euro; &#65;", L"&euro; &#65;"},
        RefCase{L"&amp;quot; &lt;&x", L"&quot; <&x"}, RefCase{L"a&", L"a&"}));

TEST(EncodeCharRefs, WritesTheFourBasicReferencesOnly) {
    EXPECT_EQ(EncodeCharRefs(L"a<b>\"c\"&d"), L"a&lt;b&gt;&quot;c&quot;&amp;d");
    EXPECT_EQ(EncodeCharRefs(L"Fish &amp; Chips"), L"Fish &amp;amp; Chips");
    EXPECT_EQ(EncodeCharRefs(L"it's\r\n\u00E9"), L"it's\r\n\u00E9");
    EXPECT_EQ(DecodeCharRefs(EncodeCharRefs(L"<&\"Fish & Chips\">")), L"<&\"Fish & Chips\">");
}

TEST(MarkupEntityTable, EveryRowDecodesToItsCodeUnit) {
    std::set<std::wstring> names;
    for (const TXMLHemlSpacRec& entity : MarkupEntityTable) {
        const std::wstring name = entity.Name;
        EXPECT_TRUE(name.size() > 2 && name.front() == L'&' && name.back() == L';') << name;
        EXPECT_TRUE(names.insert(name).second) << "twice: " << name;
        EXPECT_EQ(DecodeCharRefs(name), std::wstring(1, static_cast<wchar_t>(entity.Code))) << name;
    }
    // The first and last references of each set are there, whatever their rows.
    for (const wchar_t* present : {L"&iexcl;", L"&yuml;", L"&OElig;", L"&circ;", L"&Alpha;",
                                   L"&omega;", L"&bull;", L"&diams;", L"&ensp;", L"&lsaquo;"})
        EXPECT_EQ(names.count(present), 1u) << present;
    for (const wchar_t* absent :
         {L"&nbsp;", L"&amp;", L"&lt;", L"&gt;", L"&quot;", L"&rsaquo;", L"&euro;"})
        EXPECT_EQ(names.count(absent), 0u) << absent;
}

} // namespace
