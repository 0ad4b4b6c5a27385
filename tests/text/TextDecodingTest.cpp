#include "text/ZelConvUtl.h"

#include "strings/CodePages.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using testing_support::Utf8;

// The UTF-16LE bytes of a text.
std::string Utf16Bytes(std::wstring_view text) {
    std::string bytes;
    for (const wchar_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::wstring Ansi(const std::string& bytes) {
    return BytesToText(bytes.c_str(), 0);
}

struct LoadCase {
    const char* what;
    std::string bytes;
    std::wstring text;
    int32_t codePage;
    std::wstring encoding;
};

// Every road through the detection, seen through a load into a fresh content object.
TEST(LoadFromBuffer, DecidesTheEncodingFromMarksAndDeclarations) {
    const std::string xmlPad(60, ' ');
    const std::string xml = "<?xml version=\"1.0\"";
    const std::string sjis = "<?xml version='1.0' encoding='Shift_JIS'?><a>\x93\xFA</a>";
    const std::string html = "<html><head><meta http-equiv=\"Content-Type\" "
                             "content=\"text/html; charset=utf-8\"></head>caf\xC3\xA9";
    const std::wstring utf16Xml = L"<?xml version=\"1.0\" encoding=\"utf-16\"?><a>\x65E5</a>";
    const std::string unquoted = xml + " encoding=utf-8?><a>\xC3\xA9</a>";
    const std::string unquotedThenQuote = xml + " encoding=utf-8?><a href=\"x\">\xC3\xA9</a>";
    const std::string unknown = xml + " encoding=\"x-none\"?><a>\xC3\xA9</a>";
    const std::string notMarkup = "caf\xC3\xA9 <?xml encoding=\"utf-8\"?>";
    const std::string upperXml = "<?XML version=\"1.0\" encoding=\"utf-8\"?>\xC3\xA9";
    const std::string charsetAfterZero = std::string("<html>\0 charset=\"utf-8\"", 24);
    const std::string lateCharset =
        "<html>" + std::string(1020, ' ') + "charset=\"utf-8\">\xC3\xA9";
    const std::string utf32 = xml + " encoding=\"utf-32\"?>abc";

    const LoadCase cases[] = {
        {"UTF-8 mark wins over the declaration",
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\xC3\xA9",
         L"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\x00E9", 65001, L""},
        {"UTF-16 mark", "\xFF\xFE" + Utf16Bytes(L"<a>\x65E5</a>"), L"<a>\x65E5</a>", 1200, L""},
        {"UTF-16 mark alone", "\xFF\xFE", L"", 1200, L""},
        {"UTF-8 mark alone", "\xEF\xBB\xBF", L"", 65001, L""},
        {"XML without encoding is UTF-8", xml + "?><a>\xC3\xA9</a>",
         L"<?xml version=\"1.0\"?><a>\x00E9</a>", 65001, L""},
        {"declared in double quotes", xml + " encoding=\"windows-1252\"?>\xE9",
         L"<?xml version=\"1.0\" encoding=\"windows-1252\"?>\x00E9", 1252, L"windows-1252"},
        {"declared alias takes the first matching row", xml + " encoding=\"ISO-8859-1\"?>",
         L"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", 1252, L"ISO-8859-1"},
        {"declared in apostrophes", sjis,
         L"<?xml version='1.0' encoding='Shift_JIS'?><a>\x65E5</a>", 932, L"Shift_JIS"},
        {"keyword ignores case", xml + " ENCODING = \"windows-1251\"?>\xC1",
         L"<?xml version=\"1.0\" ENCODING = \"windows-1251\"?>\x0411", 1251, L"windows-1251"},
        {"charset of an HTML meta element", html, testing_support::FromUtf8(html), 65001, L"utf-8"},
        {"unquoted name without a later quote", unquoted, Ansi(unquoted), 0, L""},
        {"unquoted name runs to a later quote", unquotedThenQuote, Ansi(unquotedThenQuote), 0, L""},
        {"unknown name", unknown, Ansi(unknown), 0, L""},
        {"not markup", notMarkup, Ansi(notMarkup), 0, L""},
        {"?xml is case-sensitive", upperXml, Ansi(upperXml), 0, L""},
        {"keyword search stops at a zero byte", charsetAfterZero, L"<html>", 0, L""},
        {"charset beyond 1024 bytes", lateCharset, Ansi(lateCharset), 0, L""},
        {"UTF-16 without mark, declared", Utf16Bytes(utf16Xml), utf16Xml, 1200, L"utf-16"},
        {"UTF-16 without mark, charset", Utf16Bytes(L"<html charset=utf-16 '>x"),
         L"<html charset=utf-16 '>x", 1200, L"utf-16 "},
        {"UTF-16 without mark or declaration", Utf16Bytes(L"<?xml version=\"1.0\"?><a/>"), L"<", 0,
         L""},
        {"one byte", "<", L"", 0, L""},
        {"zero first byte", std::string("\0<?xml?>", 8), L"", 0, L""},
        {"text ends at a zero byte", std::string("ab\0cd", 5), L"ab", 0, L""},
        {"UTF-8 text ends at a zero byte",
         std::string("\xEF\xBB\xBF"
                     "a\0b",
                     6),
         L"a", 65001, L""},
        {"UTF-16 text ends at a zero unit", "\xFF\xFE" + Utf16Bytes(std::wstring(L"a\0b", 3)), L"a",
         1200, L""},
        {"code page the platform cannot convert", utf32, L"", 12000, L"utf-32"},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        TZelCustomTextContent content;
        content.SetEncoding(L"utf-8"); // plays no part in a load
        EXPECT_TRUE(content.LoadFromBuffer(static_cast<int32_t>(c.bytes.size()), c.bytes.data()));
        EXPECT_EQ(content.Text, c.text);
        EXPECT_EQ(content.CodePage, c.codePage);
        EXPECT_EQ(content.Encoding, c.encoding);
    }
}

// The "encoding" keyword must start within the first 50 bytes, and may end beyond them.
TEST(LoadFromBuffer, EncodingKeywordMustStartBelowFifty) {
    const std::string head = "<?xml version=\"1.0\"";
    for (const size_t start : {49u, 50u}) {
        SCOPED_TRACE(start);
        const std::string bytes =
            head + std::string(start - head.size(), ' ') + "encoding=\"windows-1252\"?>\xE9";
        TZelCustomTextContent content;
        ASSERT_TRUE(content.LoadFromBuffer(static_cast<int32_t>(bytes.size()), bytes.data()));
        EXPECT_EQ(content.CodePage, start < 50 ? 1252 : 65001);
    }
}

// In UTF-16 without a mark each unit is judged by its low byte when the name is cut out.
TEST(DecodeTextBuffer, Utf16UnitsAreJudgedByTheirLowByte) {
    const std::wstring text = L"<\x013Fxml encoding\x013D\x0122utf-16\x2022?>";
    const std::string bytes = Utf16Bytes(text);
    int32_t codePage = 0;
    std::wstring encoding;
    EXPECT_EQ(
        DecodeTextBuffer(bytes.data(), static_cast<int32_t>(bytes.size()), codePage, encoding),
        text);
    EXPECT_EQ(codePage, 1200);
    EXPECT_EQ(encoding, L"utf-16");
}

// The incoming code page and encoding decide where the buffer declares nothing usable.
TEST(DecodeTextBuffer, FallsBackOnTheIncomingEncodingAndCodePage) {
    const struct {
        const char* what;
        std::string bytes;
        int32_t codePage;
        std::wstring encoding;
        int32_t expectedCodePage;
        std::wstring expectedEncoding;
        std::wstring expectedText;
    } cases[] = {
        {"unknown declared name, known incoming name", "<?xml encoding=\"x-none\"?>\xC1", 0,
         L"windows-1251", 1251, L"windows-1251", L"<?xml encoding=\"x-none\"?>\x0411"},
        {"nothing declared, known incoming name", "<p>\xC1", 932, L"windows-1251", 1251,
         L"windows-1251", L"<p>\x0411"},
        {"known declared name wins", "<?xml encoding=\"windows-1251\"?>\xC1", 1252, L"utf-8", 1251,
         L"windows-1251", L"<?xml encoding=\"windows-1251\"?>\x0411"},
        {"unknown incoming name keeps the code page", "<p>\x93\xFA", 932, L"x-none", 932, L"x-none",
         L"<p>\x65E5"},
        {"no incoming name keeps the code page", "x\x93\xFA", 932, L"", 932, L"", L"x\x65E5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int32_t codePage = c.codePage;
        std::wstring encoding = c.encoding;
        EXPECT_EQ(DecodeTextBuffer(c.bytes.data(), static_cast<int32_t>(c.bytes.size()), codePage,
                                   encoding),
                  c.expectedText);
        EXPECT_EQ(codePage, c.expectedCodePage);
        EXPECT_EQ(encoding, c.expectedEncoding);
    }
}

TEST(DecodeTextBuffer, NothingToDecodeChangesNothing) {
    int32_t codePage = 932;
    std::wstring encoding = L"utf-8";
    EXPECT_EQ(DecodeTextBuffer(nullptr, 5, codePage, encoding), L"");
    EXPECT_EQ(DecodeTextBuffer("abc", 0, codePage, encoding), L"");
    EXPECT_EQ(DecodeTextBuffer("abc", -1, codePage, encoding), L"");
    EXPECT_EQ(DecodeTextBuffer("\0abc", 4, codePage, encoding), L"");
    EXPECT_EQ(DecodeTextBuffer("<", 1, codePage, encoding), L"");
    EXPECT_EQ(codePage, 932);
    EXPECT_EQ(encoding, L"utf-8");
}

TEST(FindKeyword, StartsBelowTheLimitAndStopsAtTheTerminatingZero) {
    const char* text = "xx ChArSeT=";
    EXPECT_EQ(FindKeyword(text, "charset", 4), text + 3);
    EXPECT_EQ(FindKeyword(text, "charset", 3), nullptr);
    EXPECT_EQ(FindKeyword("chars", "charset", 10), nullptr);
    EXPECT_EQ(FindKeyword("ab\0charset", "charset", 10), nullptr);
    EXPECT_EQ(FindKeyword(static_cast<const char*>(nullptr), "charset", 10), nullptr);

    const wchar_t* wide = L"<a ENCODING";
    EXPECT_EQ(FindKeyword(wide, L"encoding", 4), wide + 3);
    EXPECT_EQ(FindKeyword(wide, L"encoding", 3), nullptr);
    // only ASCII letters fold: a full-width E is another character
    EXPECT_EQ(FindKeyword(L"\xFF25ncoding", L"encoding", 10), nullptr);
    EXPECT_EQ(FindKeyword(L"ab\0encoding", L"encoding", 10), nullptr);
}

} // namespace
