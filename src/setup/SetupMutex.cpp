#include "setup/SetupMutex.h"

#include "platform/NamedMutex.h"
#include "setup/SharedNames.h"

#include <windows.h>

bool SetupMutexExists() {
    return NamedMutexExists(kSetupMutexName);
}

bool TakeSetupMutex() {
    if (SetupMutexExists())
        return false;
    // Never closed: the handle holds the mutex, the sign of a running setup, until the process
    // ends.
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, kSetupMutexName);
    // Another setup process may have created it between the two calls. A mutex that refuses
    // this process belongs to a setup with more rights. Any other failure leaves this setup
    // without a mutex but lets it go on: a foreign object of that name must not block it.
    return mutex ? GetLastError() != ERROR_ALREADY_EXISTS : GetLastError() != ERROR_ACCESS_DENIED;
}
