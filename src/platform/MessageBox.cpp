#include "platform/MessageBox.h"

int32_t ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                       uint32_t flags) {
    const HWND focused = GetFocus();
    const int answer = MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
    // The box's modal loop dispatches the setup's messages, which may have destroyed the window.
    if (focused && IsWindow(focused))
        SetFocus(focused);
    return answer;
}
