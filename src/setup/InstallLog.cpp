// The install log: one line per call, appended to the log file in the temporary folder.
#include "setup/ornLxSetup.h"

#include "platform/FileOps.h"

#include <windows.h>

#include <cwchar>

namespace {

// The user locale's time separator; a colon where the locale names none.
std::wstring TimeSeparator() {
    wchar_t separator[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, separator, 8) <= 1) return L":";
    return separator;
}

// "yyyy-mm-dd hh:nn:ss" in local time, the time parts separated as the user's locale does.
std::wstring LogTimeStamp() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::wstring separator = TimeSeparator();
    wchar_t date[16], hour[4], minute[4], second[4];
    std::swprintf(date, 16, L"%04u-%02u-%02u ", now.wYear, now.wMonth, now.wDay);
    std::swprintf(hour, 4, L"%02u", now.wHour);
    std::swprintf(minute, 4, L"%02u", now.wMinute);
    std::swprintf(second, 4, L"%02u", now.wSecond);
    return date + (hour + separator) + (minute + separator) + second;
}

std::wstring ProcessIdField() {
    wchar_t id[16];
    std::swprintf(id, 16, L"%08lX", static_cast<unsigned long>(GetCurrentProcessId()));
    return id;
}

} // namespace

std::wstring FormatLogLine(const std::wstring& text) {
    return ProcessIdField() + L"\t" + LogTimeStamp() + L"\t" + text + L"\r\n";
}

void TLxSetupManager::WriteLog(const std::wstring& text) const {
    // A line that cannot be written within the open's retry time is lost; the setup goes on.
    WriteTextFile(LogFileName, FormatLogLine(text), teUtf8Bom, true, true);
}
