// The path functions on texts alone: prefixes, delimiters, roots and relative paths. The folders
// named here do not exist, so their components stay as written.
#include "platform/Paths.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    std::wstring input;
    std::wstring expected;
};

// A local path of the given length under a folder that does not exist.
std::wstring LocalPathOfLength(size_t length) {
    std::wstring path = L"C:\\pgnone\\";
    path.append(length - path.size(), L'x');
    return path;
}

TEST(StripLongPathPrefix, RemovesPrefixesAndBlanks) {
    const TextCase cases[] = {
        {L"  \\\\?\\C:\\a\\b \t", L"C:\\a\\b"},
        {L"\\\\?\\UNC\\srv\\share\\x", L"\\\\srv\\share\\x"},
        {L"\\\\?\\unc\\srv\\share\\x", L"\\\\srv\\share\\x"},
        {L"\x01\\\\?\\uNc\\srv\r\n", L"\\\\srv"},
        {L"\\\\srv\\share", L"\\\\srv\\share"},
        {L"\\\\.\\C:\\a", L"\\\\.\\C:\\a"},
        {L"//?/C:/a", L"//?/C:/a"},
        {L"  ", L""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(StripLongPathPrefix(c.input), c.expected) << c.input;
}

TEST(AddLongPathPrefix, PrefixesOnlyPathsLongerThan250Characters) {
    const std::wstring local250 = LocalPathOfLength(250);
    const std::wstring local251 = LocalPathOfLength(251);
    const std::wstring network251 = L"\\\\srv\\share\\" + std::wstring(239, L'n');
    const std::wstring relative251 = L"..\\x\\" + std::wstring(246, L'r');
    const std::wstring prefixed = L"\\\\?\\" + local251;
    const TextCase cases[] = {
        {local250, local250},
        {L" " + local250 + L"\t", local250},
        {local251, L"\\\\?\\" + local251},
        {L"\t" + local251 + L" ", L"\\\\?\\" + local251},
        {network251, L"\\\\?\\UNC\\" + network251.substr(2)},
        {relative251, L"\\\\?\\" + relative251},
        {prefixed, prefixed},
        {L"\\\\?\\C:\\a", L"\\\\?\\C:\\a"},
        {L"", L""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(AddLongPathPrefix(c.input), c.expected) << c.input.size();
}

TEST(AddPathDelimiter, EndsWithExactlyOneBackslash) {
    const TextCase cases[] = {
        {L"", L""},
        {L" \t", L""}, // not the root of the current drive
        {L".\\pgnone", L".\\pgnone\\"},
        {L"..\\pgnone\\", L"..\\pgnone\\"},
        {L"C:", L"C:\\"},
        {L"C:\\", L"C:\\"},
        {L" C:\\pgnone\\a ", L"C:\\pgnone\\a\\"},
        {L"\\\\?\\C:\\pgnone", L"C:\\pgnone\\"},
        {L"\\\\srv\\share", L"\\\\srv\\share\\"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(AddPathDelimiter(c.input), c.expected) << c.input;
}

TEST(RemovePathDelimiter, DropsOneTrailingBackslashButKeepsDriveRoots) {
    const TextCase cases[] = {
        {L"", L""},
        {L"\\", L"\\"},
        {L"C:\\", L"C:\\"},
        {L"C:", L"C:\\"},
        {L"C:\\pgnone\\", L"C:\\pgnone"},
        {L"C:\\pgnone\\a\\\\", L"C:\\pgnone\\a\\"},
        {L"C:\\pgnone", L"C:\\pgnone"},
        {L".\\pgnone\\", L".\\pgnone"},
        {L"\\\\?\\UNC\\srv\\share\\", L"\\\\srv\\share"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(RemovePathDelimiter(c.input), c.expected) << c.input;
}

TEST(ExtractPathRoot, GivesDriveOrServerAndShare) {
    const TextCase cases[] = {
        {L"C:\\pgnone\\a\\b.txt", L"C:\\"},
        {L"C:", L"C:\\"},
        {L"\\\\?\\C:\\pgnone\\a", L"C:\\"},
        {L"  C:\\pgnone", L"C:\\"},
        {L".\\C:\\pgnone", L".\\"},
        {L"\\\\srv\\share\\a\\b", L"\\\\srv\\share\\"},
        {L"\\\\srv\\share", L"\\\\srv\\share\\"},
        {L"\\\\srv", L"\\\\srv\\"},
        {L"\\\\?\\UNC\\srv\\share\\a", L"\\\\srv\\share\\"},
        {L"pgnone\\a\\b", L"pgnone\\"},
        {L"\\pgnone\\a", L"\\"},
        {L"", L""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(ExtractPathRoot(c.input), c.expected) << c.input;
}

TEST(ResolveRelativePath, FoldsLeadingDotsIntoTheBaseFolder) {
    struct Case {
        std::wstring path;
        std::wstring base;
        std::wstring expected;
    };
    const std::wstring base = L"C:\\pgnone\\b\\c";
    const Case cases[] = {
        {L"..\\..\\x\\y.exe", base, L"C:\\pgnone\\x\\y.exe"},
        {L"..\\..\\..\\..\\..\\x", base, L"C:\\x"},
        {L".\\x", base + L"\\", L"C:\\pgnone\\b\\c\\x"},
        {L".\\.\\x", base, L"C:\\pgnone\\b\\c\\.\\x"},
        {L"x\\..\\y", base, L"C:\\pgnone\\b\\c\\x\\..\\y"},
        {L"x", L"\\\\?\\" + base, L"C:\\pgnone\\b\\c\\x"},
        {L"D:\\x\\..\\y", base, L"D:\\x\\..\\y"},
        {L"D:x", base, L"D:x"},
        {L"\\\\srv\\share\\x", base, L"\\\\srv\\share\\x"},
        {L"\\\\?\\C:\\x", base, L"\\\\?\\C:\\x"},
        // The share is the top of a network path, as the drive root is of a local one.
        {L"..\\..\\..\\x", L"\\\\srv\\share\\a", L"\\\\srv\\share\\x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveRelativePath(c.path, c.base), c.expected) << c.path << L" in " << c.base;
}

} // namespace
