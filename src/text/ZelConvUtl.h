// Text encodings: deciding how the bytes of a loaded file are encoded (byte-order marks, an XML
// declaration, a "charset" setting), decoding them, and the base of every object whose content
// is a text loaded from a file.
#pragma once

#include "text/TextEncoding.h"

#include <cstdint>
#include <string>
#include <string_view>

// Decides the encoding of size bytes and decodes them into text, which ends at the first zero
// unit of the decoded form. In order: a UTF-16LE or UTF-8 byte-order mark; for a text starting
// with "<", the name declared after "encoding" (an "<?xml" document, whose text is UTF-8 when it
// declares none) or after "charset", when the code page table knows it; else the code page of
// the incoming encoding name; else the incoming code page (0: the system's ANSI code page).
// Updates codePage, and encoding to a declared name that was used.
std::wstring DecodeTextBuffer(const void* data, int32_t size, int32_t& codePage,
                              std::wstring& encoding);

// The first position below limit, before the buffer's terminating zero, where the buffer begins
// with keyword, ASCII letters compared ignoring case; null when there is none. The keyword may
// run past the limit. Positions count bytes, or 16-bit units in the UTF-16 variant.
const char* FindKeyword(const char* buffer, std::string_view keyword, int32_t limit);
const wchar_t* FindKeyword(const wchar_t* buffer, std::wstring_view keyword, int32_t limit);

// An object whose content is a text loaded from a file or a buffer. Loading decides the encoding
// afresh and hands the decoded text to SetText, which a descendant overrides to parse it.
class TZelCustomTextContent {
public:
    TZelCustomTextContent() = default;
    TZelCustomTextContent(const TZelCustomTextContent&) = delete;
    TZelCustomTextContent& operator=(const TZelCustomTextContent&) = delete;
    virtual ~TZelCustomTextContent() = default;

    virtual std::wstring GetText() const;
    virtual void SetText(const std::wstring& text);
    // Forgets code page, encoding and text.
    virtual void Clear();

    // Sets Encoding; a known name also sets CodePage while it is still 0.
    void SetEncoding(const std::wstring& name);

    // False, with the content cleared, for a missing file; false, with the content unchanged,
    // when the file cannot be read. Never raises.
    bool LoadFromFile(const std::wstring& fileName);
    // False, with the content cleared, for missing data or a size below 1; otherwise the
    // decoded text goes to SetText and the result is true. Never raises.
    bool LoadFromBuffer(int32_t size, const void* data);

    // The Windows code page of the loaded text, 0 when none is known (1200: UTF-16LE).
    int32_t CodePage = 0;
    // The encoding name as the document declared it or SetEncoding set it; empty when none.
    std::wstring Encoding;
    std::wstring Text;
    // Two settings kept for the markup parser; this class never reads them.
    bool TrimWhitespace = false;
    std::uint8_t OuterTextKind = 0;
};
