#include "platform/SystemLibrary.h"

#include <string>

namespace {

// kernel32 is loaded in every process and is itself never searched for.
template <typename Function> Function* KernelFunction(const char* name) {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel
               ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(kernel, name)))
               : nullptr;
}

// The loader update that brought the LOAD_LIBRARY_SEARCH_* flags also brought AddDllDirectory;
// without it LoadLibraryExW rejects those flags.
bool SearchFlagsKnown() {
    return KernelFunction<decltype(AddDllDirectory)>("AddDllDirectory") != nullptr;
}

// The DLL of that name from the system folder, or null; also null when there is no memory for
// its path, so that the DLL's functions are missing.
HMODULE LoadFromSystemFolder(const wchar_t* fileName) noexcept try {
    if (SearchFlagsKnown())
        return LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + fileName;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
} catch (...) {
    return nullptr;
}

} // namespace

void RestrictDllSearchPath() noexcept {
    SetDllDirectoryW(L"");
    if (auto* setDefault =
            KernelFunction<decltype(SetDefaultDllDirectories)>("SetDefaultDllDirectories"))
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

TZelSystemLibrary::TZelSystemLibrary(const wchar_t* fileName) noexcept
    : module_(LoadFromSystemFolder(fileName)) {}
