#include "platform/Paths.h"

#include "platform/Owned.h"
#include "strings/LocaleText.h"
#include "strings/ZelStrUtl.h"

#include <windows.h>

#include <string_view>
#include <vector>

namespace {

// Paths longer than this get the long-path prefix before they reach the file system.
constexpr size_t kPrefixThreshold = 250;
// No entry of a file system has a longer full name; beyond it nothing is looked up.
constexpr size_t kLongestPath = 32767;
constexpr size_t kFirstBufferLength = 2048;

constexpr std::wstring_view kLocalPrefix = L"\\\\?\\";
constexpr std::wstring_view kNetworkPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kNetworkStart = L"\\\\";

// The first entry of a directory search, closed again at the end of its scope.
class FirstEntry {
public:
    explicit FirstEntry(const std::wstring& name)
        : search_(FindFirstFileW(name.c_str(), &entry_)) {}

    bool Found() const { return search_.Valid(); }
    const WIN32_FIND_DATAW& Entry() const { return entry_; }

private:
    WIN32_FIND_DATAW entry_{};
    TZelFindHandle search_;
};

// The length of the folder part of a path: up to and including its last "\" or ":".
size_t FolderPartLength(std::wstring_view path) {
    const size_t delimiter = path.find_last_of(L"\\:");
    return delimiter == std::wstring_view::npos ? 0 : delimiter + 1;
}

// A folder part that names a folder of its own: it ends in "\" that follows a name, unlike a
// drive ("C:", "C:\"), a single leading backslash or the "\\" of a network path.
bool IsResolvableFolder(std::wstring_view folder) {
    if (folder.size() <= 1 || folder.back() != L'\\')
        return false;
    const wchar_t before = folder[folder.size() - 2];
    return before != L'\\' && before != L':';
}

// A directory search for such a name could only answer with an entry of another name: "." and
// ".." are folded into their folders, wildcards match other names and "/" splits the name.
bool IsLookupName(std::wstring_view name) {
    return !name.empty() && name != L"." && name != L".." &&
           name.find_first_of(L"*?<>\"/") == std::wstring_view::npos;
}

// Appends to the resolved folder the name under which folder + name is stored on disk, or the
// name as written when no entry is found.
void AppendStoredName(std::wstring& folder, std::wstring_view name) {
    if (IsLookupName(name) && folder.size() + name.size() <= kLongestPath) {
        const FirstEntry entry(AddLongPathPrefix(folder + std::wstring(name)));
        if (entry.Found()) {
            folder += entry.Entry().cFileName;
            return;
        }
    }
    folder += name;
}

// Position after the next "\" at or after from, or the end of the text.
size_t AfterComponent(const std::wstring& text, size_t from) {
    const size_t delimiter = text.find(L'\\', from);
    return delimiter == std::wstring::npos ? text.size() : delimiter + 1;
}

// Whatever stands before the drive letter of the first colon.
void DropBeforeDrive(std::wstring& text) {
    const size_t colon = text.find(L':');
    if (colon != std::wstring::npos && colon > 0)
        text.erase(0, colon - 1);
}

// The volume that answered a query last, and when. Asked again for it within a second, it counts
// as ready without another query (under some systems one costs milliseconds, and a start asks
// for the same drive a dozen times). Only an answer of "ready" is kept, so a drive that becomes
// ready is seen at once; one that goes away within the second fails at the next open instead of
// at the check, with the same outcome for the caller.
class ReadyVolumeMemory {
public:
    bool Remembers(const std::wstring& root) {
        const SharedLock lock(guard_);
        return !root_.empty() && GetTickCount() - answeredAt_ < kKeptMs &&
               CompareStringOrdinal(root.c_str(), -1, root_.c_str(), -1, TRUE) == CSTR_EQUAL;
    }
    void Remember(const std::wstring& root) {
        const ExclusiveLock lock(guard_);
        root_ = root;
        answeredAt_ = GetTickCount();
    }

private:
    static constexpr DWORD kKeptMs = 1000;
    // The launcher has one thread; the lock keeps the memory sound for any other caller.
    struct SharedLock {
        explicit SharedLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockShared(&lock_); }
        ~SharedLock() { ReleaseSRWLockShared(&lock_); }
        SRWLOCK& lock_;
    };
    struct ExclusiveLock {
        explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
        ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
        SRWLOCK& lock_;
    };
    SRWLOCK guard_ = SRWLOCK_INIT;
    std::wstring root_;
    DWORD answeredAt_ = 0;
};

