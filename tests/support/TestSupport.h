// Helpers shared by the test programs: scratch folders, small files and child processes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// The folder of the running test program (with trailing backslash), where the built programs lie.
std::wstring ProgramFolder();

// A new empty folder under the temporary folder, removed with everything in it at the end of
// its scope. Path() ends with a backslash.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + name; }

private:
    std::wstring path_;
};

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
// The bytes of a file that a writer may hold without sharing (as the install log's writers do):
// such a writer is waited for up to timeoutMs. Empty when the file is missing or stays held.
std::string ReadBytesOnceFree(const std::wstring& path, uint32_t timeoutMs = 5000);
bool Exists(const std::wstring& path);
void CopyTo(const std::wstring& from, const std::wstring& to);
void RemoveTree(const std::wstring& path);

// A file put back as it was (or removed again) at the end of a scope.
class SavedFile {
public:
    explicit SavedFile(std::wstring path);
    ~SavedFile();
    SavedFile(const SavedFile&) = delete;
    SavedFile& operator=(const SavedFile&) = delete;

private:
    std::wstring path_;
    std::optional<std::string> old_;
};

// Sets an environment variable of this process (and so of the children it starts) for the
// lifetime of the object, then restores the old value.
class ScopedEnvironment {
public:
    ScopedEnvironment(const std::wstring& name, const std::wstring& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::wstring name_;
    std::wstring oldValue_;
    bool hadValue_ = false;
};

// Makes a folder the current folder of this process (and so of the children it starts) for the
// lifetime of the object, then goes back to the old one.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const std::wstring& folder);
    ~ScopedCurrentFolder();
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

private:
    std::wstring old_;
};

// Points TEMP and TMP of the children at a folder, so that each test has its own install log.
class ScopedTempFolder {
public:
    explicit ScopedTempFolder(const std::wstring& folder)
        : temp_(L"TEMP", folder), tmp_(L"TMP", folder) {}

private:
    ScopedEnvironment temp_;
    ScopedEnvironment tmp_;
};

// The result of a child process that was waited for.
struct ChildResult {
    bool started = false;
    bool finished = false; // false when it was still running at the time-out and was stopped
    uint32_t exitCode = 0; // the full 32-bit exit code
};

// A started child process, stopped at the end of its scope when it is still running.
class ChildProcess {
public:
    // Starts commandLine with CreateProcessW in workFolder (empty: the current one).
    explicit ChildProcess(const std::wstring& commandLine, const std::wstring& workFolder = L"");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    uint32_t Id() const { return id_; }
    // Waits up to timeoutMs for the child to end; it keeps running either way.
    bool Ended(uint32_t timeoutMs) const;
    // Waits up to timeoutMs for the child to wait for input with none pending, as a program does
    // once its window shows.
    bool InputIdle(uint32_t timeoutMs) const;
    // Waits up to timeoutMs; a child still running then is stopped and reported unfinished.
    ChildResult Wait(uint32_t timeoutMs = 30000);

private:
    void* process_ = nullptr;
    uint32_t id_ = 0;
};

// Starts commandLine with CreateProcessW in workFolder (empty: the current one), waits up to
// timeoutMs and returns its full exit code.
ChildResult RunAndWait(const std::wstring& commandLine, const std::wstring& workFolder = L"",
                       uint32_t timeoutMs = 30000);

// A function run on a second thread of this process, waited for by Join or at the end of the
// task's scope. The toolchain's threads are Windows' own, without std::thread.
class BackgroundTask {
public:
    explicit BackgroundTask(std::function<void()> work);
    ~BackgroundTask();
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    void Join();

private:
    static unsigned long __stdcall Run(void* task);

    std::function<void()> work_;
    void* thread_ = nullptr;
};

// A named mutex held by this process for the lifetime of the object, standing in for a program
// that runs. A refusing mutex grants nobody any access, as the mutex of a program with more
// rights does to one without them.
class HeldMutex {
public:
    enum Access { OpenToAll, RefusingAll };
    HeldMutex(const std::wstring& name, Access access);
    ~HeldMutex();
    HeldMutex(const HeldMutex&) = delete;
    HeldMutex& operator=(const HeldMutex&) = delete;

    bool Held() const { return mutex_ != nullptr; }

private:
    void* mutex_ = nullptr;
};

// The inheritance flags of the entry in the access list of a file or folder (or of a security
// descriptor) that lets the group Everyone write to the object itself; nullopt when no entry
// does. An inherit-only entry is only handed on to what is created inside and grants nothing
// here: it is skipped.
std::optional<uint8_t> EveryoneWriteGrant(const std::wstring& path);
std::optional<uint8_t> EveryoneWriteGrantIn(const void* securityDescriptor);
// The flags of a sound grant: none on a file, so that it governs the file itself; on a folder
// the inheritance by files and sub-folders (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE), so that
// it covers what is created inside. Wine keeps no access list of a file or folder but shows its
// Unix mode bits as entries, a file's without and a folder's with both flags, so that on real
// files and folders the flags cannot fail under Wine: only whether Everyone may write can.
inline constexpr uint8_t kFileGrantFlags = 0x0;
inline constexpr uint8_t kFolderGrantFlags = 0x3;

// The lines of a text without their line ends; a last line without one counts too.
std::vector<std::string> SplitLines(std::string_view text, std::string_view lineEnd = "\r\n");

// The UTF-8 bytes of a UTF-16 text, and back.
std::string Utf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& bytes);

} // namespace testing_support
