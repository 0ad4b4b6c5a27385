// A file path shortened to a width: its root and file name stay, folder names go from the left
// and are replaced by one "...\".
#pragma once

#include <functional>
#include <string>

// The width of a text as it would be shown, in pixels.
using TZelTextWidth = std::function<int(const std::wstring& text)>;

// The path whole when it is narrower than maxWidth; otherwise root, "...\", the deepest folders
// that fit and the file name. When even root, "...\" and file name are too wide, that shortest
// form. The path is shortened as text: nothing is looked up on disk or on the network, and a
// path of many folders is measured only a few times.
std::wstring ShortenPathFromLeft(const std::wstring& path, const TZelTextWidth& widthOf,
                                 int maxWidth);
