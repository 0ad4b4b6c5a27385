// Blanks of the markup model: every character up to U+0020, control characters included.
#pragma once

#include <algorithm>
#include <string_view>

inline bool IsBlank(wchar_t c) {
    return c <= L' ';
}

inline bool IsBlankOnly(std::wstring_view text) {
    return std::ranges::all_of(text, IsBlank);
}
