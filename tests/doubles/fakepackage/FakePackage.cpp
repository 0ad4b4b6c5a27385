// Stand-in for a language's installer package in the launcher's tests: a GUI program with a
// version resource (file version 2.5.0.17) that records how it was started and then behaves as
// told.
//
// Every start appends three UTF-8 lines (CR LF) to "<name>.started.txt" beside the program, where
// <name> is the program's file name without its extension:
//     commandline=<the whole command line>
//     arguments=<the command line after the program's own path, leading blanks removed>
//     folder=<the working folder>
//
// The behaviour is the text of "<name>.behaviour" beside the program or, when there is no such
// file or it is empty, <name> itself. It is a list of words separated by blanks, line breaks, ";",
// "," or "_"; other words are ignored:
//     exit=N   end with exit code N (decimal, default 0)
//     wait=N   first show a window of class "PagrionFakePackage" and run its message loop for N
//              milliseconds or until the window is closed (so that a launcher waiting for input
//              idle goes on)
//     crash    end by an unhandled access violation (exit code 0xC0000005), without crash dialog
//     busy=N   first stay busy for N milliseconds without ever looking at its message queue, as a
//              hung program does (a launcher waiting for input idle never sees it idle)
// A copy "setup_en.exe" beside "setup_en.behaviour" holding "wait=2000 exit=3010" shows its window
// for two seconds and ends with 3010; a copy named "pkg_exit=1603.exe" ends at once with 1603.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <string_view>

namespace {

constexpr wchar_t kWindowClass[] = L"PagrionFakePackage";

struct Behaviour {
    DWORD exitCode = 0;
    DWORD waitMs = 0;
    bool wait = false;
    bool crash = false;
    DWORD busyMs = 0;
};

std::wstring OwnPath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

// The program's path without its extension: the stem of the files beside it.
std::wstring StemPath(const std::wstring& path) {
    const size_t dot = path.rfind(L'.');
    const size_t slash = path.rfind(L'\\');
    return dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)
               ? path.substr(0, dot)
               : path;
}

std::wstring WorkingFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return folder;
}

// The command line after the program's own path, quoted or not.
std::wstring_view Arguments(std::wstring_view commandLine) {
    size_t end = 0;
    if (commandLine.starts_with(L'"')) {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
    }
    if (end == std::wstring_view::npos)
        return {};
    const size_t first = commandLine.find_first_not_of(L" \t", end);
    return first == std::wstring_view::npos ? std::wstring_view() : commandLine.substr(first);
}

std::string Utf8(std::wstring_view text) {
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                     nullptr));
    return bytes;
}

// Appends the record of this start in one write, so that records of parallel starts stay whole.
void RecordStart(const std::wstring& stem) {
    const wchar_t* commandLine = GetCommandLineW();
    const std::wstring record = L"commandline=" + std::wstring(commandLine) + L"\r\narguments=" +
                                std::wstring(Arguments(commandLine)) + L"\r\nfolder=" +
                                WorkingFolder() + L"\r\n";
    const HANDLE file =
        CreateFileW((stem + L".started.txt").c_str(), FILE_APPEND_DATA,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string bytes = Utf8(record);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The text of the behaviour file, or empty when there is none.
std::wstring ReadBehaviourFile(const std::wstring& stem) {
    const HANDLE file = CreateFileW((stem + L".behaviour").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes(4096, '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    std::wstring text(read, L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(read), text.data(),
                                    static_cast<int>(text.size())));
    return text;
}

Behaviour ParseBehaviour(const std::wstring& text) {
    Behaviour behaviour;
    constexpr std::wstring_view separators = L" \t\r\n;,_";
    size_t start = text.find_first_not_of(separators);
    while (start != std::wstring::npos) {
        const size_t end = std::min(text.find_first_of(separators, start), text.size());
        const std::wstring word = text.substr(start, end - start);
        if (word.starts_with(L"exit=")) {
            behaviour.exitCode = std::wcstoul(word.c_str() + 5, nullptr, 10);
        } else if (word.starts_with(L"wait=")) {
            behaviour.wait = true;
            behaviour.waitMs = std::wcstoul(word.c_str() + 5, nullptr, 10);
        } else if (word.starts_with(L"busy=")) {
            behaviour.busyMs = std::wcstoul(word.c_str() + 5, nullptr, 10);
        } else if (word == L"crash") {
            behaviour.crash = true;
        }
        start = text.find_first_not_of(separators, end);
    }
    return behaviour;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Shows the window and runs the message loop until the time is up or the window is closed.
void ShowWindowAndWait(HINSTANCE instance, DWORD waitMs) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(
        0, kWindowClass, L"Installer package", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
        CW_USEDEFAULT, 320, 120, nullptr, nullptr, instance, nullptr);
    if (!window)
        return;
    SetTimer(window, 1, waitMs, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Ends the process with the code of an unhandled exception, as a crash does, but without
// handing the exception to a debugger or a crash dialog first.
LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS*) {
    return EXCEPTION_EXECUTE_HANDLER;
}

[[noreturn]] void Crash() {
    SetUnhandledExceptionFilter(EndWithExceptionCode);
    RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    ExitProcess(EXCEPTION_ACCESS_VIOLATION);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const std::wstring stem = StemPath(OwnPath());
    RecordStart(stem);
    std::wstring behaviourText = ReadBehaviourFile(stem);
    if (behaviourText.empty())
        behaviourText = stem.substr(stem.rfind(L'\\') + 1);
    const Behaviour behaviour = ParseBehaviour(behaviourText);
    if (behaviour.busyMs > 0)
        Sleep(behaviour.busyMs);
    if (behaviour.crash)
        Crash();
    if (behaviour.wait)
        ShowWindowAndWait(instance, behaviour.waitMs);
    return static_cast<int>(behaviour.exitCode);
}
