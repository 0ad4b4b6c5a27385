// A program started in a job of its own. What it starts belongs to the job too, and the job ends
// every one of them with the object, so that a test that fails half-way leaves nothing running
// that a later test could meet (a package window, a launcher waiting for an answer).
#pragma once

#include "TestSupport.h"

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class ProcessJob {
public:
    // Starts commandLine with CreateProcessW in workFolder.
    ProcessJob(const std::wstring& commandLine, const std::wstring& workFolder);
    ~ProcessJob();
    ProcessJob(const ProcessJob&) = delete;
    ProcessJob& operator=(const ProcessJob&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    // Waits up to timeoutMs for the started program to end; it keeps running either way.
    bool Ended(DWORD timeoutMs) const;
    // Waits up to timeoutMs for the started program; one still running then is reported
    // unfinished and left to the end of the job.
    testing_support::ChildResult Wait(DWORD timeoutMs = 30000) const;
    // The processes of the job that still run: the started program and what it started.
    std::vector<DWORD> RunningProcesses() const;

private:
    struct HandleCloser {
        void operator()(HANDLE handle) const { CloseHandle(handle); }
    };
    using OwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

    OwnedHandle job_;
    OwnedHandle process_;
    DWORD id_ = 0;
};
