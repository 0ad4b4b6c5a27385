// The text file stream: reads a text file line by line or writes text to a file, in one of a few
// encodings, with byte-order-mark handling and an open that retries while the file is in use.
#pragma once

#include "platform/FileHandles.h"
#include "text/TextEncoding.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

enum TZelFileStreamMode : uint8_t {
    fsmRead = 0,   // opens an existing file for reading
    fsmCreate = 1, // creates the file or empties it
    fsmAppend = 2, // opens the file, creating it when missing, and writes at its end
};

// A stream opens at most once: after Close it stays closed. When a file is opened for reading,
// a mark at its start overrides the configured encoding (FF FE: teUtf16Bom, EF BB BF:
// teUtf8Bom) and is skipped. No operation raises; a failure leaves a non-zero ErrorCode, after
// which every read and write refuses.
class TZelFileStream {
public:
    // A negative time-out becomes 0 and an empty line break CR LF. A buffer size below 4, or below
    // twice the characters of the line break, becomes 1024; an odd size is rounded up to even so
    // that a read block always ends between two UTF-16 units.
    TZelFileStream(const std::wstring& fileName, TZelFileStreamMode mode, TZelTextEncoding encoding,
                   const std::wstring& lineBreak, int32_t timeoutSeconds, int32_t bufferSize);
    // Closes an open stream without the Everyone grant.
    ~TZelFileStream();
    TZelFileStream(const TZelFileStream&) = delete;
    TZelFileStream& operator=(const TZelFileStream&) = delete;

    // Opens the file in the stream's mode, retrying for TimeoutSeconds while it is in use. False
    // when the stream is (or was) open already, or when opening or positioning fails; a handle
    // that was obtained then stays with the stream (open, with a non-zero ErrorCode) until Close.
    bool Open() noexcept;
    // Closes an open stream for good; with grantEveryone set and a writing mode, Everyone is
    // given full access to the file. FileSize keeps its value.
    void Close(bool grantEveryone) noexcept;

    // Writes the text up to its first zero unit, in the stream's encoding and without a line
    // break; an empty file first receives the encoding's mark. The number of bytes written for
    // the text (the mark not counted); 0 on refusal or failure.
    int32_t WriteText(std::wstring_view text) noexcept;

    // Reads the next line, which ends at the stream's line break (with CR LF, a lone CR or LF
    // stays in the line) or at the end of the file; zero units in the file are dropped. The
    // number of characters of the line; 0 with an empty line both for an empty line and when
    // nothing could be read. Eof tells the two apart.
    int32_t ReadLine(std::wstring& line) noexcept;

    // True when nothing more can be read: set on opening an empty file, after each ReadLine that
    // used up the file or met an error, and by Close.
    bool Eof() const { return eof_; }
    bool Opened() const { return opened_; }
    bool Closed() const { return closed_; }
    // 0, or the error number of the file operations (platform/FileHandles.h).
    uint32_t ErrorCode() const { return errorCode_; }
    // Reading: the size of the file. Writing: the size at opening plus every byte written since.
    int64_t FileSize() const { return fileSize_; }
    // The configured encoding, or the one a mark selected when the file was opened for reading.
    TZelTextEncoding Encoding() const { return encoding_; }
    const std::wstring& FileName() const { return fileName_; }

private:
    bool OpenHandle();
    bool PositionFile();
    void ReadFirstBlock();
    void DetectByteOrderMark();
    std::string EncodeText(std::wstring_view text) const;
    std::wstring DecodeLine(const std::string& bytes) const;
    bool CanReadLines() const;
    void UpdateEof();
    void RefillBuffer();
    int32_t ChunkEnd() const;
    int32_t UnitSize() const;
    size_t FindLineBreak(const std::string& bytes, size_t from) const;
    std::string CollectLineBytes();
    // The next line's text and its length; no memory for it is an error of the stream.
    int32_t ReadNextLine(std::wstring& line) noexcept;

    int32_t ReadBlock(void* buffer, int32_t count);
    int32_t WriteBlock(const void* buffer, int32_t count);

    TZelHandle handle_;
    std::wstring fileName_;
    int32_t timeoutSeconds_;
    int64_t fileSize_ = 0;
    bool opened_ = false;
    bool closed_ = false;
    bool eof_ = false;
    uint32_t errorCode_ = 0;
    TZelFileStreamMode mode_;
    TZelTextEncoding encoding_;
    std::wstring lineBreak_;
    std::string lineBreakBytes_;
    int32_t bufferSize_;
    int64_t readPos_ = 0;
    // bufferSize_ bytes and four zero bytes, present while a file is open for reading.
    std::unique_ptr<uint8_t[]> readBuffer_;
    int32_t bufFill_ = 0;
    int32_t bufPos_ = 0;
};
