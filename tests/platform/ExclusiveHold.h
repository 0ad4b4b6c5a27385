// A file held open without any sharing, as another writer would hold the install log, and
// released from a second thread after a delay.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

class ExclusiveHold {
public:
    explicit ExclusiveHold(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~ExclusiveHold() {
        if (releaser_.joinable()) releaser_.join();
        Release();
    }
    ExclusiveHold(const ExclusiveHold&) = delete;
    ExclusiveHold& operator=(const ExclusiveHold&) = delete;

    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

    void ReleaseAfter(DWORD delayMs) {
        releaser_ = std::thread([this, delayMs] {
            Sleep(delayMs);
            Release();
        });
    }

private:
    void Release() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

    HANDLE handle_;
    std::thread releaser_;
};
