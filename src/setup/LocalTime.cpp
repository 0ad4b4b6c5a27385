#include "setup/LocalTime.h"

#include "strings/ZelStrUtl.h"

#include <windows.h>

namespace {

// A separator of the user's locale, or the fallback where the locale names none.
std::wstring LocaleSeparator(LCTYPE kind, const wchar_t* fallback) {
    wchar_t separator[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, kind, separator, 8) <= 1)
        return fallback;
    return separator;
}

std::wstring TwoDigits(unsigned value) {
    return DecimalText(value, 2);
}

} // namespace

std::wstring FormatLocalTime(bool dashedDate) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::wstring date = dashedDate ? L"-" : LocaleSeparator(LOCALE_SDATE, L"/");
    const std::wstring time = LocaleSeparator(LOCALE_STIME, L":");
    return DecimalText(now.wYear, 4) + date + TwoDigits(now.wMonth) + date + TwoDigits(now.wDay) +
           L" " + TwoDigits(now.wHour) + time + TwoDigits(now.wMinute) + time +
           TwoDigits(now.wSecond);
}

std::wstring FormatLocalDate() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return DecimalText(now.wYear, 4) + TwoDigits(now.wMonth) + TwoDigits(now.wDay);
}
