// The text file stream: byte-order marks on writing and reading, and lines read across blocks.
#include "text/ZelIOUtl.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using testing_support::ReadBytes;
using testing_support::ScratchFolder;
using testing_support::WriteBytes;

// The UTF-16LE bytes of a text written in ASCII.
std::string Utf16Le(const std::string& ascii) {
    std::string bytes;
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

// Writes one text into a stream of the given mode and returns what WriteText reported.
int32_t WriteOnce(const std::wstring& path, TZelFileStreamMode mode, TZelTextEncoding encoding,
                  const std::wstring& text) {
    TZelFileStream stream(path, mode, encoding, L"\r\n", 5, 1024);
    EXPECT_TRUE(stream.Open());
    const int32_t written = stream.WriteText(text);
    stream.Close(false);
    return written;
}

struct ReadResult {
    std::vector<std::wstring> lines;
    TZelTextEncoding encoding;
};

// Every line of the file, read until Eof; each result must be the length of its line.
ReadResult ReadAll(const std::wstring& path, TZelTextEncoding encoding, int32_t bufferSize) {
    TZelFileStream stream(path, fsmRead, encoding, L"\r\n", 5, bufferSize);
    ReadResult result{{}, encoding};
    if (!stream.Open())
        return result;
    result.encoding = stream.Encoding();
    std::wstring line;
    while (!stream.Eof()) {
        const int32_t length = stream.ReadLine(line);
        EXPECT_EQ(length, static_cast<int32_t>(line.size()));
        result.lines.push_back(line);
        if (result.lines.size() > 100000)
            break; // a stream that never ends fails, not hangs
    }
    EXPECT_EQ(stream.ErrorCode(), 0u);
    return result;
}

TEST(FileStreamWrite, MarksOnlyTheStartOfAnEmptyFile) {
    struct Case {
        TZelTextEncoding encoding;
        std::string created;  // after writing "abc" into a new file
        std::string appended; // after appending "d" to it
    };
    const Case cases[] = {
        {teUtf8Bom,
         "\xEF\xBB\xBF"
         "abc",
         "\xEF\xBB\xBF"
         "abcd"},
        {teUtf16Bom, "\xFF\xFE" + Utf16Le("abc"), "\xFF\xFE" + Utf16Le("abcd")},
        {teUtf16, Utf16Le("abc"), Utf16Le("abcd")},
        {teAnsi, "abc", "abcd"},
    };
    ScratchFolder folder;
    for (const Case& c : cases) {
        const std::wstring path = folder / L"out.txt";
        WriteBytes(path, "old content that is replaced");
        const int32_t textBytes = c.encoding == teAnsi || c.encoding == teUtf8Bom ? 3 : 6;
        EXPECT_EQ(WriteOnce(path, fsmCreate, c.encoding, L"abc"), textBytes) << c.encoding;
        EXPECT_EQ(ReadBytes(path), c.created) << c.encoding;
        EXPECT_EQ(WriteOnce(path, fsmAppend, c.encoding, L"d"), textBytes / 3) << c.encoding;
        EXPECT_EQ(ReadBytes(path), c.appended) << c.encoding;
    }
}

TEST(FileStreamWrite, AppendingCreatesAMissingFileWithItsMark) {
    ScratchFolder folder;
    const std::wstring path = folder / L"new.log";
    EXPECT_EQ(WriteOnce(path, fsmAppend, teUtf8Bom, L"\x00E4\x20AC\r\n"), 7);
    EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF\xC3\xA4\xE2\x82\xAC\r\n");
}

TEST(FileStreamWrite, WritesTextUpToItsFirstZeroAndCountsTheBytes) {
    ScratchFolder folder;
    const std::wstring path = folder / L"out.txt";
    TZelFileStream stream(path, fsmCreate, teUtf8Bom, L"", 5, 0);
    ASSERT_TRUE(stream.Open());
    EXPECT_EQ(stream.WriteText(std::wstring(L"ab\0cd", 5)), 2);
    EXPECT_EQ(stream.WriteText(L""), 0);
    EXPECT_EQ(stream.FileSize(), 5);
    stream.Close(false);
    EXPECT_EQ(stream.FileSize(), 5);
    EXPECT_EQ(stream.WriteText(L"late"), 0);
    EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF"
                               "ab");
}