ReadyVolumeMemory& ReadyVolume() {
    static ReadyVolumeMemory memory;
    return memory;
}

// The long form of the running program's file name, asked of the system once: a running
// program's file cannot be moved or renamed.
std::wstring ResolveProgramFileName() {
    std::wstring buffer(kFirstBufferLength, L'\0');
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    // A name that fills the whole buffer has been cut short.
    if (length == 0 || length >= buffer.size())
        return std::wstring();
    buffer.resize(length);
    return GetLongFileName(buffer);
}

// The base folder of a relative path in long form with trailing "\". The program's own folder,
// the usual base, is already in that form and is not looked up again.
std::wstring LongFolderForm(const std::wstring& folder) {
    const std::wstring base = StripLongPathPrefix(folder);
    const std::wstring programFolder = ExtractFileFolder(GetProgramFileName());
    if (!programFolder.empty() && base == programFolder)
        return base;
    return AddPathDelimiter(base);
}

// One folder up; a drive root and the share of a network path are the top.
std::wstring ParentFolder(const std::wstring& folder) {
    if (folder.starts_with(kNetworkStart) && folder.size() <= ExtractPathRoot(folder).size())
        return folder;
    const std::wstring path = RemovePathDelimiter(folder);
    return path.substr(0, FolderPartLength(path));
}

} // namespace

std::wstring StripLongPathPrefix(const std::wstring& path) noexcept try {
    const std::wstring text = Trim(path);
    const std::wstring_view view = text;
    if (SameText(view.substr(0, kNetworkPrefix.size()), kNetworkPrefix))
        return std::wstring(kNetworkStart) + text.substr(kNetworkPrefix.size());
    if (view.starts_with(kLocalPrefix))
        return text.substr(kLocalPrefix.size());
    return text;
} catch (...) {
    return {};
}

std::wstring AddLongPathPrefix(const std::wstring& path) noexcept try {
    const std::wstring text = Trim(path);
    if (text.size() <= kPrefixThreshold)
        return text;
    if (!text.starts_with(kNetworkStart))
        return std::wstring(kLocalPrefix) + text;
    if (text.compare(2, 2, L"?\\") == 0)
        return text;
    return std::wstring(kNetworkPrefix) + text.substr(kNetworkStart.size());
} catch (...) {
    return {};
}

std::wstring GetLongFileName(const std::wstring& path) noexcept try {
    std::wstring text = StripLongPathPrefix(path);
    DropBeforeDrive(text);
    return ResolveLongNames(text);
} catch (...) {
    return {};
}

// Works from the root down without recursion: first the components are peeled off from the end
// as far as the folder parts name folders, then each is looked up below its resolved folder.
std::wstring ResolveLongNames(const std::wstring& path) noexcept try {
    std::vector<std::wstring_view> namesFromLast;
    std::wstring_view rest = path;
    for (;;) {
        const std::wstring_view folder = rest.substr(0, FolderPartLength(rest));
        namesFromLast.push_back(rest.substr(folder.size()));
        if (!IsResolvableFolder(folder)) {
            rest = folder;
            break;
        }
        rest = folder.substr(0, folder.size() - 1);
    }
    std::wstring resolved(rest);
    for (auto name = namesFromLast.rbegin(); name != namesFromLast.rend(); ++name) {
        if (name != namesFromLast.rbegin())
            resolved += L'\\';
        AppendStoredName(resolved, *name);
    }
    return resolved;
} catch (...) {
    return {};
}

std::wstring AddPathDelimiter(const std::wstring& path) noexcept try {
    if (path.empty())
        return std::wstring();
    std::wstring text = path.front() == L'.' ? path : GetLongFileName(path);
    // A blank path stays empty rather than turning into the root of the current drive.
    if (text.empty())
        return text;
    if (text.back() != L'\\')
        text += L'\\';
    return text;
} catch (...) {
    return {};
}

