#include "strings/ByteString.h"

#include "strings/CodePages.h"

#include <cstring>
#include <limits>
#include <new>

namespace {

// The zero bytes after content of the given length: a whole zero UTF-16 unit must follow even
// when the content ends in the middle of one.
int32_t TerminatorSize(int32_t length) {
    return length % 2 == 0 ? 2 : 3;
}

} // namespace

void TZelByteString::Clear() {
    block_.reset();
    length_ = 0;
}

void TZelByteString::Append(const void* data, int32_t count) {
    if (data == nullptr || count <= 0)
        return;
    if (count > std::numeric_limits<int32_t>::max() - kHeaderSize - 3 - length_)
        return;
    const int32_t newLength = length_ + count;
    const auto blockSize = static_cast<size_t>(kHeaderSize + newLength + TerminatorSize(newLength));
    std::unique_ptr<std::uint8_t[]> grown(new (std::nothrow) std::uint8_t[blockSize]);
    if (!grown)
        return;
    std::uint8_t* bytes = grown.get() + kHeaderSize;
    if (block_)
        std::memcpy(bytes, block_.get() + kHeaderSize, static_cast<size_t>(length_));
    std::memcpy(bytes + length_, data, static_cast<size_t>(count));
    std::memset(bytes + newLength, 0, static_cast<size_t>(TerminatorSize(newLength)));
    std::memcpy(grown.get(), &newLength, kHeaderSize);
    block_ = std::move(grown);
    length_ = newLength;
}

void TZelByteString::AppendText(std::wstring_view text) {
    text = text.substr(0, text.find(L'\0'));
    if (text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max() / 2))
        return;
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const wchar_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    Append(bytes.data(), static_cast<int32_t>(bytes.size()));
}

std::uint8_t* TZelByteString::PointerAt(int32_t index) {
    if (index < 0 || index >= length_)
        return nullptr;
    return block_.get() + kHeaderSize + index;
}

void TZelByteString::SetByte(int32_t index, std::uint8_t value) {
    if (std::uint8_t* byte = PointerAt(index))
        *byte = value;
}

const char* TZelByteString::Bytes() const {
    return block_ ? reinterpret_cast<const char*>(block_.get() + kHeaderSize) : nullptr;
}

std::wstring TZelByteString::AsUtf16Text() const {
    return Utf16LeToText(Bytes(), static_cast<size_t>(length_));
}

std::wstring TZelByteString::AsAnsiText(int32_t codePage) const {
    return BytesToText(Bytes(), codePage);
}

std::wstring TZelByteString::AsUtf8Text() const {
    return BytesToText(Bytes(), kCodePageUtf8);
}
