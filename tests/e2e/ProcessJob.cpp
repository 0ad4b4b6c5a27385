#include "ProcessJob.h"

#include <cstddef>

namespace {

// The ids of a job's processes, read in one call: far more than a run starts.
constexpr size_t kMaxListedProcesses = 64;

} // namespace

ProcessJob::ProcessJob(const std::wstring& commandLine, const std::wstring& workFolder)
    : job_(CreateJobObjectW(nullptr, nullptr)) {
    if (!job_)
        return;
    // Closing the job's last handle ends its processes, also when the test program itself ends.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits,
                                 sizeof limits))
        return;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring mutableLine = commandLine;
    // Started suspended, so that nothing it starts can escape the job.
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, workFolder.c_str(), &startup, &process))
        return;
    const OwnedHandle thread(process.hThread);
    OwnedHandle started(process.hProcess);
    if (!AssignProcessToJobObject(job_.get(), started.get())) {
        TerminateProcess(started.get(), 0xDEAD);
        return;
    }
    ResumeThread(thread.get());
    process_ = std::move(started);
    id_ = process.dwProcessId;
}

ProcessJob::~ProcessJob() {
    if (!job_)
        return;
    TerminateJobObject(job_.get(), 0xDEAD);
    // The processes have ended once the started one has: later tests meet none of their windows.
    if (process_)
        WaitForSingleObject(process_.get(), 5000);
}

bool ProcessJob::Ended(DWORD timeoutMs) const {
    return process_ && WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

testing_support::ChildResult ProcessJob::Wait(DWORD timeoutMs) const {
    testing_support::ChildResult result;
    result.started = Started();
    if (!Ended(timeoutMs))
        return result;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    result.finished = true;
    result.exitCode = code;
    return result;
}

std::vector<DWORD> ProcessJob::RunningProcesses() const {
    // The list is a header and the ids after it, in one block of ULONG_PTR.
    constexpr size_t kHeaderSlots =
        offsetof(JOBOBJECT_BASIC_PROCESS_ID_LIST, ProcessIdList) / sizeof(ULONG_PTR);
    std::vector<ULONG_PTR> block(kHeaderSlots + kMaxListedProcesses);
    auto& header = *reinterpret_cast<JOBOBJECT_BASIC_PROCESS_ID_LIST*>(block.data());
    if (!job_ ||
        !QueryInformationJobObject(job_.get(), JobObjectBasicProcessIdList, &header,
                                   static_cast<DWORD>(block.size() * sizeof(ULONG_PTR)), nullptr))
        return {};
    std::vector<DWORD> running;
    for (DWORD i = 0; i < header.NumberOfProcessIdsInList; ++i)
        running.push_back(static_cast<DWORD>(block[kHeaderSlots + i]));
    return running;
}
