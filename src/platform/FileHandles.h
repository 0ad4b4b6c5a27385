// The lowest file layer: opening a file with a retry time-out, closing it, asking its size, and
// moving raw bytes through the handle, with one convention for error numbers.
//
// Error numbers (ErrorCode variables) are platform error numbers with these conventions:
//   0   success; ERROR_ALREADY_EXISTS (183) reported by a successful open counts as success
//   80  the value an open starts with, kept when it refuses at once (empty name, missing file,
//       volume not ready)
//   29  a write of bytes failed
//   30  a read of bytes failed
//   any other: the platform's error of the last failed open attempt
//
// Paths get the long-path prefix right before the platform call. Nothing here raises.
#pragma once

#include "platform/Owned.h"

#include <windows.h>

#include <cstdint>
#include <string>

constexpr uint32_t kOpenRefusedError = 80;
constexpr uint32_t kWriteBytesError = 29;
constexpr uint32_t kReadBytesError = 30;

// Opens an existing file with GENERIC_READ, sharing reading when shareRead is set. Tries every
// 10 ms until the clock has passed the start plus timeoutSeconds, so a time-out of 0 or less
// makes one attempt. Refuses at once (errorCode 80) for an empty name or a file that does not
// exist. On failure handle is empty and errorCode holds the last attempt's error. The flag
// FILE_FLAG_SEQUENTIAL_SCAN is always added to flagsAndAttributes.
bool OpenFileForRead(const std::wstring& fileName, TZelHandle& handle, uint32_t& errorCode,
                     bool shareRead, DWORD disposition, DWORD flagsAndAttributes,
                     int32_t timeoutSeconds) noexcept;

// Opens the file with GENERIC_WRITE, sharing writing when shareWrite is set, retried like
// OpenFileForRead. Refuses at once (errorCode 80) for an empty name or a volume that is not
// ready. An existing file gets exactly the archive attribute first, which clears read-only,
// hidden and system.
bool OpenFileForWrite(const std::wstring& fileName, TZelHandle& handle, uint32_t& errorCode,
                      bool shareWrite, DWORD disposition, DWORD flagsAndAttributes,
                      int32_t timeoutSeconds) noexcept;

void CloseFileHandle(TZelHandle& handle) noexcept;

// Gives an existing file (not a folder) exactly the archive attribute when it has any other set,
// which clears read-only, hidden and system so that the file can be overwritten or deleted.
void SetArchiveAttributeOnly(const std::wstring& fileName) noexcept;

// The platform's last error, with ERROR_ALREADY_EXISTS (183) reported as 0.
uint32_t GetLastErrorCode() noexcept;

// The size of the open file; on failure false, size 0 and errorCode the platform's error.
bool GetFileSize64(const TZelHandle& handle, uint32_t& errorCode, int64_t& size) noexcept;

// One ReadFile / WriteFile of count bytes at buffer; the number of bytes moved. A failed call
// gives 0 and sets errorCode to 30 (read) or 29 (write); a successful one leaves errorCode alone.
// A count below 1 moves nothing.
int32_t ReadFileBytes(const TZelHandle& handle, uint32_t& errorCode, void* buffer, int32_t count,
                      OVERLAPPED* overlapped) noexcept;
int32_t WriteFileBytes(const TZelHandle& handle, uint32_t& errorCode, const void* buffer,
                       int32_t count, OVERLAPPED* overlapped) noexcept;
