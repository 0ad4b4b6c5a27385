#include "text/ZelIOUtl.h"

#include "platform/ZelACLUtl.h"
#include "strings/CodePages.h"
#include "strings/ByteString.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr int32_t kDefaultBufferSize = 1024;
constexpr int32_t kSmallestBufferSize = 4;
// Zero bytes after the read block, so that a block can be scanned as zero-terminated text.
constexpr int32_t kBufferPadding = 4;

constexpr char kUtf16Mark[] = "\xFF\xFE";
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

int32_t UsableBufferSize(int32_t size, size_t lineBreakLength) {
    if (size < kSmallestBufferSize || static_cast<size_t>(size) < 2 * lineBreakLength)
        return kDefaultBufferSize;
    return size - size % 2;
}

bool IsUtf16(TZelTextEncoding encoding) {
    return encoding == teUtf16 || encoding == teUtf16Bom;
}

// The UTF-16LE bytes of the text up to its first zero unit.
std::string Utf16LeBytes(std::wstring_view text) {
    TZelByteString bytes;
    bytes.AppendText(text);
    if (bytes.Length() == 0)
        return {};
    return std::string(reinterpret_cast<const char*>(bytes.PointerAt(0)),
                       static_cast<size_t>(bytes.Length()));
}

// The mark an empty file receives before its first text, empty for encodings without one.
std::string_view ByteOrderMark(TZelTextEncoding encoding) {
    switch (encoding) {
    case teUtf16Bom:
        return kUtf16Mark;
    case teUtf8Bom:
        return kUtf8Mark;
    default:
        return {};
    }
}

// The error to keep when a platform call failed, never 0.
uint32_t FailureCode() {
    const uint32_t error = GetLastErrorCode();
    return error != 0 ? error : ERROR_GEN_FAILURE;
}

} // namespace

TZelFileStream::TZelFileStream(const std::wstring& fileName, TZelFileStreamMode mode,
                               TZelTextEncoding encoding, const std::wstring& lineBreak,
                               int32_t timeoutSeconds, int32_t bufferSize)
    : fileName_(fileName), timeoutSeconds_(std::max(timeoutSeconds, 0)), mode_(mode),
      encoding_(encoding), lineBreak_(lineBreak.empty() ? L"\r\n" : lineBreak),
      bufferSize_(UsableBufferSize(bufferSize, lineBreak_.size())) {}

TZelFileStream::~TZelFileStream() {
    Close(false);
}

bool TZelFileStream::Open() noexcept try {
    if (opened_ || closed_)
        return false;
    handle_.Reset();
    fileSize_ = 0;
    eof_ = false;
    errorCode_ = 0;
    readPos_ = 0;
    bufFill_ = 0;
    bufPos_ = 0;
    readBuffer_.reset();

    if (!OpenHandle())
        return false;
    eof_ = fileSize_ <= 0;
    if (!PositionFile())
        return false;
    if (mode_ != fsmRead || encoding_ == teBinary)
        return true;

    ReadFirstBlock();
    if (errorCode_ != 0)
        return false;
    DetectByteOrderMark();
    lineBreakBytes_ = EncodeText(lineBreak_);
    return true;
} catch (...) {
    if (errorCode_ == 0)
        errorCode_ = ERROR_NOT_ENOUGH_MEMORY;
    return false;
}

// Opens the handle for the mode and learns the size the stream starts from. The stream counts as
// opened as soon as it holds a handle, so that Close releases it also after a later failure.
bool TZelFileStream::OpenHandle() {
    bool succeeded = false;
    switch (mode_) {
    case fsmRead:
        succeeded = OpenFileForRead(fileName_, handle_, errorCode_, true, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_ARCHIVE, timeoutSeconds_) &&
                    GetFileSize64(handle_, errorCode_, fileSize_);
        break;
    case fsmCreate:
        succeeded = OpenFileForWrite(fileName_, handle_, errorCode_, false, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_ARCHIVE, timeoutSeconds_);
        break;
    case fsmAppend:
        succeeded = OpenFileForWrite(fileName_, handle_, errorCode_, false, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_ARCHIVE, timeoutSeconds_) &&
                    GetFileSize64(handle_, errorCode_, fileSize_);
        break;
    default:
        errorCode_ = ERROR_INVALID_PARAMETER;
        break;
    }
    opened_ = handle_.Valid();
    return succeeded && errorCode_ == 0;
}

