// Whole text files written and read: one byte-order mark, lines joined, a held file waited for.
#include "text/TextFiles.h"

#include "ExclusiveHold.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;
using testing_support::EveryoneWriteGrant;
using testing_support::ReadBytes;
using testing_support::ScratchFolder;
using testing_support::Utf8;
using testing_support::WriteBytes;

TEST(WriteTextFile, AppendsLogLinesWithOneMarkAndReadsThemBack) {
    ScratchFolder folder;
    const std::wstring log = folder / L"setup.log";
    const std::wstring line = L"000001A4\t2024-01-02 03:04:05\tStart \x00C4\x20AC\r\n";
    EXPECT_TRUE(WriteTextFile(log, line, teUtf8Bom, false, true));
    EXPECT_EQ(EveryoneWriteGrant(log), std::nullopt);
    EXPECT_TRUE(WriteTextFile(log, line, teUtf8Bom, true, true));
    EXPECT_EQ(EveryoneWriteGrant(log), testing_support::kFileGrantFlags);
    EXPECT_EQ(ReadBytes(log), "\xEF\xBB\xBF" + Utf8(line) + Utf8(line));
    std::wstring text = L"stale";
    EXPECT_TRUE(ReadTextFile(log, text, teUtf8Bom));
    EXPECT_EQ(text, line + line.substr(0, line.size() - 2));
}

TEST(WriteTextFile, ReplacesWithoutAppend) {
    ScratchFolder folder;
    const std::wstring path = folder / L"silent.txt";
    WriteBytes(path, "\xEF\xBB\xBF"
                     "old text that is longer");
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(WriteTextFile(path, L"a\r\nb", teUtf8Bom, false, false));
    EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF"
                               "a\r\nb");
    EXPECT_FALSE(WriteTextFile(path, L"", teUtf8Bom, false, true));
    EXPECT_FALSE(WriteTextFile(L"", L"x", teUtf8Bom, false, true));
}

TEST(WriteTextFile, WaitsForAWriterThatHoldsTheFile) {
    ScratchFolder folder;
    const std::wstring log = folder / L"shared.log";
    WriteBytes(log, "\xEF\xBB\xBF"
                    "first\r\n");
    ExclusiveHold hold(log);
    ASSERT_TRUE(hold.Held());
    hold.ReleaseAfter(200);
    EXPECT_TRUE(WriteTextFile(log, L"second\r\n", teUtf8Bom, true, true));
    EXPECT_EQ(ReadBytes(log), "\xEF\xBB\xBF"
                              "first\r\nsecond\r\n");
}

TEST(ReadTextFile, JoinsLinesWithoutAFinalBreak) {
    struct Case {
        std::string bytes;
        bool read;
        std::wstring text;
    };
    const Case cases[] = {
        {"a\r\nb", true, L"a\r\nb"},
        {"a\r\nb\r\n", true, L"a\r\nb"},
        {"\r\n", true, L""},
        {"\xFF\xFEx\0\r\0\n\0y\0"s, true, L"x\r\ny"},
        {"", false, L""},
    };
    ScratchFolder folder;
    const std::wstring path = folder / L"in.txt";
    for (const Case& c : cases) {
        WriteBytes(path, c.bytes);
        std::wstring text = L"stale";
        EXPECT_EQ(ReadTextFile(path, text, teUtf8Bom), c.read) << c.bytes;
        EXPECT_EQ(text, c.text) << c.bytes;
    }
    std::wstring text = L"stale";
    EXPECT_FALSE(ReadTextFile(folder / L"missing.txt", text, teUtf8Bom));
    EXPECT_EQ(text, L"");
    EXPECT_FALSE(ReadTextFile(path, text, teBinary));
}

} // namespace
