// A growable run of raw bytes, used to assemble file and registry data.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The bytes live in one heap block laid out as a 32-bit length, the bytes, and zero bytes that
// the length does not count: two of them, and a third after an odd number of bytes, so that the
// content can always be read as zero-terminated 8-bit or UTF-16 text. The block is absent while
// the string is empty. Indexes are 0-based. Nothing here raises; an append that cannot get
// memory leaves the string as it was.
class TZelByteString {
public:
    TZelByteString() = default;
    TZelByteString(const TZelByteString&) = delete;
    TZelByteString& operator=(const TZelByteString&) = delete;

    void Clear();

    // Copies count bytes after the current ones; nothing for missing data or a count below 1.
    void Append(const void* data, int32_t count);
    // The UTF-16LE bytes of the text up to its first zero unit, without a terminator.
    void AppendText(std::wstring_view text);

    int32_t Length() const { return length_; }

    // Address of byte index; null outside 0 to Length() - 1.
    std::uint8_t* PointerAt(int32_t index);
    // Overwrites byte index; ignored outside 0 to Length() - 1. The length never changes.
    void SetByte(int32_t index, std::uint8_t value);

    // The bytes read as UTF-16LE text up to the first zero unit.
    std::wstring AsUtf16Text() const;
    // The bytes up to the first zero byte, converted from the code page (0: the system's ANSI
    // code page).
    std::wstring AsAnsiText(int32_t codePage) const;
    // The bytes up to the first zero byte, decoded as UTF-8.
    std::wstring AsUtf8Text() const;

private:
    static constexpr int32_t kHeaderSize = 4;

    const char* Bytes() const;

    std::unique_ptr<std::uint8_t[]> block_;
    int32_t length_ = 0;
};
