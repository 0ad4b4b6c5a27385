// The install log: one line per call, appended to the log file in the temporary folder.
#include "setup/ornLxSetup.h"

#include "platform/FileOps.h"
#include "setup/LocalTime.h"

#include <windows.h>

#include <cwchar>

namespace {

std::wstring ProcessIdField() {
    wchar_t id[16];
    std::swprintf(id, 16, L"%08lX", static_cast<unsigned long>(GetCurrentProcessId()));
    return id;
}

} // namespace

std::wstring FormatLogLine(const std::wstring& text) {
    return ProcessIdField() + L"\t" + FormatLocalTime(true) + L"\t" + text + L"\r\n";
}

void TLxSetupManager::WriteLog(const std::wstring& text) const {
    // A line that cannot be written within the open's retry time is lost; the setup goes on.
    WriteTextFile(LogFileName, FormatLogLine(text), teUtf8Bom, true, true);
}
