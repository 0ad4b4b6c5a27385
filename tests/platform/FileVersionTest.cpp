// The file version of a program: the installer package stand-in carries file version 2.5.0.17
// beside another product version and other version texts.
#include "platform/Paths.h"

#include "TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using namespace testing_support;

TEST(GetFileVersionText, GivesTheFixedFileVersion) {
    ScratchFolder folder;
    const std::wstring package = ProgramFolder() + L"fakepackage.exe";
    std::wstring deepFolder = folder / L"Deep";
    ASSERT_TRUE(CreateDirectoryW(deepFolder.c_str(), nullptr));
    while (deepFolder.size() <= 260) {
        deepFolder += L"\\Folder with a long name";
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deepFolder).c_str(), nullptr));
    }
    const std::wstring deepPackage = deepFolder + L"\\package.exe";
    ASSERT_TRUE(CopyFileW(package.c_str(), (L"\\\\?\\" + deepPackage).c_str(), FALSE));
    WriteBytes(folder / L"plain.exe", "MZ no version here");

    struct Case {
        std::wstring fileName;
        std::wstring expected;
    };
    const Case cases[] = {
        {package, L"2.5.0.17"},
        {L" " + deepPackage + L" ", L"2.5.0.17"},
        {ProgramFolder() + L"platform_tests.exe", L""},
        {folder / L"plain.exe", L""},
        {folder / L"missing.exe", L""},
        {L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TZelFile::GetFileVersionText(c.fileName), c.expected) << c.fileName;
}

} // namespace
