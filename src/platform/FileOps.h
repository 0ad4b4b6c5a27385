// File and folder operations: creating and removing folders, copying and deleting files, and
// writing and reading whole text files. Most of them can give the group Everyone full access to
// what they created or wrote, so that other accounts can use it afterwards.
//
// Paths get the long-path prefix right before each platform call. Nothing here raises; partial
// work stays (folders created on the way, a copy whose date could not be set, a file emptied by
// a write that then failed).
#pragma once

#include "text/TextEncoding.h"

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

// Writes text unchanged (no line break added) to the file in the encoding; with append set at
// the end of the file, which is created when missing, otherwise over a new or emptied file. An
// empty file first receives the encoding's byte-order mark. The open waits up to 5 seconds for a
// file that is in use. True when at least one byte of text was written (so false for an empty
// text); only then does grantEveryone give Everyone access to the file.
bool WriteTextFile(const std::wstring& fileName, const std::wstring& text,
                   TZelTextEncoding encoding, bool grantEveryone, bool append) noexcept;

// The lines of the file joined by CR LF (none after the last line), read in the encoding unless a
// byte-order mark says otherwise. True when at least one line was read, also an empty one; false
// with text empty for a missing file and when reading fails.
bool ReadTextFile(const std::wstring& fileName, std::wstring& text,
                  TZelTextEncoding encoding) noexcept;
