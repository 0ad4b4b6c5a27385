// The install log: one line per call, appended to the log file in the temporary folder.
#include "setup/ornLxSetup.h"

#include "setup/LocalTime.h"
#include "strings/ZelStrUtl.h"
#include "text/TextFiles.h"

#include <windows.h>

namespace {

std::wstring ProcessIdField() {
    return UpperHexText(GetCurrentProcessId(), 8);
}

} // namespace

std::wstring FormatLogLine(const std::wstring& text) {
    return ProcessIdField() + L"\t" + FormatLocalTime(true) + L"\t" + text + L"\r\n";
}

void TLxSetupManager::WriteLog(const std::wstring& text) const {
    // The log belongs to the setup that runs; a setup refused for it writes nothing there.
    if (OtherSetupRunning)
        return;
    // A line that cannot be written within the open's retry time is lost; the setup goes on.
    WriteTextFile(LogFileName, FormatLogLine(text), teUtf8Bom, true, true);
}
