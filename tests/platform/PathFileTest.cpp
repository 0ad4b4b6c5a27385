// The path functions on real files: short 8.3 names, letter case, long paths, deep input, the
// existence queries and the program's and temporary folder's paths.
#include "platform/Paths.h"

#include "ExclusiveHold.h"
#include "TestSupport.h"
#include "strings/LocaleText.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using namespace testing_support;

std::wstring ShortPathOf(const std::wstring& path) {
    std::wstring buffer(32768, L'\0');
    buffer.resize(GetShortPathNameW(path.c_str(), buffer.data(), 32768));
    return buffer;
}

// A drive letter that names no drive.
std::wstring UnmappedDrive() {
    const DWORD drives = GetLogicalDrives();
    for (wchar_t letter = L'Y'; letter > L'D'; --letter)
        if ((drives & (1u << (letter - L'A'))) == 0)
            return std::wstring(1, letter) + L":\\";
    return {};
}

// A scratch folder with a folder and a file whose names are not 8.3 names, and a folder deeper
// than 250 characters made through the long-path prefix.
class PathsOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        longFolder = folder / L"Long Folder Name";
        longFile = longFolder + L"\\Some Long File.txt";
        ASSERT_TRUE(CreateDirectoryW(longFolder.c_str(), nullptr));
        WriteBytes(longFile, "text");
        shortFolder = ShortPathOf(longFolder);
        shortFile = ShortPathOf(longFile);
        ASSERT_NE(shortFolder, longFolder);
        ASSERT_EQ(shortFile.rfind(shortFolder + L"\\", 0), 0u) << shortFile;

        deepFolder = folder / L"Deep";
        ASSERT_TRUE(CreateDirectoryW(deepFolder.c_str(), nullptr));
        for (int level = 0; deepFolder.size() <= 300; ++level) {
            deepFolder += L"\\Folder at level " + std::to_wstring(level);
            ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deepFolder).c_str(), nullptr));
        }
        deepFile = deepFolder + L"\\Deep File Name.txt";
        WriteBytes(L"\\\\?\\" + deepFile, "deep");
    }

    ScratchFolder folder;
    std::wstring longFolder, longFile, shortFolder, shortFile, deepFolder, deepFile;
};

