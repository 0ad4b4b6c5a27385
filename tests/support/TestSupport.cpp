#include "TestSupport.h"

#include <windows.h>

#include <sddl.h>

#include <stdexcept>
#include <vector>

namespace testing_support {

std::wstring ProgramFolder() {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
    std::wstring path(buffer, length);
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

ScratchFolder::ScratchFolder() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::wstring(temp) + L"pgtest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter) + L"\\";
        if (CreateDirectoryW(path_.c_str(), nullptr))
            return;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a scratch folder");
    }
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

void RemoveTree(const std::wstring& path) {
    std::wstring folder = path;
    if (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring full = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create a test file");
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

namespace {

HANDLE OpenForReading(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadAndClose(HANDLE file) {
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

} // namespace

std::string ReadBytes(const std::wstring& path) {
    return ReadAndClose(OpenForReading(path));
}

std::string ReadBytesOnceFree(const std::wstring& path, uint32_t timeoutMs) {
    const DWORD start = GetTickCount();
    HANDLE file = OpenForReading(path);
    while (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION &&
           GetTickCount() - start < timeoutMs) {
        Sleep(10);
        file = OpenForReading(path);
    }
    return ReadAndClose(file);
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CopyTo(const std::wstring& from, const std::wstring& to) {
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE))
        throw std::runtime_error("cannot copy a test file");
}

SavedFile::SavedFile(std::wstring path) : path_(std::move(path)) {
    if (Exists(path_))
        old_ = ReadBytes(path_);
}

SavedFile::~SavedFile() {
    if (!old_) {
        DeleteFileW(path_.c_str());
        return;
    }
    try {
        WriteBytes(path_, *old_);
    } catch (const std::runtime_error&) {
        // A file that cannot be written back stays as the test left it.
    }
}

ScopedEnvironment::ScopedEnvironment(const std::wstring& name, const std::wstring& value)
    : name_(name) {
    wchar_t buffer[32768];
    const DWORD length = GetEnvironmentVariableW(name.c_str(), buffer, 32768);
    hadValue_ = length > 0 && length < 32768;
    if (hadValue_)
        oldValue_.assign(buffer, length);
    SetEnvironmentVariableW(name.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
    SetEnvironmentVariableW(name_.c_str(), hadValue_ ? oldValue_.c_str() : nullptr);
}

ScopedCurrentFolder::ScopedCurrentFolder(const std::wstring& folder) {
    std::wstring old(GetCurrentDirectoryW(0, nullptr), L'\0');
    old_.assign(old.data(), GetCurrentDirectoryW(static_cast<DWORD>(old.size()), old.data()));
    SetCurrentDirectoryW(folder.c_str());
}

ScopedCurrentFolder::~ScopedCurrentFolder() {
    SetCurrentDirectoryW(old_.c_str());
}

ChildProcess::ChildProcess(const std::wstring& commandLine, const std::wstring& workFolder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring mutableLine = commandLine;
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workFolder.empty() ? nullptr : workFolder.c_str(), &startup, &process))
        return;
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    id_ = process.dwProcessId;
}

ChildProcess::~ChildProcess() {
    if (!process_)
        return;
    if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 0xDEAD);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool ChildProcess::Ended(uint32_t timeoutMs) const {
    return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

bool ChildProcess::InputIdle(uint32_t timeoutMs) const {
    return process_ && WaitForInputIdle(process_, timeoutMs) == 0;
}

ChildResult ChildProcess::Wait(uint32_t timeoutMs) {
    ChildResult result;
    if (!process_)
        return result;
    result.started = true;
    if (WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0) {
        result.finished = true;
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        result.exitCode = code;
    } else {
        TerminateProcess(process_, 0xDEAD);
        WaitForSingleObject(process_, 5000);
    }
    return result;
}

ChildResult RunAndWait(const std::wstring& commandLine, const std::wstring& workFolder,
                       uint32_t timeoutMs) {
    return ChildProcess(commandLine, workFolder).Wait(timeoutMs);
}

BackgroundTask::BackgroundTask(std::function<void()> work) : work_(std::move(work)) {
    thread_ = CreateThread(nullptr, 0, &BackgroundTask::Run, this, 0, nullptr);
    if (!thread_)
        throw std::runtime_error("CreateThread failed");
}

unsigned long __stdcall BackgroundTask::Run(void* task) {
    static_cast<BackgroundTask*>(task)->work_();
    return 0;
}

BackgroundTask::~BackgroundTask() {
    Join();
}

void BackgroundTask::Join() {
    if (!thread_)
        return;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
}

HeldMutex::HeldMutex(const std::wstring& name, Access access) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    // An access list without entries grants nobody anything.
    if (access == RefusingAll && !ConvertStringSecurityDescriptorToSecurityDescriptorW(
                                     L"D:", SDDL_REVISION_1, &descriptor, nullptr))
        return;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    mutex_ = CreateMutexW(descriptor ? &attributes : nullptr, TRUE, name.c_str());
    LocalFree(descriptor);
}

HeldMutex::~HeldMutex() {
    if (mutex_) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
}

namespace {

// The flags that say how an entry is handed on, without the mark of an entry that was inherited.
constexpr uint8_t kHowInherited =
    OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE | NO_PROPAGATE_INHERIT_ACE | INHERIT_ONLY_ACE;

} // namespace

std::optional<uint8_t> EveryoneWriteGrant(const std::wstring& path) {
    DWORD size = 0;
    GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::vector<unsigned char> descriptor(size);
    if (size == 0 ||
        !GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size, &size))
        return std::nullopt;
    return EveryoneWriteGrantIn(descriptor.data());
}

std::optional<uint8_t> EveryoneWriteGrantIn(const void* securityDescriptor) {
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL acl = nullptr;
    if (!GetSecurityDescriptorDacl(const_cast<void*>(securityDescriptor), &present, &acl,
                                   &defaulted) ||
        !present || acl == nullptr)
        return std::nullopt;
    unsigned char everyone[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof everyone;
    if (!CreateWellKnownSid(WinWorldSid, nullptr, everyone, &sidSize))
        return std::nullopt;
    for (DWORD index = 0; index < acl->AceCount; ++index) {
        void* entry = nullptr;
        if (!GetAce(acl, index, &entry))
            return std::nullopt;
        const auto* ace = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        if (ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
            (ace->Header.AceFlags & INHERIT_ONLY_ACE) == 0 &&
            EqualSid(const_cast<DWORD*>(&ace->SidStart), everyone) &&
            (ace->Mask & FILE_WRITE_DATA) != 0)
            return static_cast<uint8_t>(ace->Header.AceFlags & kHowInherited);
    }
    return std::nullopt;
}

std::vector<std::string> SplitLines(std::string_view text, std::string_view lineEnd) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const size_t end = text.find(lineEnd);
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + lineEnd.size());
    }
    return lines;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

std::wstring FromUtf8(const std::string& bytes) {
    if (bytes.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        size);
    return text;
}

} // namespace testing_support
