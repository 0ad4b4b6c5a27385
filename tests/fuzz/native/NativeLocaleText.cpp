// The locale services of strings/LocaleText.h for the native Linux build of the reader, which runs
// under the sanitizers. The launcher itself uses the user locale's CompareStringW and
// CharUpperBuffW; here case is mapped by the C library's Unicode tables, one UTF-16 unit at a
// time, which keeps every character in its place as the launcher's upper-casing does.
#include "strings/LocaleText.h"

#include <clocale>
#include <cwctype>

#include <locale.h>

namespace {

// A locale object of the process's own, so that nothing depends on the global C locale. Null
// when the system has no Unicode locale; then only ASCII letters change case.
locale_t UnicodeCaseLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}

// Texts hold UTF-16 units (0 to FFFF) in wider wchar_t elements: surrogates stay as they are, and
// an upper case outside the 16-bit range is never taken.
wchar_t UpperUnit(wchar_t unit) {
    if (unit >= 0xD800 && unit <= 0xDFFF)
        return unit;
    const locale_t locale = UnicodeCaseLocale();
    if (locale == locale_t{})
        return unit >= L'a' && unit <= L'z' ? unit - (L'a' - L'A') : unit;
    const auto upper = static_cast<wchar_t>(towupper_l(static_cast<wint_t>(unit), locale));
    return upper >= 0 && upper <= 0xFFFF ? upper : unit;
}

} // namespace

std::wstring UpperCase(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& unit : upper)
        unit = UpperUnit(unit);
    return upper;
}

bool SameString(std::wstring_view a, std::wstring_view b, bool ignoreCase) {
    if (!ignoreCase)
        return a == b;
    return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

bool SameText(std::wstring_view a, std::wstring_view b) {
    return SameString(a, b, true);
}
