// The string functions the whole launcher shares: searching (optionally ignoring case or as a
// whole word), cutting tokens, replacing, unquoting, trimming and a few small helpers.
//
// Positions are 1-based and 0 means "not found", so a position can be tested as a truth value.
// Case is ignored by the user's default locale (strings/LocaleText.h). None of these raises.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The text without the characters with codes 0 to 32 at both ends. This is the one trimming rule
// of the launcher: option values, attribute values, registry texts and paths are all trimmed so.
std::wstring Trim(std::wstring_view s);

// 1-based position of the first occurrence of sub in s, 0 when there is none (also for an empty
// sub). With wholeWord an occurrence counts only when the characters around it are delimiters
// (see TZelStr::IsDelimiterAt); an end of sub that is itself a delimiter needs no delimiter
// beside it.
int FindText(std::wstring_view sub, std::wstring_view s, bool ignoreCase, bool wholeWord);

class TZelStr {
public:
    // True when the character at the 1-based index is an ASCII character other than a letter or
    // a digit, and for every index outside s. Characters from 128 up are never delimiters.
    static bool IsDelimiterAt(std::wstring_view s, int index);
};

// Cuts the text before the first separator off s and returns it; s keeps what follows the
// separator. Without a separator in s, all of s is returned and s becomes empty.
std::wstring ExtractToken(std::wstring& s, std::wstring_view separator, bool ignoreCase,
                          bool wholeWord);

enum TZelReplaceFlags : std::uint8_t {
    rfFirstOnly = 0,  // replace the first occurrence only, matching case
    rfReplaceAll = 1, // replace every occurrence
    rfIgnoreCase = 2, // compare ignoring case
};

constexpr TZelReplaceFlags operator|(TZelReplaceFlags a, TZelReplaceFlags b) {
    return static_cast<TZelReplaceFlags>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

// s with occurrences of find replaced, left to right; replaced text is never searched again, so
// "aa" in "aaa" is replaced once. An empty find leaves s unchanged.
std::wstring ReplaceString(std::wstring_view s, std::wstring_view find,
                           std::wstring_view replacement, bool wholeWord, TZelReplaceFlags flags);

// Every occurrence replaced, matching case.
std::wstring ReplaceAll(std::wstring_view s, std::wstring_view find, std::wstring_view replacement,
                        bool wholeWord = false);

// Every occurrence replaced, ignoring case.
std::wstring ReplaceAllText(std::wstring_view s, std::wstring_view find,
                            std::wstring_view replacement, bool wholeWord = false);

// A text enclosed in a matching pair of any one of quoteChars loses the pair, is trimmed inside and
// has quoteChars written twice reduced to once ("a""b" gives a"b with the double quote as
// quoteChars). Any other text is only trimmed.
std::wstring Unquote(std::wstring_view s, std::wstring_view quoteChars);

// The ASCII letters and digits of s, in order.
std::wstring KeepAlphaNumeric(std::wstring_view s);

// Bytes before the terminating zero unit of an encoded text; 0 for a missing text.
int32_t ByteLength(const char* text);
int32_t ByteLength(const wchar_t* text);

// high * 2^32 + low, low taken unsigned: a file size from its two double words.
int64_t MakeInt64(int32_t high, uint32_t low);

// Integer-with-default, the one rule by which numbers are read from definition files, versions
// and registry texts: optional leading blanks (codes up to 32), an optional "+" or "-", then
// either decimal digits whose signed value fits 32 bits, or a hexadecimal prefix ("$", "x", "X",
// "0x" or "0X") and at least one hexadecimal digit, at most FFFFFFFF, taken as a 32-bit pattern
// (a leading "-" negates it). Nothing may follow; any other text gives defaultValue.
int32_t IntegerWithDefault(std::wstring_view text, int32_t defaultValue);

// The value's digits in decimal, or in upper-case hexadecimal, with leading zeros up to minDigits
// and none beyond: DecimalText(7, 2) is "07", UpperHexText(0xA04F2) is "A04F2" ("0" for 0). The
// launcher's one way of writing numbers (the C library's formatting would add its whole printf to
// the program).
std::wstring DecimalText(uint64_t value, int minDigits = 1);
std::wstring UpperHexText(uint64_t value, int minDigits = 1);
