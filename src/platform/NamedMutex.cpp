#include "platform/NamedMutex.h"

#include <windows.h>

bool NamedMutexExists(const wchar_t* name) noexcept {
    HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, name);
    if (!mutex)
        return GetLastError() == ERROR_ACCESS_DENIED;
    CloseHandle(mutex);
    return true;
}