// Appending starts at the end of a non-empty file; everything else at the start.
bool TZelFileStream::PositionFile() {
    const bool atEnd = mode_ == fsmAppend && fileSize_ > 0;
    const LARGE_INTEGER distance{};
    if (SetFilePointerEx(handle_.Get(), distance, nullptr, atEnd ? FILE_END : FILE_BEGIN))
        return true;
    errorCode_ = FailureCode();
    return false;
}

void TZelFileStream::ReadFirstBlock() {
    const size_t size = static_cast<size_t>(bufferSize_) + kBufferPadding;
    readBuffer_.reset(new (std::nothrow) uint8_t[size]);
    if (!readBuffer_) {
        errorCode_ = ERROR_NOT_ENOUGH_MEMORY;
        return;
    }
    std::memset(readBuffer_.get(), 0, size);
    RefillBuffer();
}

// A mark at the start of the file overrides the configured encoding and is skipped.
void TZelFileStream::DetectByteOrderMark() {
    const auto startsWith = [this](std::string_view mark) {
        return bufFill_ >= static_cast<int32_t>(mark.size()) &&
               std::memcmp(readBuffer_.get(), mark.data(), mark.size()) == 0;
    };
    if (startsWith(kUtf16Mark)) {
        encoding_ = teUtf16Bom;
        bufPos_ = 2;
    } else if (startsWith(kUtf8Mark)) {
        encoding_ = teUtf8Bom;
        bufPos_ = 3;
    }
}

void TZelFileStream::Close(bool grantEveryone) noexcept {
    if (!opened_ || closed_)
        return;
    CloseFileHandle(handle_);
    if (grantEveryone && mode_ != fsmRead)
        GrantEveryoneFile(fileName_);
    opened_ = false;
    closed_ = true;
    eof_ = true;
    readBuffer_.reset();
    readPos_ = 0;
    bufFill_ = 0;
    bufPos_ = 0;
}

// The encoded form ends before the text's first zero unit.
std::string TZelFileStream::EncodeText(std::wstring_view text) const {
    switch (encoding_) {
    case teUtf16:
    case teUtf16Bom:
        return Utf16LeBytes(text);
    case teAnsi:
        return TextToBytes(text, 0);
    case teUtf8Bom:
        return TextToBytes(text, kCodePageUtf8);
    default:
        return {};
    }
}

std::wstring TZelFileStream::DecodeLine(const std::string& bytes) const {
    switch (encoding_) {
    case teUtf16:
    case teUtf16Bom:
        return Utf16LeToText(bytes.data(), bytes.size());
    case teAnsi:
        return BytesToText(bytes.c_str(), 0);
    case teUtf8Bom:
        return BytesToText(bytes.c_str(), kCodePageUtf8);
    default:
        return {};
    }
}