TEST_F(PathsOnDisk, LongFileNameWritesComponentsAsStored) {
    struct Case {
        std::wstring input;
        std::wstring expected;
    };
    const std::wstring upperFile = UpperCase(longFile);
    const Case cases[] = {
        {shortFile, longFile},
        {shortFolder + L"\\", longFolder + L"\\"},
        {L"  \\\\?\\" + shortFile + L" \t", longFile},
        {upperFile, longFile},
        {L"xyz" + shortFile, longFile},
        {shortFolder + L"\\Not There.txt", longFolder + L"\\Not There.txt"},
        {shortFolder + L"\\NOT THERE\\" + shortFile.substr(shortFolder.size() + 1),
         longFolder + L"\\NOT THERE\\" + shortFile.substr(shortFolder.size() + 1)},
        {L"c" + upperFile.substr(1), L"c" + longFile.substr(1)},
        // A directory search would answer these with the folder itself, its parent or the
        // first match of the pattern: they stay as written.
        {shortFolder + L"\\.", longFolder + L"\\."},
        {shortFolder + L"\\..\\" + L"LONG FOLDER NAME", longFolder + L"\\..\\Long Folder Name"},
        {shortFolder + L"\\*.txt", longFolder + L"\\*.txt"},
        {shortFolder + L"\\SOME LONG FILE.tx?", longFolder + L"\\SOME LONG FILE.tx?"},
        {shortFolder + L"/SOME LONG FILE.txt",
         folder.Path() + shortFolder.substr(shortFolder.rfind(L'\\') + 1) + L"/SOME LONG FILE.txt"},
        {L"C:", L"C:"},
        {L"C:\\", L"C:\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetLongFileName(c.input), c.expected) << c.input;
}

TEST_F(PathsOnDisk, PathsLongerThan250CharactersAreResolvedThroughThePrefix) {
    const std::wstring shortDeepFile = ShortPathOf(L"\\\\?\\" + deepFile);
    ASSERT_FALSE(shortDeepFile.empty());
    EXPECT_EQ(GetLongFileName(shortDeepFile), deepFile);
    EXPECT_EQ(GetLongFileName(UpperCase(deepFile)), deepFile);
    EXPECT_EQ(AddPathDelimiter(L"\\\\?\\" + UpperCase(deepFolder)), deepFolder + L"\\");
}

TEST_F(PathsOnDisk, DeepInputIsResolvedWithoutRunningOutOfStack) {
    std::wstring tail;
    for (int level = 0; level < 100000; ++level)
        tail += L"\\missing";
    EXPECT_EQ(ResolveLongNames(UpperCase(longFolder) + tail), longFolder + tail);
}

TEST_F(PathsOnDisk, ExistenceQueries) {
    struct Case {
        std::wstring path;
        bool file;
        bool folder;
        bool checkedAlike; // the checked queries answer as the raw ones
    };
    const std::wstring unmapped = UnmappedDrive();
    ASSERT_FALSE(unmapped.empty());
    const ScopedCurrentFolder current(longFolder);
    const ExclusiveHold held(longFile);
    ASSERT_TRUE(held.Held());
    const Case cases[] = {
        {longFile, true, false, true},
        {shortFile, true, false, true},
        {L" " + UpperCase(longFile) + L" ", true, false, true},
        {deepFile, true, false, true},
        {longFolder, false, true, true},
        {shortFolder + L"\\", false, true, true},
        {deepFolder + L"\\", false, true, true},
        {L"C:\\", false, true, true},
        {longFolder + L"\\Not There.txt", false, false, true},
        {L"", false, false, true},
        // Relative names exist for the raw queries only: they have no ready volume.
        {L"Some Long File.txt", true, false, false},
        {L".\\Some Long File.txt", true, false, false},
        {L"..\\Long Folder Name", false, true, false},
        {L"\\\\pgnohost\\share\\file.txt", false, false, true},
        {unmapped + L"file.txt", false, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RawFileExists(c.path), c.file) << c.path;
        EXPECT_EQ(RawFolderExists(c.path), c.folder) << c.path;
        EXPECT_EQ(FileExistsChecked(c.path), c.file && c.checkedAlike) << c.path;
        EXPECT_EQ(FolderExistsChecked(c.path), c.folder && c.checkedAlike) << c.path;
    }
}

TEST(IsVolumeReady, AnswersForDrivesThatRespond) {
    struct Case {
        std::wstring path;
        bool ready;
    };
    const std::wstring unmapped = UnmappedDrive();
    ASSERT_FALSE(unmapped.empty());
    const Case cases[] = {
        {L"C:\\", true},
        {L"c:", true},
        {L"C:\\pgnone\\x.txt", true},
        {L"\\\\?\\C:\\pgnone", true},
        {L"", false},
        {L"pgnone\\x.txt", false},
        {L"\\\\pgnohost\\share\\x.txt", false},
        {L"\\\\?\\UNC\\pgnohost\\share\\x.txt", false},
        {unmapped, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsVolumeReady(c.path), c.ready) << c.path;
}

TEST_F(PathsOnDisk, TempFolderIsTheLongFormWithDelimiter) {
    {
        const ScopedEnvironment tmp(L"TMP", shortFolder);
        EXPECT_EQ(GetTempFolder(), longFolder + L"\\");
    }
    const std::wstring temp = GetTempFolder();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), L'\\');
    EXPECT_TRUE(FolderExistsChecked(temp));
}

TEST(GetProgramFileName, IsTheRunningProgram) {
    EXPECT_EQ(GetProgramFileName(), ProgramFolder() + L"platform_tests.exe");
}

} // namespace
