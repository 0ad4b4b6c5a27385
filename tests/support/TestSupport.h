// Helpers shared by the test programs: scratch folders, small files and child processes.
#pragma once

#include <cstdint>
#include <string>

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
bool Exists(const std::wstring& path);
void CopyTo(const std::wstring& from, const std::wstring& to);
void RemoveTree(const std::wstring& path);

// The result of a child process that was waited for.
struct ChildResult {
    bool started = false;
    bool finished = false;  // false when it was still running at the time-out and was stopped
    uint32_t exitCode = 0;  // the full 32-bit exit code
};

// Starts commandLine with CreateProcessW in workFolder (empty: the current one), waits up to
// timeoutMs and returns its full exit code.
ChildResult RunAndWait(const std::wstring& commandLine, const std::wstring& workFolder = L"",
                       uint32_t timeoutMs = 30000);

// Whether the access list of the file or folder lets the group Everyone write to it.
bool EveryoneMayWrite(const std::wstring& path);

// The UTF-8 bytes of a UTF-16 text, and back.
std::string Utf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& bytes);

} // namespace testing_support
