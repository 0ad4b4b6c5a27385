// The names the launcher shares with other programs: the viewer, its converter tool, the calling
// engineering tool, and a second copy of itself.
#pragma once

// Registry keys. The installed viewer: "AppMain", "InstallLang", "Install" (read only), under
// HKLM, and the user's own "AppMain", "CommonPath" and "UserPath" under HKCU.
inline constexpr wchar_t kViewerKey[] = L"Software\\HALDRIX\\Pagrion Viewer";
// The silent-mode exchange with the calling tool, under HKLM; the same path under HKCU is the
// viewer's per-user data of a silent run.
inline constexpr wchar_t kSilentKey[] = L"Software\\HALDRIX\\Pagrion ViewerTMP";
// The names under which the log shows values of the two keys.
inline constexpr wchar_t kViewerKeyLogName[] = L"HKLM\\Pagrion Viewer\\";
inline constexpr wchar_t kSilentKeyLogName[] = L"HKLM\\Pagrion ViewerTMP\\";

// Named mutexes: the one a setup process holds, and the converter's while it runs.
inline constexpr wchar_t kSetupMutexName[] = L"OrnOVISetup000";
inline constexpr wchar_t kConverterMutexName[] = L"TOrnLXDBConvert000";

// Window classes: the selection window, and the progress window that the setup process finds in
// the progress process.
inline constexpr wchar_t kSelectionWindowClass[] = L"TOrnOVISetup000";
inline constexpr wchar_t kProgressWindowClass[] = L"TOrnOVIProgress000";
// The message with which the converter reports to the progress window.
inline constexpr wchar_t kConverterMessageName[] = L"WM_LXDBCONV_RESMESSAGE";

// Files: the converter beside the viewer program, the viewer program whose name the install log
// carries, and the file of the work folder that names the install folder while a package runs.
inline constexpr wchar_t kConverterProgramName[] = L"lxdbconv.exe";
inline constexpr wchar_t kViewerProgramName[] = L"PagrionViewer.exe";
inline constexpr wchar_t kSilentFileName[] = L"silent.txt";
