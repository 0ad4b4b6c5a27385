#include "platform/FileHandles.h"

#include "platform/Paths.h"
#include "strings/ZelStrUtl.h"

namespace {

constexpr DWORD kRetryStepMs = 10;

// Errors that waiting cannot cure: the folder or the name itself is wrong. A file that is in use
// or locked is worth another try; a missing folder would only make every caller wait in vain.
bool IsLastingOpenError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
        return true;
    default:
        return false;
    }
}

// Tries attempt() until it gives a handle or the deadline has passed. The deadline is taken from
// the tick count, which a change of the local clock does not move.
template <typename Attempt>
bool OpenWithRetries(Attempt attempt, TZelHandle& handle, uint32_t& errorCode,
                     int32_t timeoutSeconds) {
    const ULONGLONG timeoutMs = timeoutSeconds > 0 ? ULONGLONG(timeoutSeconds) * 1000 : 0;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        handle.Reset(attempt());
        if (handle.Valid()) {
            errorCode = 0;
            return true;
        }
        const DWORD error = GetLastError();
        errorCode = GetLastErrorCode();
        if (IsLastingOpenError(error) || GetTickCount64() > deadline)
            return false;
        Sleep(kRetryStepMs);
    }
}

// Success is told by the handle itself: a successful open may leave an older error behind.
bool Open(const std::wstring& fileName, TZelHandle& handle, uint32_t& errorCode, DWORD access,
          DWORD shareMode, DWORD disposition, DWORD flagsAndAttributes, int32_t timeoutSeconds) {
    const std::wstring name = AddLongPathPrefix(fileName);
    const DWORD flags = flagsAndAttributes | FILE_FLAG_SEQUENTIAL_SCAN;
    return OpenWithRetries(
        [&] {
            return CreateFileW(name.c_str(), access, shareMode, nullptr, disposition, flags,
                               nullptr);
        },
        handle, errorCode, timeoutSeconds);
}

} // namespace

bool OpenFileForRead(const std::wstring& fileName, TZelHandle& handle, uint32_t& errorCode,
                     bool shareRead, DWORD disposition, DWORD flagsAndAttributes,
                     int32_t timeoutSeconds) noexcept try {
    handle.Reset();
    errorCode = kOpenRefusedError;
    if (fileName.empty() || !FileExistsChecked(fileName))
        return false;
    return Open(fileName, handle, errorCode, GENERIC_READ, shareRead ? FILE_SHARE_READ : 0,
                disposition, flagsAndAttributes, timeoutSeconds);
} catch (...) {
    return false;
}

bool OpenFileForWrite(const std::wstring& fileName, TZelHandle& handle, uint32_t& errorCode,
                      bool shareWrite, DWORD disposition, DWORD flagsAndAttributes,
                      int32_t timeoutSeconds) noexcept try {
    handle.Reset();
    errorCode = kOpenRefusedError;
    if (fileName.empty() || !IsVolumeReady(fileName))
        return false;
    SetArchiveAttributeOnly(fileName);
    return Open(fileName, handle, errorCode, GENERIC_WRITE, shareWrite ? FILE_SHARE_WRITE : 0,
                disposition, flagsAndAttributes, timeoutSeconds);
} catch (...) {
    return false;
}

void CloseFileHandle(TZelHandle& handle) noexcept {
    handle.Reset();
}

void SetArchiveAttributeOnly(const std::wstring& fileName) noexcept try {
    const std::wstring name = AddLongPathPrefix(fileName);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        attributes == FILE_ATTRIBUTE_ARCHIVE)
        return;
    SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_ARCHIVE);
} catch (...) {
}

uint32_t GetLastErrorCode() noexcept {
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS ? 0 : error;
}

bool GetFileSize64(const TZelHandle& handle, uint32_t& errorCode, int64_t& size) noexcept {
    size = 0;
    // A size whose low double word is 0xFFFFFFFF is told from a failure by the last error only,
    // so no older error may be left in it.
    SetLastError(NO_ERROR);
    DWORD high = 0;
    const DWORD low = GetFileSize(handle.Get(), &high);
    errorCode = GetLastErrorCode();
    if (low == INVALID_FILE_SIZE && errorCode != 0)
        return false;
    size = MakeInt64(static_cast<int32_t>(high), low);
    return true;
}

int32_t ReadFileBytes(const TZelHandle& handle, uint32_t& errorCode, void* buffer, int32_t count,
                      OVERLAPPED* overlapped) noexcept {
    if (count < 1)
        return 0;
    DWORD read = 0;
    if (!ReadFile(handle.Get(), buffer, static_cast<DWORD>(count), &read, overlapped)) {
        errorCode = kReadBytesError;
        return 0;
    }
    return static_cast<int32_t>(read);
}

int32_t WriteFileBytes(const TZelHandle& handle, uint32_t& errorCode, const void* buffer,
                       int32_t count, OVERLAPPED* overlapped) noexcept {
    if (count < 1)
        return 0;
    DWORD written = 0;
    if (!WriteFile(handle.Get(), buffer, static_cast<DWORD>(count), &written, overlapped)) {
        errorCode = kWriteBytesError;
        return 0;
    }
    return static_cast<int32_t>(written);
}
