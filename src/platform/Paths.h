// The path normal form and the file queries: long names, long-path prefixes, roots, relative
// paths, the program's and the temporary folder's paths, existence and version queries.
//
// Paths are stored in their long form without prefix; right before a file-system call a path
// longer than 250 characters gets "\\?\" (local) or "\\?\UNC\" (network).
#pragma once

#include <string>

std::wstring StripLongPathPrefix(const std::wstring& path);
std::wstring AddLongPathPrefix(const std::wstring& path);
std::wstring GetLongFileName(const std::wstring& path);
std::wstring ResolveLongNames(const std::wstring& path);
std::wstring AddPathDelimiter(const std::wstring& path);
std::wstring RemovePathDelimiter(const std::wstring& path);
std::wstring ExtractPathRoot(const std::wstring& path);
std::wstring ResolveRelativePath(const std::wstring& path, const std::wstring& baseFolder);
std::wstring GetProgramFileName();
std::wstring GetTempFolder();

bool IsVolumeReady(const std::wstring& path);
bool RawFileExists(const std::wstring& path);
bool FileExistsChecked(const std::wstring& path);
bool RawFolderExists(const std::wstring& path);
bool FolderExistsChecked(const std::wstring& path);

class TZelFile {
public:
    // The file version as four decimal numbers joined by ".", or empty without version data.
    static std::wstring GetFileVersionText(const std::wstring& fileName);
};
