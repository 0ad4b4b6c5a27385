// Stand-in for a DLL that someone left beside a setup program under the name of a Windows DLL.
// Copied as version.dll, shell32.dll or comctl32.dll, it exports the function of that DLL that
// the launcher would use, so that a program importing it loads this copy if the system searches
// the program's folder. Whenever a process loads it, it appends that process's path as a UTF-8
// line to "<its own file name>.loaded" beside itself ("version.dll.loaded").
//
// Only declarations of kernel32 are included: the exported names are those of the real
// functions, which the full Windows headers declare as imports.
#include <windef.h>
#include <winbase.h>
#include <winnls.h>

#include <string>

namespace {

std::wstring ModulePath(HMODULE module) {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                     nullptr));
    return bytes;
}

void RecordLoad(HMODULE self) {
    const std::wstring marker = ModulePath(self) + L".loaded";
    HANDLE file = CreateFileW(marker.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string line = Utf8(ModulePath(nullptr)) + "\r\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        RecordLoad(self);
    return TRUE;
}

// The exports answer as failures: nothing may rely on this copy.
__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeW(const wchar_t*, DWORD* handle) {
    if (handle)
        *handle = 0;
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return 0;
}

__declspec(dllexport) BOOL WINAPI ShellExecuteExW(void*) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

__declspec(dllexport) BOOL WINAPI InitCommonControlsEx(const void*) {
    return FALSE;
}

} // extern "C"
