#include "windows/PathEllipsis.h"

#include "platform/Paths.h"

namespace {

constexpr wchar_t kEllipsisFolder[] = L"...\\";

// Rest without its first folder name and the backslash after it.
std::wstring WithoutFirstFolder(const std::wstring& rest) {
    const size_t backslash = rest.find(L'\\');
    return backslash == std::wstring::npos ? std::wstring() : rest.substr(backslash + 1);
}

} // namespace

std::wstring ShortenPathFromLeft(const std::wstring& path, const TZelTextWidth& widthOf,
                                 int maxWidth) {
    const size_t lastBackslash = path.rfind(L'\\');
    // A bare file name has no folders to leave out.
    if (lastBackslash == std::wstring::npos)
        return path;
    const std::wstring name = path.substr(lastBackslash + 1);
    const std::wstring folder = path.substr(0, lastBackslash);
    const std::wstring root = ExtractPathRoot(path);

    std::wstring rest = folder.size() > root.size() ? folder.substr(root.size()) : std::wstring();
    std::wstring middle;
    const auto shown = [&] { return AddPathDelimiter(root + middle + rest) + name; };
    while (!rest.empty()) {
        if (widthOf(shown()) < maxWidth)
            break;
        rest = WithoutFirstFolder(rest);
        middle = kEllipsisFolder;
    }
    return shown();
}
