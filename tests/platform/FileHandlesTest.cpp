// The retrying opens, sizes and raw reads and writes of the file handle layer.
#include "platform/FileHandles.h"

#include "ExclusiveHold.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using testing_support::ScratchFolder;
using testing_support::WriteBytes;

using OpenFunction = std::function<bool(const std::wstring&, TZelHandle&, uint32_t&, int32_t)>;

struct OpenCase {
    const char* name;
    OpenFunction open;
};

// The two opens as the text file stream calls them: shared reading of an existing file, and
// writing without sharing.
const OpenCase kOpens[] = {
    {"read",
     [](const std::wstring& name, TZelHandle& handle, uint32_t& error, int32_t timeout) {
         return OpenFileForRead(name, handle, error, true, OPEN_EXISTING, FILE_ATTRIBUTE_ARCHIVE,
                                timeout);
     }},
    {"write",
     [](const std::wstring& name, TZelHandle& handle, uint32_t& error, int32_t timeout) {
         return OpenFileForWrite(name, handle, error, false, OPEN_ALWAYS, FILE_ATTRIBUTE_ARCHIVE,
                                 timeout);
     }},
};

TEST(OpenFile, WaitsForAFileThatIsReleasedWithinTheTimeOut) {
    ScratchFolder folder;
    for (const OpenCase& open : kOpens) {
        const std::wstring path = folder / L"held.txt";
        ExclusiveHold hold(path);
        ASSERT_TRUE(hold.Held());
        hold.ReleaseAfter(200);
        TZelHandle handle;
        uint32_t error = 12345;
        EXPECT_TRUE(open.open(path, handle, error, 5)) << open.name;
        EXPECT_TRUE(handle.Valid()) << open.name;
        EXPECT_EQ(error, 0u) << open.name;
    }
}

TEST(OpenFile, GivesUpAfterTheTimeOutWithTheSharingError) {
    ScratchFolder folder;
    const std::wstring path = folder / L"held.txt";
    ExclusiveHold hold(path);
    ASSERT_TRUE(hold.Held());
    for (const OpenCase& open : kOpens) {
        for (const int32_t timeout : {0, 1}) {
            TZelHandle handle;
            uint32_t error = 0;
            const ULONGLONG start = GetTickCount64();
            EXPECT_FALSE(open.open(path, handle, error, timeout)) << open.name;
            if (timeout > 0) {
                EXPECT_GE(GetTickCount64() - start, ULONGLONG(timeout) * 1000) << open.name;
            }
            EXPECT_FALSE(handle.Valid()) << open.name;
            EXPECT_EQ(error, ERROR_SHARING_VIOLATION) << open.name << " " << timeout;
        }
    }
}

TEST(OpenFile, RefusesAtOnceWithError80) {
    ScratchFolder folder;
    struct Case {
        std::wstring name;
        bool forWrite;
    };
    const Case cases[] = {
        {L"", false},
        {L"", true},
        {folder / L"missing.txt", false},
        {folder.Path(), false},        // a folder is not a file
        {L"relative.txt", true},       // no volume to ask
        {L"Q:\\nowhere\\x.txt", true}, // no such drive
    };
    for (const Case& c : cases) {
        TZelHandle handle;
        uint32_t error = 0;
        EXPECT_FALSE(kOpens[c.forWrite ? 1 : 0].open(c.name, handle, error, 5))
            << testing_support::Utf8(c.name);
        EXPECT_EQ(error, kOpenRefusedError) << testing_support::Utf8(c.name);
        EXPECT_FALSE(handle.Valid());
    }
}

TEST(OpenFileForWrite, ClearsReadOnlyAndHiddenAndCountsAnExistingFileAsSuccess) {
    ScratchFolder folder;
    const std::wstring path = folder / L"locked.txt";
    WriteBytes(path, "old");
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    for (const DWORD disposition : {DWORD(OPEN_ALWAYS), DWORD(CREATE_ALWAYS)}) {
        TZelHandle handle;
        uint32_t error = 12345;
        // Both dispositions report ERROR_ALREADY_EXISTS for an existing file.
        EXPECT_TRUE(
            OpenFileForWrite(path, handle, error, false, disposition, FILE_ATTRIBUTE_ARCHIVE, 0));
        EXPECT_EQ(error, 0u);
        EXPECT_EQ(GetFileAttributesW(path.c_str()), DWORD(FILE_ATTRIBUTE_ARCHIVE));
    }
}

TEST(FileBytes, WriteThenReadBackThroughALongPath) {
    ScratchFolder folder;
    std::wstring deep = folder.Path();
    while (deep.size() < 260) {
        deep += std::wstring(50, L'f') + L"\\";
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    }
    const std::wstring path = deep + L"data.bin";
    const std::string bytes("\x01\x00\xFFpayload", 10);
    {
        TZelHandle handle;
        uint32_t error = 0;
        ASSERT_TRUE(
            OpenFileForWrite(path, handle, error, false, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, 0));
        error = 777; // a successful transfer leaves the error alone
        EXPECT_EQ(WriteFileBytes(handle, error, bytes.data(), 10, nullptr), 10);
        EXPECT_EQ(error, 777u);
        // Reading through a handle opened for writing fails.
        char back[4];
        EXPECT_EQ(ReadFileBytes(handle, error, back, 4, nullptr), 0);
        EXPECT_EQ(error, kReadBytesError);
    }
    TZelHandle handle;
    uint32_t error = 0;
    ASSERT_TRUE(OpenFileForRead(path, handle, error, true, OPEN_EXISTING, 0, 0));
    int64_t size = 0;
    EXPECT_TRUE(GetFileSize64(handle, error, size));
    EXPECT_EQ(size, 10);
    std::string back(16, '\0');
    EXPECT_EQ(ReadFileBytes(handle, error, back.data(), 16, nullptr), 10);
    EXPECT_EQ(back.substr(0, 10), bytes);
    EXPECT_EQ(WriteFileBytes(handle, error, "x", 1, nullptr), 0);
    EXPECT_EQ(error, kWriteBytesError);
}

TEST(GetFileSize64, CombinesBothDoubleWords) {
    ScratchFolder folder;
    const std::wstring path = folder / L"sized.bin";
    for (const int64_t size :
         {int64_t{0}, int64_t{3}, (int64_t{1} << 32) - 1, (int64_t{1} << 32) + 5}) {
        {
            // The file is made sparse-sized by moving its end, without writing any data.
            HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE);
            LARGE_INTEGER end;
            end.QuadPart = size;
            EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
            CloseHandle(file);
        }
        TZelHandle handle;
        uint32_t error = 0;
        ASSERT_TRUE(OpenFileForRead(path, handle, error, true, OPEN_EXISTING, 0, 0));
        int64_t reported = -1;
        EXPECT_TRUE(GetFileSize64(handle, error, reported));
        EXPECT_EQ(reported, size);
        EXPECT_EQ(error, 0u);
    }
    TZelHandle closed;
    uint32_t error = 0;
    int64_t reported = -1;
    EXPECT_FALSE(GetFileSize64(closed, error, reported));
    EXPECT_EQ(reported, 0);
    EXPECT_NE(error, 0u);
}

} // namespace
