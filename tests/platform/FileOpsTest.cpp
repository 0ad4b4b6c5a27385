// Folders created and removed, files deleted and copied with their date.
#include "platform/FileOps.h"

#include "ExclusiveHold.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;
using testing_support::EveryoneWriteGrant;
using testing_support::Exists;
using testing_support::ReadBytes;
using testing_support::ScratchFolder;
using testing_support::Utf8;
using testing_support::WriteBytes;

std::wstring Prefixed(const std::wstring& path) {
    return L"\\\\?\\" + path;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(Prefixed(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TEST(CreateFolder, NeedsTheParentAndAcceptsAnExistingFolder) {
    ScratchFolder folder;
    EXPECT_TRUE(CreateFolder(folder / L"new", false));
    EXPECT_TRUE(IsFolder(folder / L"new"));
    EXPECT_EQ(EveryoneWriteGrant(folder / L"new"), std::nullopt);
    EXPECT_TRUE(CreateFolder(folder / L"new", true));
    EXPECT_EQ(EveryoneWriteGrant(folder / L"new"), testing_support::kFolderGrantFlags);
    EXPECT_FALSE(CreateFolder(folder / L"missing\\child", false));
    EXPECT_FALSE(IsFolder(folder / L"missing"));
    WriteBytes(folder / L"file", "");
    EXPECT_FALSE(CreateFolder(folder / L"file", false));
}

TEST(ForceFolders, CreatesEveryLevelOfADeepLongPath) {
    ScratchFolder folder;
    std::wstring deep = folder.Path();
    for (int level = 0; level < 40; ++level)
        deep += L"level_" + std::to_wstring(level) + L"_of_a_deep_path\\";
    ASSERT_GT(deep.size(), 250u);
    EXPECT_TRUE(ForceFolders(deep, true));
    EXPECT_TRUE(IsFolder(deep));
    // Only the last folder is given to Everyone.
    EXPECT_EQ(EveryoneWriteGrant(Prefixed(deep)), testing_support::kFolderGrantFlags);
    EXPECT_EQ(EveryoneWriteGrant(folder / L"level_0_of_a_deep_path"), std::nullopt);
    // Everything exists now: nothing to create, still true.
    EXPECT_TRUE(ForceFolders(deep.substr(0, deep.size() - 1), false));
}

TEST(ForceFolders, DoubledBackslashesCountAsOne) {
    ScratchFolder folder;
    EXPECT_TRUE(ForceFolders(folder.Path() + L"a\\\\b\\\\\\c\\\\", false));
    EXPECT_TRUE(IsFolder(folder / L"a\\b\\c"));
}

TEST(ForceFolders, FailsForARootAloneAndBelowAFile) {
    ScratchFolder folder;
    EXPECT_FALSE(ForceFolders(L"C:\\", false));
    EXPECT_FALSE(ForceFolders(L"", false));
    WriteBytes(folder / L"file", "");
    EXPECT_FALSE(ForceFolders(folder / L"file\\sub", false));
}

TEST(RemoveFolder, RemovesOnlyAnEmptyFolder) {
    ScratchFolder folder;
    ASSERT_TRUE(CreateDirectoryW((folder / L"empty").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((folder / L"full").c_str(), nullptr));
    WriteBytes(folder / L"full\\file.txt", "x");
    EXPECT_TRUE(RemoveFolder(folder / L"empty\\"));
    EXPECT_FALSE(Exists(folder / L"empty"));
    EXPECT_FALSE(RemoveFolder(folder / L"full"));
    EXPECT_TRUE(Exists(folder / L"full\\file.txt"));
    EXPECT_FALSE(RemoveFolder(folder / L"missing"));
    EXPECT_FALSE(RemoveFolder(L""));
}

TEST(ForceDeleteFile, DeletesWhateverTheAttributesAndLeavesFolders) {
    ScratchFolder folder;
    for (const DWORD attributes :
         {DWORD(FILE_ATTRIBUTE_NORMAL), DWORD(FILE_ATTRIBUTE_READONLY),
          DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)}) {
        const std::wstring path = folder / L"victim.txt";
        WriteBytes(path, "x");
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
        EXPECT_TRUE(ForceDeleteFile(path)) << attributes;
        EXPECT_FALSE(Exists(path)) << attributes;
    }
    EXPECT_TRUE(ForceDeleteFile(folder / L"missing.txt"));
    ASSERT_TRUE(CreateDirectoryW((folder / L"sub").c_str(), nullptr));
    EXPECT_TRUE(ForceDeleteFile(folder / L"sub"));
    EXPECT_TRUE(IsFolder(folder / L"sub"));
}

FILETIME LastWriteTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(GetFileAttributesExW(Prefixed(path).c_str(), GetFileExInfoStandard, &data));
    return data.ftLastWriteTime;
}

uint64_t Ticks(const FILETIME& time) {
    return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

void SetLastWriteTime(const std::wstring& path, uint64_t ticks) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
}

TEST(CopyFileWithDate, OverwritesAReadOnlyCopyAndKeepsTheDateToTwoSeconds) {
    constexpr uint64_t kTicksPerSecond = 10000000;
    ScratchFolder folder;
    const std::wstring source = folder / L"source.txt";
    WriteBytes(source, "new content");
    std::wstring deep = folder.Path();
    while (deep.size() < 260) {
        deep += std::wstring(50, L'c') + L"\\";
        ASSERT_TRUE(CreateDirectoryW(Prefixed(deep).c_str(), nullptr));
    }
    // An odd second with a fraction, and an even one: both come out on the even second below.
    const uint64_t evenSecond = Ticks(LastWriteTime(source)) / (2 * kTicksPerSecond) * 2;
    for (const uint64_t ticks :
         {(evenSecond + 1) * kTicksPerSecond + 4567890, evenSecond * kTicksPerSecond + 1}) {
        SetLastWriteTime(source, ticks);
        for (const std::wstring& dest : {folder / L"copy.txt", deep + L"copy.txt"}) {
            WriteBytes(Prefixed(dest), "old");
            ASSERT_TRUE(SetFileAttributesW(Prefixed(dest).c_str(), FILE_ATTRIBUTE_READONLY));
            EXPECT_TRUE(CopyFileWithDate(source, dest, true)) << Utf8(dest);
            EXPECT_EQ(ReadBytes(Prefixed(dest)), "new content");
            EXPECT_EQ(Ticks(LastWriteTime(dest)), evenSecond * kTicksPerSecond) << Utf8(dest);
        }
    }
}

TEST(CopyFileWithDate, RefusesMissingNames) {
    ScratchFolder folder;
    const std::wstring source = folder / L"source.txt";
    WriteBytes(source, "x");
    EXPECT_FALSE(CopyFileWithDate(folder / L"missing.txt", folder / L"copy.txt", false));
    EXPECT_FALSE(CopyFileWithDate(L"", folder / L"copy.txt", false));
    EXPECT_FALSE(CopyFileWithDate(source, L"", false));
    EXPECT_FALSE(CopyFileWithDate(source, folder / L"missing\\copy.txt", false));
    EXPECT_FALSE(Exists(folder / L"copy.txt"));
}

} // namespace
