#include "text/TextFiles.h"

#include "platform/Paths.h"
#include "platform/ZelACLUtl.h"
#include "text/ZelIOUtl.h"

namespace {

// How the whole-text-file operations use the stream.
constexpr wchar_t kTextFileLineBreak[] = L"\r\n";
constexpr int32_t kTextFileTimeoutSeconds = 5;
constexpr int32_t kTextFileBufferSize = 1024;

} // namespace

bool WriteTextFile(const std::wstring& fileName, const std::wstring& text,
                   TZelTextEncoding encoding, bool grantEveryone, bool append) noexcept try {
    if (fileName.empty())
        return false;
    TZelFileStream stream(fileName, append ? fsmAppend : fsmCreate, encoding, kTextFileLineBreak,
                          kTextFileTimeoutSeconds, kTextFileBufferSize);
    if (!stream.Open())
        return false;
    const bool written = stream.WriteText(text) > 0;
    stream.Close(false);
    if (written && grantEveryone)
        GrantEveryoneFileAccess(fileName, false);
    return written;
} catch (...) {
    return false;
}

bool ReadTextFile(const std::wstring& fileName, std::wstring& text,
                  TZelTextEncoding encoding) noexcept try {
    text.clear();
    // A binary stream has no lines to read.
    if (fileName.empty() || encoding == teBinary || !FileExistsChecked(fileName))
        return false;
    TZelFileStream stream(fileName, fsmRead, encoding, kTextFileLineBreak, kTextFileTimeoutSeconds,
                          kTextFileBufferSize);
    if (!stream.Open())
        return false;
    bool lineRead = false;
    std::wstring line;
    while (!stream.Eof()) {
        stream.ReadLine(line);
        if (stream.ErrorCode() != 0)
            break;
        if (lineRead)
            text += kTextFileLineBreak;
        text += line;
        lineRead = true;
    }
    // A file that could not be read to its end is not reported as read.
    if (stream.ErrorCode() != 0) {
        text.clear();
        return false;
    }
    return lineRead;
} catch (...) {
    text.clear();
    return false;
}
