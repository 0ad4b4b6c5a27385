#include "markup/CharRefs.h"

#include "strings/ZelStrUtl.h"

#include <cstdint>
#include <string_view>

const std::array<const wchar_t*, 4> MarkupSpecialChars = {L"&", L"<", L">", L"\""};
const std::array<const wchar_t*, 4> MarkupSpecialRefs = {L"&amp;", L"&lt;", L"&gt;", L"&quot;"};

namespace {

int DigitValue(wchar_t c, unsigned base) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (base == 16 && c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (base == 16 && c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// The code unit of a numeric reference from the text between "&#" and ";": spaces, one sign,
// then decimal digits or hexadecimal digits after "x", "X", "$", "0x" or "0X". Reading stops
// at the first character that does not fit; the value wraps at 32 bits and keeps its low 16.
wchar_t NumericReferenceUnit(std::wstring_view number) {
    size_t i = 0;
    while (i < number.size() && number[i] == L' ')
        ++i;
    bool negative = false;
    if (i < number.size() && (number[i] == L'+' || number[i] == L'-'))
        negative = number[i++] == L'-';
    unsigned base = 10;
    if (i < number.size() && (number[i] == L'x' || number[i] == L'X' || number[i] == L'$')) {
        base = 16;
        i += 1;
    } else if (i + 1 < number.size() && number[i] == L'0' &&
               (number[i + 1] == L'x' || number[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    uint32_t value = 0;
    for (int digit; i < number.size() && (digit = DigitValue(number[i], base)) >= 0; ++i)
        value = value * base + static_cast<uint32_t>(digit);
    if (negative)
        value = 0u - value;
    return static_cast<wchar_t>(value & 0xFFFF);
}

// The index of the basic reference ("&amp;", "&lt;", "&gt;", "&quot;") that starts at
// position, or -1.
int BasicReferenceAt(const std::wstring& s, size_t position) {
    for (size_t i = 0; i < MarkupSpecialRefs.size(); ++i)
        if (std::wstring_view(s).substr(position).starts_with(MarkupSpecialRefs[i]))
            return static_cast<int>(i);
    return -1;
}

std::wstring NumericReference(unsigned code) {
    return L"&#" + DecimalText(code) + L";";
}

// The strict decoding failed: only the basic references are decoded, the ampersand last so
// that no reference is made by the replacements themselves.
std::wstring DecodeBasicRefsLeniently(std::wstring s) {
    for (size_t i = MarkupSpecialRefs.size(); i-- > 0;)
        s = ReplaceAll(s, MarkupSpecialRefs[i], MarkupSpecialChars[i], false);
    return s;
}

// The basic references decoded strictly; when the strict decoding fails, only the basic
// references are decoded, leniently.
std::wstring DecodeBasicRefsStrictlyOrLeniently(const std::wstring& numeric) try {
    return DecodeBasicRefs(numeric);
} catch (...) {
    return DecodeBasicRefsLeniently(numeric);
}

} // namespace

std::wstring DecodeBasicRefs(const std::wstring& s) {
    std::wstring decoded;
    decoded.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] != L'&') {
            decoded += s[i++];
            continue;
        }
        const wchar_t next = i + 1 < s.size() ? s[i + 1] : L'\0';
        if (next == L'a' || next == L'l' || next == L'g' || next == L'q') {
            const int basic = BasicReferenceAt(s, i);
            if (basic >= 0) {
                decoded += MarkupSpecialChars[basic];
                i += std::wstring_view(MarkupSpecialRefs[basic]).size();
            } else {
                // An unknown name with one of these letters is kept as written.
                decoded.append(s, i, 2);
                i += 2;
            }
        } else if (next == L'#') {
            const size_t semicolon = s.find(L';', i + 2);
            const size_t end = semicolon == std::wstring::npos ? s.size() : semicolon;
            decoded += NumericReferenceUnit(std::wstring_view(s).substr(i + 2, end - (i + 2)));
            if (semicolon == std::wstring::npos)
                break;
            i = semicolon + 1;
        } else {
            throw TCharRefError{};
        }
    }
    return decoded;
}

std::wstring DecodeCharRefs(const std::wstring& s) try {
    if (s.find(L'&') == std::wstring::npos)
        return s;
    std::wstring numeric = ReplaceAll(s, L"&nbsp;", L" ", false);
    for (const TXMLHemlSpacRec& entity : MarkupEntityTable)
        numeric = ReplaceAll(numeric, entity.Name, NumericReference(entity.Code), false);
    return DecodeBasicRefsStrictlyOrLeniently(numeric);
} catch (...) {
    return {};
}

std::wstring EncodeCharRefs(const std::wstring& s) try {
    std::wstring encoded = s;
    for (size_t i = 0; i < MarkupSpecialChars.size(); ++i)
        encoded = ReplaceAllText(encoded, MarkupSpecialChars[i], MarkupSpecialRefs[i], false);
    return encoded;
} catch (...) {
    return {};
}
