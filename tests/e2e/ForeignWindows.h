// The launcher's windows seen from the test process, as a user's tools see them: found by class
// among a process's top-level windows, their controls in the order Windows keeps them, and read
// through messages the way a screen reader reads them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace foreign_windows {

// Polls the condition every 10 ms until it holds; false when timeoutMs passed first.
bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs = 15000);

std::wstring ClassOf(HWND window);

// The window's text as another process reads it: the answer to WM_GETTEXT.
std::wstring TextOf(HWND window);

// The answer to a message, sent with a time-out so that a hung window cannot hang the test.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// The strings of a list box's entries.
std::vector<std::wstring> EntriesOf(HWND list);

// A visible top-level window of the process with that window class, or nullptr.
HWND ShownWindowOf(DWORD processId, const std::wstring& className);

// The child windows in the order Windows keeps them (the tab order); of one class (ignoring case).
std::vector<HWND> ChildrenOf(HWND window);
std::vector<HWND> ChildrenOfClass(HWND window, const std::wstring& className);

} // namespace foreign_windows
