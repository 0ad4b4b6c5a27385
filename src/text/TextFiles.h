// Whole text files: written in one piece or read line by line through the file stream, in an
// encoding. Nothing here raises.
#pragma once

#include "text/TextEncoding.h"

#include <string>

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
