// The rights test, which leaves none of its probes behind, and the path a package is started
// by: where it lies up to 250 characters, from a copy in the temporary folder beyond.
#include "setup/ornLxSetup.h"

#include "ExclusiveHold.h"
#include "TestSupport.h"
#include "platform/Registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace testing_support;

constexpr wchar_t kProbeName[] = L"OVIViewer-temp";
constexpr wchar_t kProbeKey[] = L"Software\\OVIViewer-temp";

std::wstring ProbeFolder() {
    std::wstring commonData;
    GetCommonAppDataPath(commonData);
    return commonData + L"\\" + kProbeName + L"\\";
}

std::wstring ProbeName(int number) {
    return kProbeName + std::to_wstring(number);
}

// The names in a folder, in the order the file system gives them.
std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

bool ProbeKeyExists() {
    TZelRegKey key;
    return OpenRegKey(HKEY_LOCAL_MACHINE, kProbeKey, KEY_READ, key);
}

// Probes that an earlier rights test left under the first numbers, its process stopped before it
// could remove them. Whatever is left of the probes is removed at the end of the scope.
class EarlierProbes {
public:
    explicit EarlierProbes(int count) {
        CreateDirectoryW(ProbeFolder().c_str(), nullptr);
        for (int number = 0; number < count; ++number) {
            WriteRegString(HKEY_LOCAL_MACHINE, kProbeKey, ProbeName(number), L"earlier", false);
            WriteBytes(ProbeFolder() + ProbeName(number), "earlier");
        }
    }
    ~EarlierProbes() {
        DeleteRegKey(HKEY_LOCAL_MACHINE, kProbeKey, false);
        RemoveTree(ProbeFolder());
    }
    EarlierProbes(const EarlierProbes&) = delete;
    EarlierProbes& operator=(const EarlierProbes&) = delete;
};

TEST(RightsTest, PassesAndRemovesItsProbes) {
    for (const int earlier : {0, 2}) {
        SCOPED_TRACE(earlier);
        const EarlierProbes probes(earlier);
        EXPECT_TRUE(HasAdminRights());
        // The probe key goes with every value in it, the earlier probes' too; the probe folder
        // goes when nothing but the new probe was in it.
        EXPECT_FALSE(ProbeKeyExists());
        std::vector<std::wstring> earlierFiles;
        for (int number = 0; number < earlier; ++number)
            earlierFiles.push_back(ProbeName(number));
        EXPECT_EQ(NamesIn(ProbeFolder()), earlierFiles);
        EXPECT_EQ(Exists(ProbeFolder()), earlier > 0);
        for (const std::wstring& name : earlierFiles)
            EXPECT_EQ(ReadBytes(ProbeFolder() + name), "earlier") << Utf8(name);
    }
}

TEST(RightsTest, ProbesUnderTheFirstFreeNumber) {
    const EarlierProbes probes(2);
    // A folder under the next number: no probe file of that name can be written.
    ASSERT_TRUE(CreateDirectoryW((ProbeFolder() + ProbeName(2)).c_str(), nullptr));
    EXPECT_FALSE(HasAdminRights());
    EXPECT_FALSE(ProbeKeyExists());
}

class RunnableSetupPath : public ::testing::Test {
protected:
    RunnableSetupPath() : temp(tempFolder.Path()) {}

    // A package whose path is exactly length characters long, in folders below the scratch
    // folder.
    std::wstring PackageOfLength(size_t length) const {
        std::wstring path = folder.Path();
        while (length - path.size() > 60) {
            path += std::wstring(40, L'f') + L"\\";
            CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
        }
        path += std::wstring(length - path.size() - 4, L'p') + L".exe";
        WriteBytes(L"\\\\?\\" + path, "package");
        return path;
    }
    std::wstring CopyFolder() const { return tempFolder / L"oviview\\"; }

    ScratchFolder folder;
    ScratchFolder tempFolder;
    ScopedTempFolder temp;
};

TEST_F(RunnableSetupPath, StartsUpTo250CharactersInPlaceAndLongerFromACopy) {
    const std::wstring fitting = PackageOfLength(250);
    EXPECT_EQ(GetRunnableSetupPath(fitting), fitting);
    EXPECT_FALSE(Exists(CopyFolder()));

    const std::wstring overlong = PackageOfLength(251);
    const std::wstring copy = GetRunnableSetupPath(overlong);
    EXPECT_EQ(copy, CopyFolder() + overlong.substr(overlong.rfind(L'\\') + 1));
    EXPECT_EQ(ReadBytes(copy), "package");
}

TEST_F(RunnableSetupPath, FailedCopyFallsBackToThePackagesOwnPath) {
    const std::wstring overlong = PackageOfLength(251);
    {
        // Held by another program, the package cannot be read.
        const ExclusiveHold held(L"\\\\?\\" + overlong);
        ASSERT_TRUE(held.Held());
        EXPECT_EQ(GetRunnableSetupPath(overlong), overlong);
        EXPECT_FALSE(Exists(CopyFolder())) << "nothing of the failed copy is left";
    }
    // A file holds the name of the copy's folder.
    WriteBytes(tempFolder / L"oviview", "in the way");
    EXPECT_EQ(GetRunnableSetupPath(overlong), overlong);
}

} // namespace
