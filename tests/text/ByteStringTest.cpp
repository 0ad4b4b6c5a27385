#include "strings/ByteString.h"

#include <gtest/gtest.h>

#include <cwchar>

#include <windows.h>

namespace {

TEST(TZelByteString, TextAppendedAsUtf16ReadsBackUpToTheFirstZeroUnit) {
    TZelByteString bytes;
    bytes.AppendText(L"AB");
    EXPECT_EQ(bytes.Length(), 4);
    EXPECT_EQ(bytes.AsUtf16Text(), L"AB");
    bytes.SetByte(2, 0);
    EXPECT_EQ(bytes.Length(), 4);
    EXPECT_EQ(bytes.AsUtf16Text(), L"A");
}

TEST(TZelByteString, AppendsInOrderAndKeepsTheTerminatingZeros) {
    TZelByteString bytes;
    bytes.Append("ab", 2);
    bytes.AppendText(std::wstring(L"\x00E9\0ignored", 9));
    bytes.Append("c", 1);
    ASSERT_EQ(bytes.Length(), 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.PointerAt(0)), 5),
              std::string("ab\xE9\0c", 5));
    // An odd length still ends in a whole zero UTF-16 unit, so reading the block as
    // zero-terminated text stays inside it.
    EXPECT_EQ(bytes.PointerAt(4)[1], 0);
    EXPECT_EQ(bytes.PointerAt(4)[2], 0);
    EXPECT_EQ(bytes.PointerAt(4)[3], 0);
    EXPECT_EQ(std::wcslen(reinterpret_cast<const wchar_t*>(bytes.PointerAt(0))), 3u);
}

TEST(TZelByteString, IgnoresMissingDataAndIndexesOutsideTheBytes) {
    TZelByteString bytes;
    EXPECT_EQ(bytes.PointerAt(0), nullptr);
    EXPECT_EQ(bytes.AsUtf16Text(), L"");
    EXPECT_EQ(bytes.AsAnsiText(1252), L"");
    EXPECT_EQ(bytes.AsUtf8Text(), L"");
    bytes.Append(nullptr, 3);
    bytes.Append("abc", 0);
    bytes.Append("abc", -1);
    bytes.AppendText(L"");
    EXPECT_EQ(bytes.Length(), 0);

    bytes.Append("abc", 3);
    EXPECT_EQ(bytes.PointerAt(-1), nullptr);
    EXPECT_EQ(bytes.PointerAt(3), nullptr);
    ASSERT_NE(bytes.PointerAt(2), nullptr);
    EXPECT_EQ(*bytes.PointerAt(2), 'c');
    bytes.SetByte(-1, 'x');
    bytes.SetByte(3, 'x');
    EXPECT_EQ(bytes.AsAnsiText(1252), L"abc");

    bytes.Clear();
    EXPECT_EQ(bytes.Length(), 0);
    EXPECT_EQ(bytes.PointerAt(0), nullptr);
}

TEST(TZelByteString, DecodesAnsiAndUtf8UpToTheFirstZeroByte) {
    TZelByteString bytes;
    bytes.Append("caf\xC3\xA9\0x", 7);
    EXPECT_EQ(bytes.AsUtf8Text(), L"caf\x00E9");
    EXPECT_EQ(bytes.AsAnsiText(1252), L"caf\x00C3\x00A9");
    EXPECT_EQ(bytes.AsAnsiText(0), bytes.AsAnsiText(static_cast<int32_t>(GetACP())));
}

} // namespace
