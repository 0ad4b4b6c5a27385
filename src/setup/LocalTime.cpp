#include "setup/LocalTime.h"

#include <windows.h>

#include <cwchar>

namespace {

// A separator of the user's locale, or the fallback where the locale names none.
std::wstring LocaleSeparator(LCTYPE kind, const wchar_t* fallback) {
    wchar_t separator[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, kind, separator, 8) <= 1)
        return fallback;
    return separator;
}

std::wstring Digits(unsigned value, int width) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%0*u", width, value);
    return text;
}

std::wstring TwoDigits(unsigned value) {
    return Digits(value, 2);
}

} // namespace

std::wstring FormatLocalTime(bool dashedDate) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::wstring date = dashedDate ? L"-" : LocaleSeparator(LOCALE_SDATE, L"/");
    const std::wstring time = LocaleSeparator(LOCALE_STIME, L":");
    return Digits(now.wYear, 4) + date + TwoDigits(now.wMonth) + date + TwoDigits(now.wDay) + L" " +
           TwoDigits(now.wHour) + time + TwoDigits(now.wMinute) + time + TwoDigits(now.wSecond);
}

std::wstring FormatLocalDate() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return Digits(now.wYear, 4) + TwoDigits(now.wMonth) + TwoDigits(now.wDay);
}
