// A program that imports version.dll, shell32.dll and comctl32.dll the usual way, through its
// import table: the counterpart of the launcher in the DLL-planting tests. It only loads and
// ends with 0.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

int wmain(int, wchar_t**) {
    // Taking their addresses puts the functions into the import table.
    const void* volatile imports[] = {reinterpret_cast<const void*>(&GetFileVersionInfoSizeW),
                                      reinterpret_cast<const void*>(&ShellExecuteExW),
                                      reinterpret_cast<const void*>(&InitCommonControlsEx)};
    for (const void* function : imports)
        if (!function)
            return 1;
    return 0;
}
