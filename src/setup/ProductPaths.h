// The viewer's data folders and the converter's report message.
//
// The viewer keeps a per-machine folder (the common path) and per-user folders (the user path
// and its "regepub" folder, where the converter leaves its exchange files). Their places are
// remembered as "CommonPath" and "UserPath" in the user's viewer key; missing folders are created
// with an Everyone grant and the newly chosen places recorded. None of these functions raises.
#pragma once

#include <windows.h>

#include <string>

// The id of the registered window message "WM_LXDBCONV_RESMESSAGE", with which the converter
// reports to the progress window; 0 when the registration fails (tried again on the next call).
UINT ConverterResultMessage() noexcept;

// "<common application data>\KODRELL\Pagrion Viewer\", or the recorded "CommonPath" while that
// folder exists; empty when it cannot be found or created.
std::wstring GetCommonPath() noexcept;
// "<common path>Users\<yyyymmdd><counter>\" with the first counter from 0 whose folder does not
// exist yet, or the recorded "UserPath" while that folder exists; empty on failure.
std::wstring GetUserPath() noexcept;
// "<user path>regepub\", created when missing; empty on failure.
std::wstring GetRegEpubPath() noexcept;
