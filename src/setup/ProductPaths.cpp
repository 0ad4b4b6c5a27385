#include "setup/ProductPaths.h"

#include "platform/FileOps.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "setup/LocalTime.h"
#include "setup/SharedNames.h"
#include "strings/ZelStrUtl.h"

namespace {

// The folder recorded under valueName, with trailing backslash, while it exists; else empty.
std::wstring RecordedFolder(const wchar_t* valueName) {
    std::wstring folder;
    ReadRegString(HKEY_CURRENT_USER, kViewerKey, valueName, folder);
    if (folder.empty() || !FolderExistsChecked(folder))
        return {};
    return AddPathDelimiter(folder);
}

void RecordFolder(const wchar_t* valueName, const std::wstring& folder) {
    WriteRegString(HKEY_CURRENT_USER, kViewerKey, valueName, folder, false);
}

// The folder with its missing parents; the viewer's data is shared with every account.
bool CreateSharedFolder(const std::wstring& folder) {
    return ForceFolders(folder, true);
}

// A user folder's name: today's local date as yyyymmdd, then the counter in decimal.
std::wstring DatedFolderName(unsigned counter) {
    return FormatLocalDate() + DecimalText(counter);
}

// Whether the name is taken in its folder. A file of that name blocks a folder as much as a
// folder does, so both count.
bool NameTaken(const std::wstring& path) {
    return FolderExistsChecked(path) || FileExistsChecked(path);
}

std::wstring FindCommonPath() {
    if (std::wstring recorded = RecordedFolder(L"CommonPath"); !recorded.empty())
        return recorded;
    std::wstring appData;
    GetCommonAppDataPath(appData);
    if (appData.empty())
        return {};
    std::wstring path = AddPathDelimiter(AddPathDelimiter(appData) + L"KODRELL");
    if (!CreateSharedFolder(path))
        return {};
    path = AddPathDelimiter(path + L"Pagrion Viewer");
    if (!CreateSharedFolder(path))
        return {};
    RecordFolder(L"CommonPath", path);
    return path;
}

std::wstring FindUserPath() {
    if (std::wstring recorded = RecordedFolder(L"UserPath"); !recorded.empty())
        return recorded;
    std::wstring path = FindCommonPath();
    if (path.empty())
        return {};
    path = AddPathDelimiter(path + L"Users");
    if (!CreateSharedFolder(path))
        return {};
    unsigned counter = 0;
    std::wstring name = DatedFolderName(counter);
    while (NameTaken(path + name))
        name = DatedFolderName(++counter);
    path = AddPathDelimiter(path + name);
    if (!CreateSharedFolder(path))
        return {};
    RecordFolder(L"UserPath", path);
    return path;
}

std::wstring FindRegEpubPath() {
    std::wstring path = FindUserPath();
    if (path.empty())
        return {};
    path = AddPathDelimiter(path + L"regepub");
    if (!FolderExistsChecked(path) && !CreateSharedFolder(path))
        return {};
    return path;
}

} // namespace

UINT ConverterResultMessage() noexcept {
    static UINT cachedId = 0;
    if (cachedId == 0)
        cachedId = RegisterWindowMessageW(kConverterMessageName);
    return cachedId;
}

std::wstring GetCommonPath() noexcept try { return FindCommonPath(); } catch (...) {
    return {};
}

std::wstring GetUserPath() noexcept try { return FindUserPath(); } catch (...) {
    return {};
}

std::wstring GetRegEpubPath() noexcept try { return FindRegEpubPath(); } catch (...) {
    return {};
}
