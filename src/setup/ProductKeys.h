// The registry keys the launcher shares with the viewer and with the calling engineering tool.
#pragma once

// The installed viewer: "AppMain", "InstallLang", "Install" (read only), under HKLM, and the
// user's own "AppMain", "CommonPath" and "UserPath" under HKCU.
inline constexpr wchar_t kViewerKey[] = L"Software\\HALDRIX\\Pagrion Viewer";
// The silent-mode exchange with the calling tool, under HKLM; the same path under HKCU is the
// viewer's per-user data of a silent run.
inline constexpr wchar_t kSilentKey[] = L"Software\\HALDRIX\\Pagrion ViewerTMP";

// The names under which the log shows values of the two keys.
inline constexpr wchar_t kViewerKeyLogName[] = L"HKLM\\Pagrion Viewer\\";
inline constexpr wchar_t kSilentKeyLogName[] = L"HKLM\\Pagrion ViewerTMP\\";
