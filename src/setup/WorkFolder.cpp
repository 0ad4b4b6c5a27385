// The rights test, the shared work folder and the copy of a package whose path is too long.
#include "setup/ornLxSetup.h"

#include "platform/FileOps.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "setup/LocalTime.h"
#include "strings/ZelStrUtl.h"
#include "text/TextFiles.h"

namespace {

constexpr wchar_t kRightsTestName[] = L"OVIViewer-temp";
constexpr wchar_t kRightsTestKey[] = L"Software\\OVIViewer-temp";
constexpr int kLastProbeNumber = 1000;
constexpr wchar_t kWorkFolderName[] = L"OVIVINST\\";
constexpr wchar_t kPackageCopyFolderName[] = L"oviview\\";
constexpr size_t kLongestRunnablePath = 250;

// May this process create values under HKEY_LOCAL_MACHINE? Whatever happens, the probe value and
// its key are removed again.
bool PassesRegistryTest() {
    std::wstring name, existing;
    for (int i = 0;; ++i) {
        name = kRightsTestName + UpperHexText(i);
        if (!ReadRegString(HKEY_LOCAL_MACHINE, kRightsTestKey, name, existing) ||
            i == kLastProbeNumber)
            break;
    }
    const std::wstring stamp = FormatLocalTime(false);
    std::wstring readBack;
    const bool passed = WriteRegString(HKEY_LOCAL_MACHINE, kRightsTestKey, name, stamp, true) &&
                        ReadRegString(HKEY_LOCAL_MACHINE, kRightsTestKey, name, readBack) &&
                        readBack == stamp;
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRightsTestKey, name, false);
    DeleteRegKey(HKEY_LOCAL_MACHINE, kRightsTestKey, true);
    return passed;
}

// May this process create files in the common application data folder? Whatever happens, the
// probe file and its folder are removed again.
bool PassesFileTest() {
    std::wstring commonData;
    if (!GetCommonAppDataPath(commonData) || Trim(commonData).empty())
        return false;
    const std::wstring folder = AddPathDelimiter(commonData) + kRightsTestName;
    std::wstring probe;
    for (int j = 0;; ++j) {
        probe = folder + L"\\" + kRightsTestName + UpperHexText(j);
        if (!FileExistsChecked(probe) || j == kLastProbeNumber)
            break;
    }
    const std::wstring stamp = FormatLocalTime(false);
    std::wstring readBack;
    ForceFolders(folder, false);
    const bool passed = WriteTextFile(probe, stamp, teUtf8Bom, false, false) &&
                        ReadTextFile(probe, readBack, teUtf8Bom) && Trim(readBack) == stamp;
    ForceDeleteFile(probe);
    RemoveFolder(folder);
    return passed;
}

} // namespace

bool HasAdminRights() {
    return PassesRegistryTest() && PassesFileTest();
}

std::wstring GetWorkFolder() {
    std::wstring base;
    if (!GetCommonAppDataPath(base) || Trim(base).empty())
        base = GetTempFolder();
    return AddPathDelimiter(base) + kWorkFolderName;
}

void WriteWorkFile(const std::wstring& name, const std::wstring& text) {
    const std::wstring path = GetWorkFolder() + name;
    ForceFolders(ExtractFileFolder(path), true);
    WriteTextFile(path, text, teUtf8Bom, true, false);
}

void DeleteWorkFile(const std::wstring& name) {
    const std::wstring path = GetWorkFolder() + name;
    ForceDeleteFile(path);
    RemoveFolder(ExtractFileFolder(path));
}

std::wstring GetRunnableSetupPath(const std::wstring& packagePath) {
    if (packagePath.size() <= kLongestRunnablePath)
        return packagePath;
    const std::wstring copy =
        GetTempFolder() + kPackageCopyFolderName + ExtractFileName(packagePath);
    ForceFolders(ExtractFileFolder(copy), false);
    ForceDeleteFile(copy);
    // The copy may run with full rights: it keeps the access its folder gives, and no other
    // account may replace it before it starts.
    if (CopyFileWithDate(packagePath, copy, false))
        return copy;
    ForceDeleteFile(copy);
    RemoveFolder(ExtractFileFolder(copy));
    return packagePath;
}
