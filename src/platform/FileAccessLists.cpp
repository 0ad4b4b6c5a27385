// Reading and storing the access lists of files and folders, and the grants to Everyone.
#include "platform/ZelACLUtl.h"

#include "platform/Paths.h"

namespace {

constexpr wchar_t kEveryoneSid[] = L"S-1-1-0";

// A folder's grant covers the files and sub-folders created in it; a file's grant must govern
// the file itself, so it carries no inheritance flag at all.
constexpr uint8_t kFolderGrantFlags = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
constexpr uint8_t kFileGrantFlags = 0;

} // namespace

TZelHeapBlock GetFileDaclDescriptor(const std::wstring& path) {
    DWORD size = 0;
    if (!GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return {};
    TZelHeapBlock descriptor(SecAlloc(size));
    if (!descriptor.Valid() ||
        !GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.Get(), size, &size))
        return {};
    return descriptor;
}

bool SetFileAces(const std::wstring& path, const TZelAceCollection* entries) try {
    if (path.empty() || !entries || entries->Count() == 0)
        return false;
    const std::wstring prefixedPath = AddLongPathPrefix(path);
    const TZelHeapBlock oldDescriptor = GetFileDaclDescriptor(prefixedPath);
    if (!oldDescriptor.Valid())
        return false;
    const std::unique_ptr<TZelACLNewSDACL> merged = BuildNewDacl(oldDescriptor.Get(), entries);
    if (!merged)
        return false;
    // The install log grants after every line: from the second line on, the list holds the
    // entry already, and storing it again would change nothing.
    ACL_SIZE_INFORMATION oldSize;
    bool present = false;
    bool defaulted = false;
    const PACL oldAcl = GetDaclInfo(oldDescriptor.Get(), oldSize, present, defaulted);
    if (SameAccessEntries(oldAcl, merged->Acl))
        return true;
    return SetFileSecurityW(prefixedPath.c_str(), DACL_SECURITY_INFORMATION,
                            merged->SecurityDescriptor) != FALSE;
} catch (...) {
    return false;
}

void AddEveryoneGrant(TZelAceCollection& entries, bool isFolder) {
    entries.Add(kEveryoneSid, ACCESS_ALLOWED_ACE_TYPE,
                isFolder ? kFolderGrantFlags : kFileGrantFlags, FILE_ALL_ACCESS);
}

bool GrantEveryoneFileAccess(const std::wstring& path, bool isFolder) try {
    TZelAceCollection entries;
    AddEveryoneGrant(entries, isFolder);
    return SetFileAces(path, &entries);
} catch (...) {
    return false;
}

bool GrantEveryoneFile(const std::wstring& path) {
    return GrantEveryoneFileAccess(path, false);
}
