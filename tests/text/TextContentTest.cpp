#include "text/ZelConvUtl.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

using testing_support::ScratchFolder;
using testing_support::WriteBytes;

// Records what a load hands over, as the markup parser does when it parses.
class RecordingContent : public TZelCustomTextContent {
public:
    void SetText(const std::wstring& text) override {
        TZelCustomTextContent::SetText(text);
        received.push_back(text);
    }
    std::vector<std::wstring> received;
};

void Fill(TZelCustomTextContent& content) {
    const std::string bytes = "<?xml encoding=\"windows-1252\"?>old";
    ASSERT_TRUE(content.LoadFromBuffer(static_cast<int32_t>(bytes.size()), bytes.data()));
    ASSERT_EQ(content.CodePage, 1252);
}

void ExpectCleared(const TZelCustomTextContent& content) {
    EXPECT_EQ(content.CodePage, 0);
    EXPECT_EQ(content.Encoding, L"");
    EXPECT_EQ(content.Text, L"");
}

TEST(TZelCustomTextContent, LoadHandsTheDecodedTextToSetText) {
    RecordingContent content;
    const std::string bytes = "\xEF\xBB\xBF<a>\xC3\xA9</a>";
    EXPECT_TRUE(content.LoadFromBuffer(static_cast<int32_t>(bytes.size()), bytes.data()));
    EXPECT_EQ(content.received, std::vector<std::wstring>{L"<a>\x00E9</a>"});
    EXPECT_EQ(content.GetText(), L"<a>\x00E9</a>");
}

TEST(TZelCustomTextContent, EmptyBufferClearsAndFails) {
    TZelCustomTextContent content;
    Fill(content);
    EXPECT_FALSE(content.LoadFromBuffer(0, "x"));
    ExpectCleared(content);
    Fill(content);
    EXPECT_FALSE(content.LoadFromBuffer(5, nullptr));
    ExpectCleared(content);
}

TEST(TZelCustomTextContent, SetEncodingSetsTheCodePageOnlyWhileItIsUnknown) {
    TZelCustomTextContent content;
    content.SetEncoding(L"UTF8");
    EXPECT_EQ(content.CodePage, 65001);
    EXPECT_EQ(content.Encoding, L"UTF8");
    content.SetEncoding(L"windows-1251");
    EXPECT_EQ(content.CodePage, 65001);
    EXPECT_EQ(content.Encoding, L"windows-1251");

    TZelCustomTextContent unknown;
    unknown.SetEncoding(L"x-none");
    EXPECT_EQ(unknown.CodePage, 0);
    EXPECT_EQ(unknown.Encoding, L"x-none");
    unknown.SetEncoding(L"");
    EXPECT_EQ(unknown.CodePage, 0);
    EXPECT_EQ(unknown.Encoding, L"");
}

TEST(LoadFromFile, ReadsAndDecodesTheWholeFile) {
    ScratchFolder folder;
    const std::wstring path = folder / L"lang.dat";
    std::string bytes = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\x93\xFA";
    bytes += std::string(70000, 'x'); // more than one read
    WriteBytes(path, bytes);
    TZelCustomTextContent content;
    ASSERT_TRUE(content.LoadFromFile(path));
    EXPECT_EQ(content.CodePage, 932);
    EXPECT_EQ(content.Encoding, L"Shift_JIS");
    EXPECT_EQ(content.Text.size(), 42u + 1u + 70000u);
    EXPECT_EQ(content.Text.substr(42, 2), L"\x65E5x");
}

TEST(LoadFromFile, ReadsAFileWhosePathNeedsTheLongPrefix) {
    ScratchFolder folder;
    std::wstring path = folder.Path();
    const std::wstring component(100, L'd');
    while (path.size() < 260) {
        path += component + L"\\";
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr));
    }
    path += L"lang.dat";
    WriteBytes(L"\\\\?\\" + path, "\xEF\xBB\xBFlong");
    TZelCustomTextContent content;
    ASSERT_TRUE(content.LoadFromFile(path));
    EXPECT_EQ(content.Text, L"long");
}

TEST(LoadFromFile, MissingOrEmptyFileClearsAndFails) {
    ScratchFolder folder;
    TZelCustomTextContent content;
    Fill(content);
    EXPECT_FALSE(content.LoadFromFile(folder / L"missing.dat"));
    ExpectCleared(content);

    WriteBytes(folder / L"empty.dat", "");
    Fill(content);
    EXPECT_FALSE(content.LoadFromFile(folder / L"empty.dat"));
    ExpectCleared(content);
}

TEST(LoadFromFile, UnreadableFileFailsAndKeepsTheContent) {
    ScratchFolder folder;
    const std::wstring path = folder / L"locked.dat";
    WriteBytes(path, "\xEF\xBB\xBFnew");
    const HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    TZelCustomTextContent content;
    Fill(content);
    EXPECT_FALSE(content.LoadFromFile(path));
    CloseHandle(lock);
    EXPECT_EQ(content.CodePage, 1252);
    EXPECT_EQ(content.Text, L"<?xml encoding=\"windows-1252\"?>old");
}

} // namespace
