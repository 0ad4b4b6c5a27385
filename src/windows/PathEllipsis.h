// A file path shortened to a width: its root and file name stay, folder names go from the left
// and are replaced by one "...\".
#pragma once

#include <functional>
#include <string>

// The width of a text as it would be shown, in pixels.
using TZelTextWidth = std::function<int(const std::wstring& text)>;

// The path whole when it is narrower than maxWidth; otherwise root, "...\", the deepest folders
// that fit and the file name. When even root, "...\" and file name are too wide, that shortest
// form. Folder names are written in their long form where they exist.
std::wstring ShortenPathFromLeft(const std::wstring& path, const TZelTextWidth& widthOf,
                                 int maxWidth);
