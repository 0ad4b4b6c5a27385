// Where the launcher loads DLLs from. A setup program is usually started from a downloads
// folder, and the system's default search looks for a DLL beside the program before the system
// folder: a DLL left there under the name of a Windows DLL would run inside the launcher. So the
// launcher restricts the search at its start, imports only DLLs the system loads from its own
// folder (kernel32, user32, gdi32, advapi32 and the C runtime msvcrt), and loads every other
// Windows DLL (version, shell32, comctl32) while it runs, from the system folder only.
#pragma once

#include "platform/Owned.h"

#include <windows.h>

// Every later DLL load of the process searches the system folder only where the system knows
// SetDefaultDllDirectories (Windows 8 on, Windows 7 with its loader update); the current folder
// is dropped from the search everywhere. The first thing the program does.
void RestrictDllSearchPath() noexcept;

// One Windows DLL, loaded from the system folder only and freed when the object ends.
// Where the system knows LOAD_LIBRARY_SEARCH_SYSTEM32, the name is loaded with it, so that a
// side-by-side assembly named in the program's manifest (Common Controls 6) still applies;
// elsewhere the DLL's full path in the system folder is loaded, its own dependencies searched
// from there.
class TZelSystemLibrary {
public:
    explicit TZelSystemLibrary(const wchar_t* fileName) noexcept;

    HMODULE Get() const { return module_.Get(); }

    // The exported function as the SDK declares it, e.g. Find<decltype(ShellExecuteExW)>(
    // "ShellExecuteExW"); null when the DLL did not load or does not export the name.
    template <typename Function> Function* Find(const char* name) const noexcept {
        if (!module_.Valid())
            return nullptr;
        // Through void*: the address has the declared type, not FARPROC's.
        return reinterpret_cast<Function*>(
            reinterpret_cast<void*>(GetProcAddress(module_.Get(), name)));
    }

private:
    TZelOwned<TZelModuleTraits> module_;
};
