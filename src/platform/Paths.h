// The path normal form and the file queries: long names, long-path prefixes, roots, relative
// paths, the program's and the temporary folder's paths, existence and version queries.
//
// Paths are stored in their long form without prefix; right before a file-system call a path
// longer than 250 characters gets "\\?\" (local) or "\\?\UNC\" (network).
//
// None of these functions raises: the queries answer false and the text functions return the
// nearest sensible form of their input when the platform refuses.
#pragma once

#include <string>

// The path trimmed (codes 0 to 32 at both ends) and without a leading "\\?\" or "\\?\UNC\".
std::wstring StripLongPathPrefix(const std::wstring& path) noexcept;
// The path trimmed, with the long-path prefix when it is longer than 250 characters.
std::wstring AddLongPathPrefix(const std::wstring& path) noexcept;
// The path without prefix and without anything in front of its drive letter, every existing
// component written the way it is stored on disk.
std::wstring GetLongFileName(const std::wstring& path) noexcept;
// Every existing component of the path written the way it is stored on disk, from the root down.
// Components that are not found, "." and "..", and names with wildcard characters or "/" stay
// as written, as do the drive, a leading backslash and the server and share of a network path.
std::wstring ResolveLongNames(const std::wstring& path) noexcept;
// The long form with exactly one trailing "\"; empty stays empty, a path beginning with "." is
// not looked up.
std::wstring AddPathDelimiter(const std::wstring& path) noexcept;
// The long form without a trailing "\"; a drive root keeps it and a bare drive ("C:") gains it.
std::wstring RemovePathDelimiter(const std::wstring& path) noexcept;
// The drive root ("C:\") or the network root ("\\server\share\") of the path, with trailing "\".
std::wstring ExtractPathRoot(const std::wstring& path) noexcept;
// The path made absolute against baseFolder: leading ".\" and "..\" are folded into the base;
// a drive or network path is returned unchanged.
std::wstring ResolveRelativePath(const std::wstring& path, const std::wstring& baseFolder) noexcept;
// The folder part of a path, up to and including its last "\"; empty when it has none.
std::wstring ExtractFileFolder(const std::wstring& path);
// The last component of a path, after its last "\".
std::wstring ExtractFileName(const std::wstring& path);
// The long form of the running program's file name, or empty.
std::wstring GetProgramFileName() noexcept;
// The temporary folder in long form with trailing "\", or empty.
std::wstring GetTempFolder() noexcept;

// Whether the volume of the path answers a volume-information query; never for a relative path.
bool IsVolumeReady(const std::wstring& path) noexcept;
// Whether the path names an existing entry that is not a folder.
bool RawFileExists(const std::wstring& path) noexcept;
bool FileExistsChecked(const std::wstring& path) noexcept;
// Whether the path (with or without trailing "\") names an existing folder.
bool RawFolderExists(const std::wstring& path) noexcept;
bool FolderExistsChecked(const std::wstring& path) noexcept;

class TZelFile {
public:
    // The file version as four decimal numbers joined by ".", or empty without version data.
    static std::wstring GetFileVersionText(const std::wstring& fileName) noexcept;
};
