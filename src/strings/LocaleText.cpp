#include "strings/LocaleText.h"

#include <windows.h>

bool SameString(std::wstring_view a, std::wstring_view b, bool ignoreCase) {
    if (a.empty() || b.empty()) // CompareStringW refuses a missing buffer
        return a.empty() && b.empty();
    return CompareStringW(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.data(),
                          static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

bool SameText(std::wstring_view a, std::wstring_view b) {
    return SameString(a, b, true);
}

std::wstring UpperCase(std::wstring_view text) {
    std::wstring upper(text);
    if (!upper.empty())
        CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}
