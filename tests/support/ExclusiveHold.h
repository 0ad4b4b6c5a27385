// A file held open without any sharing, as another writer would hold the install log, until it
// is released, at once or from a second thread after a delay.
#pragma once

#include "TestSupport.h"

#include <windows.h>

#include <memory>
#include <string>

class ExclusiveHold {
public:
    explicit ExclusiveHold(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~ExclusiveHold() {
        releaser_.reset();
        Release();
    }
    ExclusiveHold(const ExclusiveHold&) = delete;
    ExclusiveHold& operator=(const ExclusiveHold&) = delete;

    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

    void ReleaseAfter(DWORD delayMs) {
        releaser_ = std::make_unique<testing_support::BackgroundTask>([this, delayMs] {
            Sleep(delayMs);
            Release();
        });
    }

    void Release() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
    std::unique_ptr<testing_support::BackgroundTask> releaser_;
};
