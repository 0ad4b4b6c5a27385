// How a text file stores its text: the encodings the readers detect and the text stream reads
// and writes.
#pragma once

#include <cstdint>

enum TZelTextEncoding : std::uint8_t {
    teUtf16 = 0,    // UTF-16LE without byte-order mark
    teAnsi = 1,     // the system's ANSI code page
    teUtf16Bom = 2, // UTF-16LE, FF FE at the start of a new file
    teUtf8Bom = 3,  // UTF-8, EF BB BF at the start of a new file: the launcher's own files
    teBinary = 4,   // raw bytes, no text operations
};
