// Charset names and Windows code pages: the table that maps the one to the other, its lookup, and
// the conversions between code-page bytes and text.
//
// The two code-page conversions are the only part of this unit that calls the platform.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr int32_t kCodePageUtf16 = 1200; // UTF-16LE, never converted by the platform
constexpr int32_t kCodePageUtf8 = 65001;

struct TZelCodePageRec {
    std::wstring_view Name; // the preferred name
    int32_t CodePage;
    std::wstring_view Alias1; // equal to Name in most rows
    std::wstring_view Alias2; // empty in most rows
};

// The first matching row wins, so an alias shadows a later row of that name ("iso-8859-1" gives
// 1252, "euc-kr" 50225).
extern const std::array<TZelCodePageRec, 140> CodePageTable;

// Index of the first row whose name or alias equals name, comparing only ASCII letters and digits
// and ignoring case ("UTF8", "utf_8" and "Utf-8" all find "utf-8"); -1 when none does.
int32_t FindCodePageRec(std::wstring_view name);

// The code page of that row, 0 when there is none.
int32_t CodePageFromCharset(std::wstring_view name);

// The zero-terminated bytes converted from the code page; 0 or below stands for the system's ANSI
// code page. Empty for missing bytes and when the platform cannot convert.
std::wstring BytesToText(const char* bytes, int32_t codePage);

// The text up to its first zero unit converted to the code page (0 or below: the system's ANSI
// code page), without a terminator; empty when the conversion fails.
std::string TextToBytes(std::wstring_view text, int32_t codePage);

// The UTF-16LE units of the bytes up to the first zero unit; a last odd byte stands for a unit
// whose high byte is 0.
std::wstring Utf16LeToText(const void* bytes, size_t byteCount);
