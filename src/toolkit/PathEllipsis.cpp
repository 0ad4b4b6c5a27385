#include "toolkit/PathEllipsis.h"

#include <vector>

namespace {

constexpr wchar_t kEllipsisFolder[] = L"...\\";
constexpr wchar_t kNetworkStart[] = L"\\\\";

// Position after the next "\" at or after from, or the end of the text.
size_t AfterComponent(const std::wstring& text, size_t from) {
    const size_t delimiter = text.find(L'\\', from);
    return delimiter == std::wstring::npos ? text.size() : delimiter + 1;
}

// The root of a folder given with trailing "\": "\\server\share\" of a network path, otherwise
// everything up to the first "\" ("C:\", or the first folder of a relative path).
std::wstring RootOf(const std::wstring& folder) {
    const size_t end = folder.starts_with(kNetworkStart)
                           ? AfterComponent(folder, AfterComponent(folder, 2))
                           : AfterComponent(folder, 0);
    return folder.substr(0, end);
}

std::wstring WithDelimiter(std::wstring text) {
    if (!text.empty() && text.back() != L'\\')
        text += L'\\';
    return text;
}

// Where the rest begins once the first k folder names are left out, for k from 0 to the number
// of folders (the last one: nothing left).
std::vector<size_t> FolderStarts(const std::wstring& rest) {
    std::vector<size_t> starts{0};
    for (size_t at = rest.find(L'\\'); at != std::wstring::npos; at = rest.find(L'\\', at + 1))
        starts.push_back(at + 1);
    starts.push_back(rest.size());
    return starts;
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
    const std::wstring root = RootOf(folder + L'\\');
    const std::wstring rest = folder.size() > root.size() ? folder.substr(root.size()) : L"";
    const std::vector<size_t> starts = FolderStarts(rest);
    const size_t folders = rest.empty() ? 0 : starts.size() - 1;

    // The path with its first `dropped` folder names left out.
    const auto shown = [&](size_t dropped) {
        if (dropped == 0)
            return WithDelimiter(root + rest) + name;
        return WithDelimiter(root + kEllipsisFolder + rest.substr(starts[dropped])) + name;
    };
    if (folders == 0 || widthOf(shown(0)) < maxWidth)
        return shown(0);
    // Each folder left out makes the text narrower, so the fewest that fit are found by halving;
    // with all of them left out the shortest form is shown anyway.
    size_t fewest = 1;
    size_t most = folders;
    while (fewest < most) {
        const size_t middle = fewest + (most - fewest) / 2;
        if (widthOf(shown(middle)) < maxWidth)
            most = middle;
        else
            fewest = middle + 1;
    }
    return shown(fewest);
}
