// The smallest programs of ours that show a window, built like the launcher: the floors of the
// launcher's start time. minimalwindow.exe shows an empty window. minimalthemedwindow.exe is built
// from the same source with the launcher's manifest, and its window holds the launcher's kinds of
// controls: so it also loads the common controls library and opens their themes, as the launcher
// must for its themed look. Each runs a message loop until its window is closed.
#include "windows/SelectionLayout.h"

#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"PagrionMinimalWindow";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A label, a list box with a sunken edge and two push buttons, where the launcher places them at
// 96 dpi.
void CreateLauncherControls(HWND window, HINSTANCE instance) {
    struct Child {
        DWORD exStyle;
        const wchar_t* windowClass;
        const wchar_t* text;
        DWORD style;
        TZelBounds bounds;
    };
    using namespace selection_layout;
    const Child children[] = {
        {0, L"STATIC", L"Choose the language of the setup.", SS_LEFT, kMessage},
        {WS_EX_CLIENTEDGE, L"LISTBOX", L"",
         WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kLanguages},
        {0, L"BUTTON", L"Start", WS_TABSTOP | BS_DEFPUSHBUTTON, kStart},
        {0, L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, kCancel},
    };
    for (const Child& child : children)
        CreateWindowExW(child.exStyle, child.windowClass, child.text,
                        child.style | WS_CHILD | WS_VISIBLE, child.bounds.left, child.bounds.top,
                        child.bounds.width, child.bounds.height, window, nullptr, instance,
                        nullptr);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass))
        return 1;
    const HWND window =
        CreateWindowExW(0, kClassName, L"Minimal window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 440, 220, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    if (PAGRION_MINIMAL_WITH_CONTROLS)
        CreateLauncherControls(window, instance);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
