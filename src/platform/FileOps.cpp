#include "platform/FileOps.h"

#include "platform/FileHandles.h"
#include "platform/Paths.h"
#include "platform/ZelACLUtl.h"
#include "strings/ZelStrUtl.h"

#include <algorithm>

namespace {

// The attribute bit that marks a volume label in a directory entry.
constexpr DWORD kVolumeLabelAttribute = 0x08;

// The time rounded down to the 2-second resolution of a DOS file date and time, taken in local
// time; false when it lies outside the DOS date range.
bool RoundToDosTime(const FILETIME& time, FILETIME& rounded) {
    FILETIME local{};
    WORD dosDate = 0;
    WORD dosTime = 0;
    return FileTimeToLocalFileTime(&time, &local) &&
           FileTimeToDosDateTime(&local, &dosDate, &dosTime) &&
           DosDateTimeToFileTime(dosDate, dosTime, &local) &&
           LocalFileTimeToFileTime(&local, &rounded);
}

// Gives dest the last-write time of source in DOS resolution; a failure is left unreported.
void CopyLastWriteTime(const std::wstring& source, const std::wstring& dest) {
    WIN32_FILE_ATTRIBUTE_DATA sourceData{};
    FILETIME rounded{};
    if (!GetFileAttributesExW(AddLongPathPrefix(source).c_str(), GetFileExInfoStandard,
                              &sourceData) ||
        !RoundToDosTime(sourceData.ftLastWriteTime, rounded))
        return;
    TZelHandle file;
    file.Reset(CreateFileW(AddLongPathPrefix(dest).c_str(), FILE_WRITE_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Valid())
        SetFileTime(file.Get(), nullptr, nullptr, &rounded);
}

} // namespace

bool CreateFolder(const std::wstring& path, bool grantEveryone) noexcept try {
    bool exists = true;
    if (!RawFolderExists(path)) {
        // Another process may create the folder at the same moment; it exists all the same.
        exists =
            CreateDirectoryW(AddLongPathPrefix(path).c_str(), nullptr) || RawFolderExists(path);
    }
    if (grantEveryone)
        GrantEveryoneFileAccess(path, true);
    return exists;
} catch (...) {
    return false;
}

bool ForceFolders(const std::wstring& path, bool grantEveryone) noexcept try {
    const std::wstring folder = RemovePathDelimiter(path);
    const std::wstring root = ExtractPathRoot(folder);
    std::wstring rest = folder.substr(std::min(root.size(), folder.size()));
    std::wstring relative;
    bool exists = false;
    while (!rest.empty()) {
        const std::wstring name = ExtractToken(rest, L"\\", false, false);
        if (name.empty())
            continue;
        if (!relative.empty())
            relative += L'\\';
        relative += name;
        const bool isLast = rest.find_first_not_of(L'\\') == std::wstring::npos;
        // A folder that could not be created makes the next creation fail as well.
        exists = CreateFolder(root + relative, grantEveryone && isLast);
    }
    return exists;
} catch (...) {
    return false;
}

bool RemoveFolder(const std::wstring& path) noexcept try {
    const std::wstring folder = RemovePathDelimiter(path);
    if (folder.empty() || !FolderExistsChecked(folder))
        return false;
    // Only an empty folder is removed; whether it went is asked afterwards.
    RemoveDirectoryW(AddLongPathPrefix(folder).c_str());
    return !FolderExistsChecked(folder);
} catch (...) {
    return false;
}

bool ForceDeleteFile(const std::wstring& fileName) noexcept try {
    if (!FileExistsChecked(fileName))
        return true;
    const std::wstring name = AddLongPathPrefix(fileName);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | kVolumeLabelAttribute)) != 0)
        return false;
    SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    return DeleteFileW(name.c_str()) != FALSE;
} catch (...) {
    return !FileExistsChecked(fileName);
}

bool CopyFileWithDate(const std::wstring& source, const std::wstring& dest,
                      bool grantEveryone) noexcept try {
    if (dest.empty() || !IsVolumeReady(dest) || source.empty() || !FileExistsChecked(source))
        return false;
    if (RawFileExists(dest)) {
        if (grantEveryone)
            GrantEveryoneFile(dest);
        SetArchiveAttributeOnly(dest);
    }
    if (!CopyFileW(AddLongPathPrefix(source).c_str(), AddLongPathPrefix(dest).c_str(), FALSE))
        return false;
    if (grantEveryone)
        GrantEveryoneFile(dest);
    CopyLastWriteTime(source, dest);
    return true;
} catch (...) {
    return false;
}

// Appending always opens the file with "open or create": deciding between appending and creating
// by a look at the file first would let a second writer's line be emptied away in between. The
// stream's open asks whether the volume is ready; the write does not ask before it.
