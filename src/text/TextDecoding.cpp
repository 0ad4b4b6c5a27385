// Encoding detection and decoding of loaded text.
#include "text/ZelConvUtl.h"

#include "strings/CodePages.h"

#include <algorithm>
#include <optional>
#include <type_traits>

namespace {

// How far into the text the keywords may start.
constexpr int32_t kEncodingKeywordLimit = 50;
constexpr int32_t kCharsetKeywordLimit = 1024;

constexpr std::string_view kEncodingKeyword = "encoding";
constexpr std::string_view kCharsetKeyword = "charset";

template <class Unit> unsigned LowByte(Unit unit) {
    return static_cast<unsigned>(unit) & 0xFF;
}

template <class Unit> unsigned FoldAsciiCase(Unit unit) {
    const auto code = static_cast<unsigned>(static_cast<std::make_unsigned_t<Unit>>(unit));
    return code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code;
}

template <class Unit>
const Unit* FindKeywordIn(const Unit* buffer, std::basic_string_view<Unit> keyword, int32_t limit) {
    if (buffer == nullptr)
        return nullptr;
    for (int32_t i = 0; i < limit && buffer[i] != 0; ++i) {
        // A mismatch at the buffer's terminating zero ends each comparison in time.
        const bool found =
            std::equal(keyword.begin(), keyword.end(), buffer + i,
                       [](Unit k, Unit b) { return FoldAsciiCase(k) == FoldAsciiCase(b); });
        if (found)
            return buffer + i;
    }
    return nullptr;
}

// The units of a declared name that follows a keyword: after "=", quotes and blanks (but not
// beyond the terminating zero) up to the next double quote or apostrophe anywhere in the rest of
// the buffer. Each unit is judged by its low byte. Nothing without a closing quote.
template <class Unit>
std::optional<std::basic_string<Unit>> NameAfterKeyword(const Unit* p, const Unit* end) {
    const auto skipped = [](Unit u) {
        const unsigned b = LowByte(u);
        return b == '=' || b == '"' || b == '\'' || b <= 0x20;
    };
    while (p < end && *p != 0 && skipped(*p))
        ++p;
    if (p == end || *p == 0)
        return std::nullopt;
    const Unit* close = std::find_if(p, end, [](Unit u) {
        const unsigned b = LowByte(u);
        return b == '"' || b == '\'';
    });
    if (close == end)
        return std::nullopt;
    return std::basic_string<Unit>(p, close);
}

// The encoding declared in 8-bit markup; xmlWithoutEncoding tells an "<?xml" document that
// declares none. text holds the buffer's bytes, which zero bytes follow in memory.
std::optional<std::wstring> DeclaredName8(std::string_view text, bool& xmlWithoutEncoding) {
    const bool xml = text.size() >= 5 && text.substr(1, 4) == "?xml";
    const std::string_view keyword = xml ? kEncodingKeyword : kCharsetKeyword;
    const char* found =
        FindKeyword(text.data(), keyword, xml ? kEncodingKeywordLimit : kCharsetKeywordLimit);
    xmlWithoutEncoding = xml && found == nullptr;
    if (found == nullptr)
        return std::nullopt;
    const auto name = NameAfterKeyword(found + keyword.size(), text.data() + text.size());
    if (!name)
        return std::nullopt;
    return BytesToText(name->c_str(), 0);
}

// The encoding declared in UTF-16LE markup without a byte-order mark.
std::optional<std::wstring> DeclaredName16(std::string_view bytes) {
    std::wstring units;
    units.reserve(bytes.size() / 2 + 1);
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const unsigned high = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        units.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | (high << 8)));
    }
    const bool xml = bytes.size() >= 9 && LowByte(units[1]) == '?' && LowByte(units[2]) == 'x' &&
                     LowByte(units[3]) == 'm' && LowByte(units[4]) == 'l';
    const std::wstring_view keyword = xml ? L"encoding" : L"charset";
    const wchar_t* found =
        FindKeyword(units.c_str(), keyword, xml ? kEncodingKeywordLimit : kCharsetKeywordLimit);
    if (found == nullptr)
        return std::nullopt;
    return NameAfterKeyword(found + keyword.size(), units.c_str() + units.size());
}

// A declared name that the table knows wins; otherwise the incoming encoding name, when the table
// knows it, decides; otherwise the incoming code page stays.
void SettleCodePage(const std::optional<std::wstring>& declaredName, int32_t& codePage,
                    std::wstring& encoding) {
    if (declaredName) {
        if (const int32_t declared = CodePageFromCharset(*declaredName)) {
            codePage = declared;
            encoding = *declaredName;
            return;
        }
    }
    if (const int32_t incoming = CodePageFromCharset(encoding))
        codePage = incoming;
}

// bytes is zero-terminated (its size does not count the zeros that follow).
std::wstring DecodeWhole(const std::string& bytes, size_t size, int32_t codePage) {
    if (codePage == kCodePageUtf16)
        return Utf16LeToText(bytes.data(), size);
    return BytesToText(bytes.c_str(), codePage);
}

bool StartsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

} // namespace

const char* FindKeyword(const char* buffer, std::string_view keyword, int32_t limit) {
    return FindKeywordIn(buffer, keyword, limit);
}

const wchar_t* FindKeyword(const wchar_t* buffer, std::wstring_view keyword, int32_t limit) {
    return FindKeywordIn(buffer, keyword, limit);
}

std::wstring DecodeTextBuffer(const void* data, int32_t size, int32_t& codePage,
                              std::wstring& encoding) {
    const auto* first = static_cast<const char*>(data);
    if (size <= 0 || first == nullptr || *first == 0)
        return {};
    // The copy ends in two zero bytes (std::string adds a third), so it reads as zero-terminated
    // 8-bit or UTF-16 text.
    std::string copy(first, static_cast<size_t>(size));
    copy.append(2, '\0');
    const std::string_view bytes(copy.data(), static_cast<size_t>(size));

    if (StartsWith(bytes, "\xFF\xFE")) {
        codePage = kCodePageUtf16;
        return Utf16LeToText(bytes.data() + 2, bytes.size() - 2);
    }
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        codePage = kCodePageUtf8;
        return BytesToText(bytes.data() + 3, kCodePageUtf8);
    }
    if (size == 1)
        return {};

    std::optional<std::wstring> declaredName;
    if (bytes[0] == '<' && bytes[1] != 0) {
        bool xmlWithoutEncoding = false;
        declaredName = DeclaredName8(bytes, xmlWithoutEncoding);
        if (xmlWithoutEncoding) {
            codePage = kCodePageUtf8;
            return BytesToText(copy.c_str(), kCodePageUtf8);
        }
    } else if (bytes[0] == '<') {
        declaredName = DeclaredName16(bytes);
    }
    SettleCodePage(declaredName, codePage, encoding);
    return DecodeWhole(copy, bytes.size(), codePage);
}
