#include "platform/NamedMutex.h"

#include "platform/Owned.h"

bool NamedMutexExists(const wchar_t* name) noexcept {
    const TZelHandle mutex(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, name));
    return mutex.Valid() || GetLastError() == ERROR_ACCESS_DENIED;
}