TEST(FileStreamRead, AMarkOverridesTheConfiguredEncoding) {
    struct Case {
        std::string bytes;
        TZelTextEncoding configured;
        std::vector<std::wstring> lines;
        TZelTextEncoding detected;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF"
         "a\xC3\xA4\r\nb",
         teUtf8Bom,
         {L"a\x00E4", L"b"},
         teUtf8Bom},
        {"\xEF\xBB\xBF"
         "a\xC3\xA4\r\nb",
         teUtf16,
         {L"a\x00E4", L"b"},
         teUtf8Bom},
        {"\xFF\xFE" + Utf16Le("a\r\nb"), teUtf8Bom, {L"a", L"b"}, teUtf16Bom},
        {"\xFF\xFE\xAC\x20\r\0\n\0"s, teAnsi, {L"\x20AC"}, teUtf16Bom},
        {Utf16Le("a\r\nb"), teUtf16, {L"a", L"b"}, teUtf16},
        {"plain\r\ntext", teUtf8Bom, {L"plain", L"text"}, teUtf8Bom},
    };
    ScratchFolder folder;
    for (const Case& c : cases) {
        const std::wstring path = folder / L"in.txt";
        WriteBytes(path, c.bytes);
        const ReadResult read = ReadAll(path, c.configured, 1024);
        EXPECT_EQ(read.lines, c.lines) << testing_support::Utf8(c.lines.front());
        EXPECT_EQ(read.encoding, c.detected) << testing_support::Utf8(c.lines.front());
    }
}

// Every block size from the smallest on cuts the lines at every place, among them a CR LF cut
// exactly between two blocks; UTF-16 files also with odd sizes.
TEST(FileStreamRead, SplitsLinesAcrossBlockBoundaries) {
    struct Case {
        std::string text;
        std::vector<std::wstring> lines;
    };
    const Case cases[] = {
        {"one\r\ntwo\r\n\r\nthree", {L"one", L"two", L"", L"three"}},
        {"last\r\n", {L"last"}},
        {"lf\nonly\nbreaks", {L"lf\nonly\nbreaks"}},
        {"cr\ronly", {L"cr\ronly"}},
        {"x\r\r\ny\r\n\r\n", {L"x\r", L"y", L""}},
    };
    ScratchFolder folder;
    const std::wstring path = folder / L"lines.txt";
    for (const Case& c : cases) {
        for (int32_t size = 4; size <= 24; ++size) {
            WriteBytes(path, c.text);
            EXPECT_EQ(ReadAll(path, teAnsi, size).lines, c.lines) << c.text << " / " << size;
            WriteBytes(path, "\xEF\xBB\xBF" + c.text);
            EXPECT_EQ(ReadAll(path, teAnsi, size).lines, c.lines) << c.text << " / " << size;
            WriteBytes(path, "\xFF\xFE" + Utf16Le(c.text));
            EXPECT_EQ(ReadAll(path, teAnsi, size).lines, c.lines) << c.text << " / " << size;
        }
    }
}

TEST(FileStreamRead, ReadsLinesMuchLongerThanABlockWhole) {
    std::wstring longLine;
    while (longLine.size() < 200000)
        longLine += L"ab\x00E4\x20AC\xD83D\xDE00"; // one-, two-, three- and four-byte UTF-8
    ScratchFolder folder;
    const std::wstring path = folder / L"long.txt";
    for (const TZelTextEncoding encoding : {teUtf8Bom, teUtf16Bom}) {
        TZelFileStream writer(path, fsmCreate, encoding, L"\r\n", 5, 1024);
        ASSERT_TRUE(writer.Open());
        writer.WriteText(longLine + L"\r\nend");
        writer.Close(false);
        EXPECT_EQ(ReadAll(path, teAnsi, 1024).lines, (std::vector<std::wstring>{longLine, L"end"}))
            << encoding;
    }
}

