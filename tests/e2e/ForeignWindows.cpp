#include "ForeignWindows.h"

namespace foreign_windows {
namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

struct WindowSearch {
    DWORD processId;
    std::wstring className;
    HWND found = nullptr;
};

BOOL CALLBACK MatchShownWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window) ||
        ClassOf(window) != search.className)
        return TRUE;
    search.found = window;
    return FALSE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
    return TRUE;
}

} // namespace

bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    const auto length = static_cast<size_t>(Ask(window, WM_GETTEXTLENGTH));
    std::wstring text(length + 1, L'\0');
    text.resize(static_cast<size_t>(
        Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                        &result);
    return static_cast<LRESULT>(result);
}

std::vector<std::wstring> EntriesOf(HWND list) {
    std::vector<std::wstring> entries;
    const LRESULT count = Ask(list, LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(Ask(list, LB_GETTEXTLEN, i)) + 1, L'\0');
        text.resize(
            static_cast<size_t>(Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        entries.push_back(text);
    }
    return entries;
}

HWND ShownWindowOf(DWORD processId, const std::wstring& className) {
    WindowSearch search{processId, className};
    EnumWindows(MatchShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildrenOf(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::vector<HWND> ChildrenOfClass(HWND window, const std::wstring& className) {
    std::vector<HWND> matching;
    for (HWND child : ChildrenOf(window))
        if (CompareStringOrdinal(ClassOf(child).c_str(), -1, className.c_str(), -1, TRUE) ==
            CSTR_EQUAL)
            matching.push_back(child);
    return matching;
}

} // namespace foreign_windows