std::wstring RemovePathDelimiter(const std::wstring& path) noexcept try {
    std::wstring text = !path.empty() && path.front() == L'.' ? path : GetLongFileName(path);
    if (text.size() <= 1)
        return text;
    if (text.back() == L'\\') {
        if (text[text.size() - 2] != L':')
            text.pop_back();
    } else if (text.back() == L':') {
        text += L'\\';
    }
    return text;
} catch (...) {
    return {};
}

std::wstring ExtractPathRoot(const std::wstring& path) noexcept try {
    // The long form of a drive path starts with the same drive, so its root needs none of
    // the directory searches of that form; every volume test would pay them per component.
    std::wstring text = StripLongPathPrefix(path);
    DropBeforeDrive(text);
    const bool keptAsWritten = !path.empty() && path.front() == L'.';
    if (!keptAsWritten && text.size() >= 3 && text[1] == L':' && text[2] == L'\\')
        return text.substr(0, 3);
    text = AddPathDelimiter(path);
    const size_t end = text.starts_with(kNetworkStart)
                           ? AfterComponent(text, AfterComponent(text, kNetworkStart.size()))
                           : AfterComponent(text, 0);
    return text.substr(0, end);
} catch (...) {
    return {};
}

std::wstring ResolveRelativePath(const std::wstring& path, const std::wstring& baseFolder) noexcept
    try {
    if ((path.size() >= 2 && path[1] == L':') || path.starts_with(kNetworkStart))
        return path;
    std::wstring base = LongFolderForm(baseFolder);
    std::wstring_view rest = path;
    if (rest.starts_with(L".\\"))
        rest.remove_prefix(2);
    while (rest.starts_with(L"..\\")) {
        base = ParentFolder(base);
        rest.remove_prefix(3);
    }
    return base + std::wstring(rest);
} catch (...) {
    return {};
}

std::wstring ExtractFileFolder(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring ExtractFileName(const std::wstring& path) {
    return path.substr(ExtractFileFolder(path).size());
}

std::wstring GetProgramFileName() noexcept try {
    static const std::wstring programFileName = ResolveProgramFileName();
    return programFileName;
} catch (...) {
    return {};
}

std::wstring GetTempFolder() noexcept try {
    std::wstring buffer(kFirstBufferLength, L'\0');
    DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length >= buffer.size()) { // the length it needs, with the terminating zero
        buffer.assign(length + 1, L'\0');
        length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length >= buffer.size())
            return std::wstring();
    }
    buffer.resize(length);
    return AddPathDelimiter(buffer);
} catch (...) {
    return {};
}

bool IsVolumeReady(const std::wstring& path) noexcept try {
    if (path.empty())
        return false;
    const std::wstring root = ExtractPathRoot(path);
    if (ReadyVolume().Remembers(root))
        return true;
    DWORD serialNumber = 0;
    // A drive without medium must answer with an error, not with a system dialog.
    DWORD previousMode = 0;
    const bool modeSet = SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode);
    // The serial number alone takes the volume's answer; each further value asked for would
    // cost the volume another query, and none is used.
    const bool ready = GetVolumeInformationW(root.c_str(), nullptr, 0, &serialNumber, nullptr,
                                             nullptr, nullptr, 0);
    if (modeSet)
        SetThreadErrorMode(previousMode, nullptr);
    if (ready)
        ReadyVolume().Remember(root);
    return ready;
} catch (...) {
    return false;
}

bool RawFileExists(const std::wstring& path) noexcept try {
    const std::wstring name = AddLongPathPrefix(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    // A file that another process holds open may refuse its attributes; its directory
    // entry still shows it.
    if (GetLastError() != ERROR_SHARING_VIOLATION)
        return false;
    const FirstEntry entry(name);
    return entry.Found() && (entry.Entry().dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
} catch (...) {
    return false;
}

bool FileExistsChecked(const std::wstring& path) noexcept {
    return IsVolumeReady(path) && RawFileExists(path);
}

bool RawFolderExists(const std::wstring& path) noexcept try {
    const DWORD attributes =
        GetFileAttributesW(AddLongPathPrefix(RemovePathDelimiter(path)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
} catch (...) {
    return false;
}

bool FolderExistsChecked(const std::wstring& path) noexcept {
    return IsVolumeReady(path) && RawFolderExists(path);
}
