#include "setup/SetupMutex.h"

#include <windows.h>

namespace {

constexpr wchar_t kSetupMutexName[] = L"OrnOVISetup000";

} // namespace

bool SetupMutexExists() {
    HANDLE other = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kSetupMutexName);
    if (!other)
        return false;
    CloseHandle(other);
    return true;
}

bool TakeSetupMutex() {
    if (SetupMutexExists())
        return false;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kSetupMutexName);
    // Another setup process may have created it between the two calls.
    return !(mutex && GetLastError() == ERROR_ALREADY_EXISTS);
}