TEST(FileStreamRead, DropsZeroUnitsFromLines) {
    ScratchFolder folder;
    const std::wstring path = folder / L"zeros.txt";
    WriteBytes(path, std::string("a\0b\r\n\0c\0", 8));
    EXPECT_EQ(ReadAll(path, teUtf8Bom, 4).lines, (std::vector<std::wstring>{L"ab", L"c"}));
    WriteBytes(path, "\xFF\xFE" + Utf16Le(std::string("a\0b\r\nc\0", 7)));
    EXPECT_EQ(ReadAll(path, teUtf8Bom, 4).lines, (std::vector<std::wstring>{L"ab", L"c"}));
}

TEST(FileStreamRead, ABinaryStreamReadsNoLinesAndWritesNoText) {
    ScratchFolder folder;
    const std::wstring path = folder / L"data.bin";
    WriteBytes(path, "\xEF\xBB\xBF"
                     "line\r\n");
    TZelFileStream reader(path, fsmRead, teBinary, L"\r\n", 5, 1024);
    ASSERT_TRUE(reader.Open());
    std::wstring line = L"stale";
    EXPECT_EQ(reader.ReadLine(line), 0);
    EXPECT_EQ(line, L"");
    EXPECT_TRUE(reader.Eof());
    TZelFileStream writer(folder / L"out.bin", fsmCreate, teBinary, L"\r\n", 5, 1024);
    ASSERT_TRUE(writer.Open());
    EXPECT_EQ(writer.WriteText(L"text"), 0);
    writer.Close(false);
    EXPECT_EQ(ReadBytes(folder / L"out.bin"), "");
}

TEST(FileStreamOpen, MissingFilesAndSecondOpensAreRefused) {
    ScratchFolder folder;
    TZelFileStream missing(folder / L"missing.txt", fsmRead, teUtf8Bom, L"\r\n", 5, 1024);
    EXPECT_FALSE(missing.Open());
    EXPECT_EQ(missing.ErrorCode(), kOpenRefusedError);
    std::wstring line;
    EXPECT_EQ(missing.ReadLine(line), 0);
    EXPECT_TRUE(missing.Eof());

    const std::wstring path = folder / L"once.txt";
    WriteBytes(path, "text");
    TZelFileStream stream(path, fsmRead, teUtf8Bom, L"\r\n", 5, 1024);
    EXPECT_TRUE(stream.Open());
    EXPECT_FALSE(stream.Open());
    stream.Close(false);
    EXPECT_TRUE(stream.Closed());
    EXPECT_TRUE(stream.Eof());
    EXPECT_FALSE(stream.Open());
    EXPECT_EQ(stream.ReadLine(line), 0);
}

TEST(FileStreamClose, GrantsEveryoneOnlyAWrittenFile) {
    ScratchFolder folder;
    const std::wstring path = folder / L"shared.txt";
    struct Case {
        TZelFileStreamMode mode;
        bool grant;
    };
    for (const Case c : {Case{fsmRead, true}, Case{fsmCreate, false}, Case{fsmCreate, true}}) {
        WriteBytes(path, "text");
        ASSERT_EQ(testing_support::EveryoneWriteGrant(path), std::nullopt);
        TZelFileStream stream(path, c.mode, teUtf8Bom, L"\r\n", 5, 1024);
        ASSERT_TRUE(stream.Open());
        stream.Close(c.grant);
        const bool granted = c.mode != fsmRead && c.grant;
        EXPECT_EQ(testing_support::EveryoneWriteGrant(path),
                  granted ? std::optional(testing_support::kFileGrantFlags) : std::nullopt)
            << c.mode << c.grant;
        ASSERT_TRUE(DeleteFileW(path.c_str()));
    }
}

TEST(FileStreamOpen, AnEmptyFileIsAtItsEndAtOnce) {
    ScratchFolder folder;
    const std::wstring path = folder / L"empty.txt";
    WriteBytes(path, "");
    TZelFileStream stream(path, fsmRead, teUtf8Bom, L"\r\n", 5, 1024);
    EXPECT_TRUE(stream.Open());
    EXPECT_TRUE(stream.Eof());
}

} // namespace
