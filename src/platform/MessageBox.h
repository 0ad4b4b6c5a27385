// The one message box of the setup: the platform's box, with the keyboard focus the user had
// before given back afterwards.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Shows the box over owner (or none) and returns the platform's answer (IDOK, IDYES, IDNO, ...;
// 0 when the box could not be shown). The texts are shown as they are.
int32_t ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                       uint32_t flags);
