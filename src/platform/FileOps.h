// File and folder operations: creating and removing folders, copying and deleting files. Most of
// them can give the group Everyone full access to what they created, so that other accounts can
// use it afterwards.
//
// Paths get the long-path prefix right before each platform call. Nothing here raises; partial
// work stays (folders created on the way, a copy whose date could not be set, a file emptied by
// a write that then failed).
#pragma once

#include <string>

// True when the folder exists, already or newly created; its parent must exist. With
// grantEveryone set the folder (and what is created in it) is given to Everyone, also when it
// existed before.
bool CreateFolder(const std::wstring& path, bool grantEveryone) noexcept;

// Creates every missing folder of the path below its root, one level after the other; doubled
// backslashes count as one. Only the last folder receives the Everyone grant. True when the last
// folder exists; false for a path that is a root alone. For a relative path the first folder
// name counts as the root and is never created.
bool ForceFolders(const std::wstring& path, bool grantEveryone) noexcept;

// Removes the folder when it is empty; true when it is gone. False for a missing folder.
bool RemoveFolder(const std::wstring& path) noexcept;

// Deletes the file, read-only, hidden or system as it may be. True when it is gone or never
// existed (a folder is not a file: it is left alone and the answer is true).
bool ForceDeleteFile(const std::wstring& fileName) noexcept;

// Copies source over dest, whatever dest's attributes, and gives the copy the last-write time of
// source in 2-second resolution (rounded down, as a DOS file date and time in local time). True
// when the copy was made, also when only its date could not be set.
bool CopyFileWithDate(const std::wstring& source, const std::wstring& dest,
                      bool grantEveryone) noexcept;
