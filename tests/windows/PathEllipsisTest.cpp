// Shortening a path from the left: root and file name stay, folders go from the left.
#include "windows/PathEllipsis.h"

#include <gtest/gtest.h>

namespace {

// Ten pixels per character, so that the widths can be counted by eye.
int TenPixelsEach(const std::wstring& text) {
    return static_cast<int>(text.size()) * 10;
}

TEST(PathEllipsis, DropsFoldersFromTheLeftUntilThePathFits) {
    struct Case {
        const wchar_t* path;
        int maxWidth;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"Q:\\alpha\\beta\\gamma\\f.txt", 260, L"Q:\\alpha\\beta\\gamma\\f.txt"},
        // Exactly as wide as the limit is too wide.
        {L"Q:\\alpha\\beta\\gamma\\f.txt", 250, L"Q:\\...\\beta\\gamma\\f.txt"},
        {L"Q:\\alpha\\beta\\gamma\\f.txt", 190, L"Q:\\...\\gamma\\f.txt"},
        // When nothing fits, the shortest form is shown anyway.
        {L"Q:\\alpha\\beta\\gamma\\f.txt", 50, L"Q:\\...\\f.txt"},
        {L"Q:\\f.txt", 10, L"Q:\\f.txt"},
        {L"\\\\server\\share\\alpha\\beta\\f.txt", 300, L"\\\\server\\share\\...\\beta\\f.txt"},
        {L"\\\\server\\share\\alpha\\beta\\f.txt", 50, L"\\\\server\\share\\...\\f.txt"},
        {L"f.txt", 10, L"f.txt"},
    };
    for (const Case& test : cases)
        EXPECT_EQ(ShortenPathFromLeft(test.path, TenPixelsEach, test.maxWidth), test.shown)
            << test.maxWidth;
}

} // namespace