int32_t TZelFileStream::WriteText(std::wstring_view text) noexcept try {
    if (!opened_ || closed_ || errorCode_ != 0 || encoding_ == teBinary || text.empty())
        return 0;
    const std::string bytes = EncodeText(text);
    if (bytes.empty() || bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return 0;
    // Only an empty file starts with the mark, so appending to a file never repeats it.
    const std::string_view mark = ByteOrderMark(encoding_);
    if (fileSize_ <= 0 && !mark.empty() &&
        WriteBlock(mark.data(), static_cast<int32_t>(mark.size())) !=
            static_cast<int32_t>(mark.size()))
        return 0;
    return WriteBlock(bytes.data(), static_cast<int32_t>(bytes.size()));
} catch (...) {
    return 0;
}

bool TZelFileStream::CanReadLines() const {
    return opened_ && !closed_ && mode_ == fsmRead && encoding_ != teBinary && readBuffer_;
}

void TZelFileStream::UpdateEof() {
    eof_ = !CanReadLines() || errorCode_ != 0 || (readPos_ >= fileSize_ && bufPos_ >= bufFill_);
}

int32_t TZelFileStream::UnitSize() const {
    return IsUtf16(encoding_) ? 2 : 1;
}

void TZelFileStream::RefillBuffer() {
    bufPos_ = 0;
    bufFill_ = ReadBlock(readBuffer_.get(), bufferSize_);
    std::memset(readBuffer_.get() + bufFill_, 0, kBufferPadding);
}

// End of the run of non-zero units that starts at bufPos_, at most the end of the block.
int32_t TZelFileStream::ChunkEnd() const {
    const int32_t unit = UnitSize();
    const uint8_t* bytes = readBuffer_.get();
    int32_t pos = bufPos_;
    while (pos < bufFill_ && (bytes[pos] != 0 || (unit == 2 && bytes[pos + 1] != 0)))
        pos += unit;
    return std::min(pos, bufFill_);
}

// Offset of the first line break at or after from that starts on a unit boundary, or npos.
size_t TZelFileStream::FindLineBreak(const std::string& bytes, size_t from) const {
    if (lineBreakBytes_.empty())
        return std::string::npos;
    const size_t unit = static_cast<size_t>(UnitSize());
    for (size_t pos = bytes.find(lineBreakBytes_, from - from % unit); pos != std::string::npos;
         pos = bytes.find(lineBreakBytes_, pos + 1))
        if (pos % unit == 0)
            return pos;
    return std::string::npos;
}

// Collects the bytes of the next line from the read buffer, refilling it as often as the line
// needs, and leaves bufPos_ just after the line's break, which may straddle two blocks.
std::string TZelFileStream::CollectLineBytes() {
    std::string collected;
    size_t searchFrom = 0;
    while (errorCode_ == 0) {
        if (bufPos_ >= bufFill_) {
            RefillBuffer();
            if (bufFill_ == 0)
                break;
        }
        const int32_t chunkEnd = ChunkEnd();
        const size_t chunkStart = collected.size();
        collected.append(reinterpret_cast<const char*>(readBuffer_.get() + bufPos_),
                         static_cast<size_t>(chunkEnd - bufPos_));
        const size_t lineBreak = FindLineBreak(collected, searchFrom);
        if (lineBreak != std::string::npos) {
            bufPos_ += static_cast<int32_t>(lineBreak + lineBreakBytes_.size() - chunkStart);
            collected.resize(lineBreak);
            break;
        }
        // A break that begins in this chunk may end in the next one; nothing before can match.
        const size_t overlap = lineBreakBytes_.empty() ? 0 : lineBreakBytes_.size() - 1;
        searchFrom = collected.size() - std::min(collected.size(), overlap);
        // A zero unit that stopped the chunk is dropped from the line.
        bufPos_ = chunkEnd < bufFill_ ? std::min(chunkEnd + UnitSize(), bufFill_) : chunkEnd;
        if (readPos_ >= fileSize_ && bufPos_ >= bufFill_)
            break;
    }
    return collected;
}

int32_t TZelFileStream::ReadLine(std::wstring& line) noexcept {
    const int32_t length = ReadNextLine(line);
    UpdateEof();
    return length;
}

int32_t TZelFileStream::ReadNextLine(std::wstring& line) noexcept try {
    line.clear();
    if (!CanReadLines() || eof_ || errorCode_ != 0)
        return 0;
    const std::string bytes = CollectLineBytes();
    if (bytes.empty())
        return 0;
    line = DecodeLine(bytes);
    return static_cast<int32_t>(line.size());
} catch (...) {
    line.clear();
    if (errorCode_ == 0)
        errorCode_ = ERROR_NOT_ENOUGH_MEMORY;
    return 0;
}

int32_t TZelFileStream::ReadBlock(void* buffer, int32_t count) {
    const int64_t unread = fileSize_ - readPos_;
    if (unread <= 0 || count <= 0)
        return 0;
    const int32_t wanted = static_cast<int32_t>(std::min<int64_t>(count, unread));
    const int32_t read = ReadFileBytes(handle_, errorCode_, buffer, wanted, nullptr);
    readPos_ += read;
    // The file ended before the size it had when it was opened: it is read to its new end.
    if (read == 0 && errorCode_ == 0)
        fileSize_ = readPos_;
    return read;
}

int32_t TZelFileStream::WriteBlock(const void* buffer, int32_t count) {
    const int32_t written = WriteFileBytes(handle_, errorCode_, buffer, count, nullptr);
    fileSize_ += written;
    return written;
}
