// Character references in attribute values: decoding the named references of HTML 4.01 and
// numeric references, and encoding the four basic references when a value is written back.
#pragma once

#include <array>
#include <string>

// One named reference: its complete text ("&iexcl;", ampersand and semicolon included) and the
// code point it stands for, always a single UTF-16 code unit.
struct TXMLHemlSpacRec {
    const wchar_t* Name;
    unsigned short Code;
};

// The characters that EncodeCharRefs writes as references, and the references, index by index.
// The ampersand comes first so that the references made for the others are not encoded again.
extern const std::array<const wchar_t*, 4> MarkupSpecialChars;
extern const std::array<const wchar_t*, 4> MarkupSpecialRefs;

// The named references that DecodeCharRefs knows: HTML 4.01's Latin-1, symbol and special sets
// without "&nbsp;" (which becomes an ordinary space), the four basic references, "&rsaquo;" and
// "&euro;".
extern const std::array<TXMLHemlSpacRec, 245> MarkupEntityTable;

// The text with its character references decoded. Never raises: a text that the strict decoding
// cannot read gets only its four basic references decoded, and numeric references stay as
// written.
std::wstring DecodeCharRefs(const std::wstring& s);

// The text with "&", "<", ">" and the double quote written as references; nothing else changes.
std::wstring EncodeCharRefs(const std::wstring& s);

// The error of the strict decoding: an ampersand that starts no reference it can read.
struct TCharRefError {};

// The strict decoding inside DecodeCharRefs: the four basic references and numeric references.
// Raises TCharRefError at an ampersand followed by anything else.
std::wstring DecodeBasicRefs(const std::wstring& s);
