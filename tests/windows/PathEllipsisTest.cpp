// Shortening a path from the left: root and file name stay, folders go from the left.
#include "toolkit/PathEllipsis.h"

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
        // A server that does not exist is not asked; folders that exist in another letter case
        // are shown as written.
        {L"\\\\nosuchserver\\share\\alpha\\f.txt", 330, L"\\\\nosuchserver\\share\\alpha\\f.txt"},
        {L"C:\\WINDOWS\\SYSTEM32\\f.txt", 300, L"C:\\WINDOWS\\SYSTEM32\\f.txt"},
        {L"C:\\WINDOWS\\SYSTEM32\\f.txt", 220, L"C:\\...\\SYSTEM32\\f.txt"},
    };
    for (const Case& test : cases)
        EXPECT_EQ(ShortenPathFromLeft(test.path, TenPixelsEach, test.maxWidth), test.shown)
            << test.maxWidth;
}

TEST(PathEllipsis, APathOfManyFoldersIsMeasuredOnlyAFewTimes) {
    std::wstring path = L"C:";
    for (int level = 0; level < 20000; ++level)
        path += L"\\f";
    path += L"\\book.epub";
    int measured = 0;
    const auto countingWidth = [&measured](const std::wstring& text) {
        ++measured;
        return TenPixelsEach(text);
    };
    EXPECT_EQ(ShortenPathFromLeft(path, countingWidth, 220), L"C:\\...\\f\\f\\book.epub");
    EXPECT_LE(measured, 20);
}

} // namespace
