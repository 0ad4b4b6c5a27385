#include "OwnProcesses.h"

#include <stdexcept>

namespace testing_support {
namespace {

constexpr DWORD kMostProcessIds = 256;
constexpr DWORD kEndWaitMs = 5000;
constexpr int kLookupTries = 3000;
constexpr DWORD kLookupPauseMs = 10;

HANDLE OwnJob() {
    static const HANDLE job = [] {
        const HANDLE created = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (!created ||
            !SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits,
                                     sizeof limits) ||
            !AssignProcessToJobObject(created, GetCurrentProcess()))
            throw std::runtime_error("cannot put the test program into a job");
        return created;
    }();
    return job;
}

struct WindowSearch {
    std::vector<DWORD> processIds;
    const std::wstring& className;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    bool ownedBySearched = false;
    for (const DWORD id : search.processIds)
        ownedBySearched = ownedBySearched || id == owner;
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    if (!ownedBySearched || search.className != name)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND WindowOfProcesses(std::vector<DWORD> processIds, const std::wstring& className) {
    WindowSearch search{std::move(processIds), className};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

void JoinOwnProcessJob() {
    OwnJob();
}

std::vector<DWORD> OwnProcessIds() {
    struct {
        JOBOBJECT_BASIC_PROCESS_ID_LIST list;
        ULONG_PTR more[kMostProcessIds];
    } ids{};
    if (!QueryInformationJobObject(OwnJob(), JobObjectBasicProcessIdList, &ids, sizeof ids,
                                   nullptr))
        return {};
    const ULONG_PTR* first = ids.list.ProcessIdList;
    return std::vector<DWORD>(first, first + ids.list.NumberOfProcessIdsInList);
}

HWND WindowOfProcess(DWORD processId, const std::wstring& className) {
    return WindowOfProcesses({processId}, className);
}

HWND WindowOfOwnProcesses(const std::wstring& className) {
    return WindowOfProcesses(OwnProcessIds(), className);
}

HWND AwaitWindow(const std::function<HWND()>& lookup) {
    for (int tries = 0; tries < kLookupTries; ++tries, Sleep(kLookupPauseMs))
        if (const HWND window = lookup())
            return window;
    return nullptr;
}

OwnProcessesEnder::~OwnProcessesEnder() {
    for (const DWORD id : OwnProcessIds()) {
        if (id == GetCurrentProcessId())
            continue;
        if (const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(process, 0xDEAD);
            WaitForSingleObject(process, kEndWaitMs);
            CloseHandle(process);
        }
    }
}

} // namespace testing_support
