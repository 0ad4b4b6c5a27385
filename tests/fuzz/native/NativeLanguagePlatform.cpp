// What the catalogue asks Windows while it reads a language, answered for the native build of
// the reader: whether a locale is installed, and the installed font families. The answers are
// those of a machine with a few locales and fonts, so that fuzzed definitions reach both the
// languages that can be installed and those that cannot.
#include "language/ZelFontUtl.h"
#include "strings/LocaleText.h"

#include <algorithm>
#include <array>

BOOL IsValidLocale(LCID locale, DWORD flags) {
    static constexpr std::array<LCID, 7> installed = {0x0409, 0x0407, 0x0411, 0x0404,
                                                      0x0804, 0x041A, 0x081A};
    return flags == LCID_INSTALLED && std::ranges::find(installed, locale) != installed.end();
}

bool IsFontFamilyInstalled(const std::wstring& name) {
    static constexpr std::array<std::wstring_view, 5> installed = {
        L"Tahoma", L"DejaVu Sans", L"Liberation Serif", L"@MS UI Gothic", L"MS UI Gothic"};
    return std::ranges::any_of(installed,
                               [&](std::wstring_view family) { return SameText(family, name); });
}

TZelFontInfoRec GetDefaultGuiFontInfo() {
    TZelFontInfoRec info;
    info.Name = L"Tahoma";
    return info;
}

std::wstring FirstFontOfCharset(bool, int32_t index, uint8_t) {
    return index == 0 ? L"DejaVu Sans" : L"";
}
