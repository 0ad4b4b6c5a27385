// A stand-in for the viewer's converter tool "lxdbconv.exe", for the tests of the manuals step
// and the progress window.
//
// Every start, in this order:
//   1. appends its argument text (the command line after the program name) as one UTF-8 line to
//      "<program>.started.txt" beside it;
//   2. opens the converter's mutex "TOrnLXDBConvert000" and keeps it until it ends;
//   3. waits for messages once, so that a caller waiting for input idle goes on;
//   4. does the steps of the steering file "<program>.steer.txt" beside it, then ends with 0.
// Without a steering file it does nothing more.
//
// Steering file: UTF-8, one step per line, done in order; blank lines and lines starting with
// "#" are skipped. A step may begin with a mode and a colon ("regsubp: post 20 3"): only a start
// whose "-m:" value is that mode (ignoring case) does it.
//   wait MS                   pause MS milliseconds, handling messages; the mutex stays held
//   file TEXT                 write TEXT (the rest of the line) as the exchange file of the
//                             report window: "RP" + its handle in 8 upper-case hex digits +
//                             ".eres" in the converter's regepub folder (found, and created
//                             and recorded when missing, as the viewer does), UTF-8 with mark
//   post CODE TOTAL [DONE]    post the registered message "WM_LXDBCONV_RESMESSAGE" to the
//                             report window: first parameter CODE, second TOTAL + DONE * 65536
// The report window is the one given as "-h:" in hexadecimal; without it (or with 0) the file
// and post steps are skipped.
#include "TestSupport.h"
#include "setup/ProductPaths.h"
#include "setup/ZelCmdUtl.h"
#include "strings/LocaleText.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using testing_support::FromUtf8;
using testing_support::Utf8;

std::wstring ProgramPath() {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
    return std::wstring(buffer, length);
}

void AppendLine(const std::wstring& path, const std::wstring& line) {
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string bytes = Utf8(line) + "\r\n";
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void HandlePendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// A caller's wait for input idle ends when this process waits for messages with none pending
// (merely peeking at the queue is not enough under Wine).
void BecomeIdle() {
    HandlePendingMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

void Pause(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        HandlePendingMessages();
    }
}

// The lines of the steering file without line ends and without a leading mark.
std::vector<std::wstring> ReadSteeringLines(const std::wstring& path) {
    std::string bytes = testing_support::ReadBytes(path);
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.erase(0, 3);
    std::vector<std::wstring> lines;
    for (std::string& line : testing_support::SplitLines(bytes, "\n")) {
        if (line.ends_with('\r'))
            line.pop_back();
        lines.push_back(FromUtf8(line));
    }
    return lines;
}

// Cuts the first blank-separated word off text.
std::wstring TakeWord(std::wstring& text) {
    const size_t begin = text.find_first_not_of(L' ');
    if (begin == std::wstring::npos) {
        text.clear();
        return {};
    }
    size_t end = text.find(L' ', begin);
    if (end == std::wstring::npos)
        end = text.size();
    std::wstring word = text.substr(begin, end - begin);
    text.erase(0, end < text.size() ? end + 1 : end);
    return word;
}

unsigned long Number(const std::wstring& word) {
    return std::wcstoul(word.c_str(), nullptr, 10);
}

class Converter {
public:
    Converter(std::wstring mode, HWND reportWindow)
        : mode_(std::move(mode)), reportWindow_(reportWindow) {}

    void RunStep(std::wstring line) {
        if (line.empty() || line[0] == L'#')
            return;
        std::wstring action = TakeWord(line);
        if (!action.empty() && action.back() == L':') {
            action.pop_back();
            if (!SameText(action, mode_))
                return;
            action = TakeWord(line);
        }
        if (action == L"wait") {
            Pause(Number(TakeWord(line)));
        } else if (action == L"file" && reportWindow_) {
            WriteExchangeFile(line);
        } else if (action == L"post" && reportWindow_) {
            const unsigned long code = Number(TakeWord(line));
            const unsigned long total = Number(TakeWord(line));
            const unsigned long done = Number(TakeWord(line));
            PostMessageW(reportWindow_, ConverterResultMessage(), code,
                         static_cast<LPARAM>(MAKELONG(total, done)));
        }
    }

private:
    void WriteExchangeFile(const std::wstring& text) const {
        const std::wstring folder = GetRegEpubPath();
        if (folder.empty())
            return;
        wchar_t name[32];
        std::swprintf(name, 32, L"RP%08X.eres",
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(reportWindow_)));
        try {
            testing_support::WriteBytes(folder + name, "\xEF\xBB\xBF" + Utf8(text));
        } catch (...) {
            // A folder that cannot take the file leaves the window without a current file.
        }
    }

    std::wstring mode_;
    HWND reportWindow_;
};

std::wstring OptionValue(const TZelCmdOptionCollection& options, const wchar_t* name) {
    const TZelCmdOptionItem* item = options.Find(name);
    return item ? item->Value : std::wstring();
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR argumentText, int) {
    const std::wstring program = ProgramPath();
    AppendLine(program + L".started.txt", argumentText);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"TOrnLXDBConvert000");
    BecomeIdle();

    const TZelCmdOptionCollection options(true);
    const uintptr_t window = std::wcstoul(OptionValue(options, L"h").c_str(), nullptr, 16);
    Converter converter(OptionValue(options, L"m"), reinterpret_cast<HWND>(window));
    for (const std::wstring& line : ReadSteeringLines(program + L".steer.txt"))
        converter.RunStep(line);

    if (mutex)
        CloseHandle(mutex);
    return 0;
}
