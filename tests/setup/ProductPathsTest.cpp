#include "setup/ProductPaths.h"

#include "SavedRegistryValue.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <functional>
#include <string>
#include <vector>

using testing_support::EveryoneWriteGrant;
using testing_support::Exists;
using testing_support::ScratchFolder;
using testing_support::WriteBytes;

namespace {

constexpr wchar_t kViewerKey[] = L"Software\\HALDRIX\\Pagrion Viewer";
constexpr wchar_t kShellFolders[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::wstring Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[16];
    std::swprintf(text, 16, L"%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

// The path a call gave that names a folder by the local date, and the date it used: the date
// before the call, or the one after it when the call ran across midnight.
struct DatedPath {
    std::wstring path;
    std::wstring day;
};

DatedPath CallDated(const std::function<std::wstring()>& call) {
    const std::wstring before = Today();
    std::wstring path = call();
    const std::wstring after = Today();
    return {path, path.find(after) != std::wstring::npos ? after : before};
}

void MakeFolder(const std::wstring& path) {
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
}

// Every test runs with the common application data folder moved into a scratch folder and with
// no recorded viewer folders; the machine's and the user's values come back afterwards.
class ProductPathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFolder(AppData());
        appData.Set(AppData());
        commonPath.Set(L"");
        userPath.Set(L"");
    }

    std::wstring AppData() const { return scratch / L"AppData"; }
    std::wstring DefaultCommonPath() const { return AppData() + L"\\KODRELL\\Pagrion Viewer\\"; }

    ScratchFolder scratch;
    SavedRegistryValue appData{HKEY_LOCAL_MACHINE, kShellFolders, L"Common AppData"};
    SavedRegistryValue commonPath{HKEY_CURRENT_USER, kViewerKey, L"CommonPath"};
    SavedRegistryValue userPath{HKEY_CURRENT_USER, kViewerKey, L"UserPath"};
};

TEST_F(ProductPathsTest, FirstCallCreatesAndRecordsTheDefaultFoldersAndLaterCallsReuseThem) {
    const DatedPath regEpub = CallDated(GetRegEpubPath);
    const std::wstring user = DefaultCommonPath() + L"Users\\" + regEpub.day + L"0\\";

    EXPECT_EQ(regEpub.path, user + L"regepub\\");
    for (const std::wstring& folder : {AppData() + L"\\KODRELL", DefaultCommonPath(),
                                       DefaultCommonPath() + L"Users", user, user + L"regepub"}) {
        SCOPED_TRACE(testing_support::Utf8(folder));
        EXPECT_EQ(EveryoneWriteGrant(folder), testing_support::kFolderGrantFlags);
    }
    EXPECT_EQ(commonPath.Current(), DefaultCommonPath());
    EXPECT_EQ(userPath.Current(), user);

    EXPECT_EQ(GetCommonPath(), DefaultCommonPath());
    EXPECT_EQ(GetUserPath(), user);
    EXPECT_EQ(GetRegEpubPath(), user + L"regepub\\");
    EXPECT_FALSE(Exists(DefaultCommonPath() + L"Users\\" + regEpub.day + L"1"));
}

TEST_F(ProductPathsTest, NewUserFolderTakesTheFirstFreeCounterOfToday) {
    struct Case {
        const char* what;
        std::vector<const wchar_t*> folders; // counters whose dated folder exists
        std::vector<const wchar_t*> files;   // counters whose name a file holds
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"nothing there", {}, {}, L"0"},
        {"0 and 1 taken", {L"0", L"1"}, {}, L"2"},
        {"only taken names are skipped", {L"1"}, {}, L"0"},
        {"a file holds a name", {L"0"}, {L"1"}, L"2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ScratchFolder common;
        commonPath.Set(common.Path());
        userPath.Set(L"");
        MakeFolder(common / L"Users");
        const std::wstring day = Today();
        for (const wchar_t* counter : c.folders)
            MakeFolder(common / L"Users\\" + day + counter);
        for (const wchar_t* counter : c.files)
            WriteBytes(common / L"Users\\" + day + counter, "x");

        const DatedPath user = CallDated(GetUserPath);
        // On a day after the one the names were taken on, every counter is free.
        const std::wstring counter = user.day == day ? c.expected : L"0";
        const std::wstring expected = common / L"Users\\" + user.day + counter + L"\\";
        EXPECT_EQ(user.path, expected);
        EXPECT_EQ(userPath.Current(), expected);
    }
}

TEST_F(ProductPathsTest, RecordedFoldersAreUsedOnlyWhileTheyExist) {
    MakeFolder(scratch / L"mine");
    MakeFolder(scratch / L"mine\\Users");
    MakeFolder(scratch / L"mine\\Users\\u");

    // A recorded folder is returned with a trailing backslash and nothing is created.
    commonPath.Set(scratch / L"mine");
    userPath.Set(scratch / L"mine\\Users\\u");
    EXPECT_EQ(GetCommonPath(), scratch / L"mine\\");
    EXPECT_EQ(GetUserPath(), scratch / L"mine\\Users\\u\\");
    EXPECT_FALSE(Exists(AppData() + L"\\KODRELL"));

    // A vanished user folder is replaced below the recorded common folder.
    userPath.Set(scratch / L"gone\\");
    const DatedPath user = CallDated(GetUserPath);
    const std::wstring replacement = scratch / L"mine\\Users\\" + user.day + L"0\\";
    EXPECT_EQ(user.path, replacement);
    EXPECT_EQ(userPath.Current(), replacement);
    EXPECT_EQ(commonPath.Current(), scratch / L"mine");

    // A vanished common folder is replaced by the default one.
    commonPath.Set(scratch / L"gone\\");
    EXPECT_EQ(GetCommonPath(), DefaultCommonPath());
    EXPECT_EQ(commonPath.Current(), DefaultCommonPath());
}

TEST_F(ProductPathsTest, FolderThatCannotBeFoundOrCreatedGivesEmptyAndRecordsNothing) {
    struct Case {
        const char* what;
        std::function<void(const ScratchFolder&)> arrange;
        bool commonFound;
        bool userFound;
    };
    const Case cases[] = {
        {"no common application data folder", [&](const ScratchFolder&) { appData.Set(L""); },
         false, false},
        {"the common application data folder is a file",
         [&](const ScratchFolder& s) {
             WriteBytes(s / L"file", "x");
             appData.Set(s / L"file");
         },
         false, false},
        {"a file named Users in the common folder",
         [&](const ScratchFolder& s) {
             WriteBytes(s / L"Users", "x");
             commonPath.Set(s.Path());
         },
         true, false},
        {"a file named regepub in the user folder",
         [&](const ScratchFolder& s) {
             WriteBytes(s / L"regepub", "x");
             userPath.Set(s.Path());
         },
         true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ScratchFolder place;
        appData.Set(AppData());
        commonPath.Set(L"");
        userPath.Set(L"");
        c.arrange(place);
        const auto recordedUser = userPath.Current();

        EXPECT_EQ(GetCommonPath().empty(), !c.commonFound);
        EXPECT_EQ(GetUserPath().empty(), !c.userFound);
        EXPECT_EQ(GetRegEpubPath(), L"");
        if (!c.commonFound) {
            EXPECT_EQ(commonPath.Current(), std::nullopt);
        }
        if (!c.userFound) {
            EXPECT_EQ(userPath.Current(), recordedUser);
        }
    }
}

TEST(ConverterResultMessageTest, IsTheRegisteredMessageOfTheConverterAndStaysTheSame) {
    const UINT id = ConverterResultMessage();
    EXPECT_GE(id, 0xC000u);
    EXPECT_EQ(id, RegisterWindowMessageW(L"WM_LXDBCONV_RESMESSAGE"));
    EXPECT_EQ(ConverterResultMessage(), id);
}

} // namespace
