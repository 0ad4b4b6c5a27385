// Reading and storing the access lists of files and folders, and the grants to Everyone.
#include "platform/ZelACLUtl.h"

#include "platform/Paths.h"

namespace {

constexpr wchar_t kEveryoneSid[] = L"S-1-1-0";

// A folder's grant covers the files and sub-folders created in it; a file's grant must govern
// the file itself, so it carries no inheritance flag at all.
constexpr uint8_t kFolderGrantFlags = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
constexpr uint8_t kFileGrantFlags = 0;

// A file or folder opened for its access list alone. One open serves reading the list and storing
// the merged one: the install log is granted after every line, and under some systems each open
// costs more than the rest of the grant.
TZelHandle OpenAccessList(const std::wstring& path) {
    return TZelHandle(CreateFileW(path.c_str(), READ_CONTROL | WRITE_DAC,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// The security descriptor of an opened file or folder holding its discretionary list, or null.
TZelHeapBlock GetDaclDescriptor(HANDLE object) {
    DWORD size = 0;
    if (!GetKernelObjectSecurity(object, DACL_SECURITY_INFORMATION, nullptr, 0, &size) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return {};
    TZelHeapBlock descriptor(SecAlloc(size));
    if (!descriptor.Valid() ||
        !GetKernelObjectSecurity(object, DACL_SECURITY_INFORMATION, descriptor.Get(), size, &size))
        return {};
    return descriptor;
}

} // namespace

bool SetFileAces(const std::wstring& path, const TZelAceCollection* entries) try {
    if (path.empty() || !entries || entries->Count() == 0)
        return false;
    const TZelHandle object = OpenAccessList(AddLongPathPrefix(path));
    if (!object.Valid())
        return false;
    const TZelHeapBlock oldDescriptor = GetDaclDescriptor(object.Get());
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
    return SetKernelObjectSecurity(object.Get(), DACL_SECURITY_INFORMATION,
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
