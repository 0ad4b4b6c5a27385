// The platform's code-page conversions, kept apart from the rest of the text code.
#include "strings/CodePages.h"

#include <climits>

#include <windows.h>

namespace {

UINT PlatformCodePage(int32_t codePage) {
    return codePage > 0 ? static_cast<UINT>(codePage) : CP_ACP;
}

} // namespace

std::wstring BytesToText(const char* bytes, int32_t codePage) {
    if (bytes == nullptr)
        return {};
    const size_t length = std::char_traits<char>::length(bytes);
    if (length == 0 || length > INT_MAX)
        return {};
    const UINT cp = PlatformCodePage(codePage);
    const int byteCount = static_cast<int>(length);
    const int unitCount = MultiByteToWideChar(cp, 0, bytes, byteCount, nullptr, 0);
    if (unitCount <= 0)
        return {};
    std::wstring text(static_cast<size_t>(unitCount), L'\0');
    if (MultiByteToWideChar(cp, 0, bytes, byteCount, text.data(), unitCount) != unitCount)
        return {};
    return text;
}

std::string TextToBytes(std::wstring_view text, int32_t codePage) {
    text = text.substr(0, text.find(L'\0'));
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const UINT cp = PlatformCodePage(codePage);
    const int unitCount = static_cast<int>(text.size());
    const int byteCount =
        WideCharToMultiByte(cp, 0, text.data(), unitCount, nullptr, 0, nullptr, nullptr);
    if (byteCount <= 0)
        return {};
    std::string bytes(static_cast<size_t>(byteCount), '\0');
    if (WideCharToMultiByte(cp, 0, text.data(), unitCount, bytes.data(), byteCount, nullptr,
                            nullptr) != byteCount)
        return {};
    return bytes;
}
