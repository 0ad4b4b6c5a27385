#include "strings/ZelStrUtl.h"

#include <algorithm>
#include <optional>

namespace {

std::optional<unsigned> HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return std::nullopt;
}

// The length of a hexadecimal prefix at the start of text, 0 when there is none.
size_t HexPrefixLength(std::wstring_view text) {
    if (text.starts_with(L"0x") || text.starts_with(L"0X"))
        return 2;
    if (text.starts_with(L'$') || text.starts_with(L'x') || text.starts_with(L'X'))
        return 1;
    return 0;
}

// The digits in the given base, at least one, with their value up to limit; nothing else.
std::optional<uint64_t> ReadDigits(std::wstring_view digits, unsigned base, uint64_t limit) {
    if (digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (wchar_t c : digits) {
        const auto digit = HexDigitValue(c);
        if (!digit || *digit >= base)
            return std::nullopt;
        value = value * base + *digit;
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

// The digits are written from the last one backwards, after as many zeros as the width asks for.
std::wstring DigitsText(uint64_t value, unsigned base, int minDigits) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    int count = 0;
    for (uint64_t rest = value; rest != 0 || count == 0; rest /= base)
        ++count;
    std::wstring text(static_cast<size_t>(std::max(count, minDigits)), L'0');
    for (auto digit = text.rbegin(); count-- > 0; ++digit, value /= base)
        *digit = kDigits[value % base];
    return text;
}

} // namespace

std::wstring DecimalText(uint64_t value, int minDigits) {
    return DigitsText(value, 10, minDigits);
}

std::wstring UpperHexText(uint64_t value, int minDigits) {
    return DigitsText(value, 16, minDigits);
}

int32_t IntegerWithDefault(std::wstring_view text, int32_t defaultValue) {
    while (!text.empty() && static_cast<uint32_t>(text.front()) <= 32)
        text.remove_prefix(1);
    bool negative = false;
    if (text.starts_with(L'+') || text.starts_with(L'-')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (const size_t prefix = HexPrefixLength(text)) {
        const auto pattern = ReadDigits(text.substr(prefix), 16, 0xFFFFFFFFu);
        if (!pattern)
            return defaultValue;
        const uint32_t bits = static_cast<uint32_t>(*pattern);
        return static_cast<int32_t>(negative ? 0u - bits : bits);
    }
    const uint64_t limit = negative ? 2147483648u : 2147483647u;
    const auto magnitude = ReadDigits(text, 10, limit);
    if (!magnitude)
        return defaultValue;
    return static_cast<int32_t>(negative ? 0u - static_cast<uint32_t>(*magnitude)
                                         : static_cast<uint32_t>(*magnitude));
}
