// The merge of new entries into an existing discretionary access list.
#include "platform/ZelACLUtl.h"

#include <cstring>
#include <new>

namespace {

// Header and access mask of an access-allowed entry; its SID follows.
constexpr DWORD kAceFixedPartBytes = sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD);

using SetControlFunction = BOOL(WINAPI*)(PSECURITY_DESCRIPTOR, SECURITY_DESCRIPTOR_CONTROL,
                                         SECURITY_DESCRIPTOR_CONTROL);

DWORD NewAclSize(const ACL_SIZE_INFORMATION& oldSize, const TZelAceCollection& entries) {
    DWORD size = oldSize.AclBytesInUse;
    for (int index = 0; index < entries.Count(); ++index)
        size += kAceFixedPartBytes + entries.Items(index)->SidLength;
    return size;
}

bool IsInherited(const ACE_HEADER* ace) {
    return (ace->AceFlags & INHERITED_ACE) != 0;
}

// An old access-allowed entry gives way to the first new entry for its SID when that entry has
// the same flags; the old rights are not carried over.
bool IsReplaced(const ACE_HEADER* ace, const TZelAceCollection& entries) {
    if (ace->AceType != ACCESS_ALLOWED_ACE_TYPE)
        return false;
    const auto* allowed = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(ace);
    const int index = entries.IndexOfSid(const_cast<DWORD*>(&allowed->SidStart));
    return index >= 0 && entries.Items(index)->AceFlags == ace->AceFlags;
}

// Appends, in order and unchanged, the old entries that are kept and are inherited (or not).
bool CopyOldEntries(PACL oldAcl, DWORD count, const TZelAceCollection& entries, bool inherited,
                    PACL newAcl) {
    for (DWORD index = 0; index < count; ++index) {
        void* entry = nullptr;
        if (!GetAce(oldAcl, index, &entry))
            continue;
        const auto* ace = static_cast<const ACE_HEADER*>(entry);
        if (IsReplaced(ace, entries) || IsInherited(ace) != inherited)
            continue;
        // A kept entry that cannot be copied would be lost from the list: give up instead.
        if (!AddAce(newAcl, oldAcl->AclRevision, MAXDWORD, entry, ace->AceSize))
            return false;
    }
    return true;
}

bool AddNewEntries(const TZelAceCollection& entries, PACL newAcl) {
    for (int index = 0; index < entries.Count(); ++index) {
        const TZelAceItem& item = *entries.Items(index);
        if (!item.Sid)
            continue;
        if (!AddAccessAllowedAceEx(newAcl, ACL_REVISION, item.AceFlags, item.AccessMask, item.Sid))
            return false;
    }
    return true;
}

// Carries the old list's auto-inherited or protected state over to the new descriptor.
bool CarryInheritanceState(PSECURITY_DESCRIPTOR oldDescriptor, PSECURITY_DESCRIPTOR newDescriptor) {
    const HMODULE advapi = GetModuleHandleW(L"advapi32.dll");
    const FARPROC entry = advapi ? GetProcAddress(advapi, "SetSecurityDescriptorControl") : nullptr;
    if (!entry)
        return true;
    const auto setControl =
        reinterpret_cast<SetControlFunction>(reinterpret_cast<void (*)()>(entry));
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    if (!GetSecurityDescriptorControl(oldDescriptor, &control, &revision))
        return false;
    SECURITY_DESCRIPTOR_CONTROL bits = 0;
    if (control & SE_DACL_AUTO_INHERITED)
        bits = SE_DACL_AUTO_INHERIT_REQ | SE_DACL_AUTO_INHERITED;
    else if (control & SE_DACL_PROTECTED)
        bits = SE_DACL_PROTECTED;
    return bits == 0 || setControl(newDescriptor, bits, bits);
}

} // namespace

TZelACLNewSDACL::TZelACLNewSDACL() {
    SecurityDescriptor = SecAlloc(SECURITY_DESCRIPTOR_MIN_LENGTH);
    if (SecurityDescriptor &&
        !InitializeSecurityDescriptor(SecurityDescriptor, SECURITY_DESCRIPTOR_REVISION))
        SecFree(SecurityDescriptor);
}

TZelACLNewSDACL::~TZelACLNewSDACL() {
    SecFree(Acl);
    SecFree(SecurityDescriptor);
}

bool TZelACLNewSDACL::AllocateAcl(DWORD size) {
    SecFree(Acl);
    Acl = static_cast<PACL>(SecAlloc(size));
    return Acl != nullptr;
}

PACL GetDaclInfo(PSECURITY_DESCRIPTOR descriptor, ACL_SIZE_INFORMATION& sizeInfo, bool& present,
                 bool& defaulted) {
    present = false;
    defaulted = false;
    sizeInfo = ACL_SIZE_INFORMATION{0, sizeof(ACL), 0};
    if (!descriptor)
        return nullptr;
    BOOL daclPresent = FALSE;
    BOOL daclDefaulted = FALSE;
    PACL dacl = nullptr;
    if (!GetSecurityDescriptorDacl(descriptor, &daclPresent, &dacl, &daclDefaulted))
        return nullptr;
    present = daclPresent && dacl;
    defaulted = daclDefaulted;
    if (present)
        GetAclInformation(dacl, &sizeInfo, sizeof(sizeInfo), AclSizeInformation);
    return dacl;
}

bool SameAccessEntries(PACL first, PACL second) {
    ACL_SIZE_INFORMATION firstSize{};
    ACL_SIZE_INFORMATION secondSize{};
    if (!first || !second ||
        !GetAclInformation(first, &firstSize, sizeof firstSize, AclSizeInformation) ||
        !GetAclInformation(second, &secondSize, sizeof secondSize, AclSizeInformation) ||
        firstSize.AceCount != secondSize.AceCount)
        return false;
    for (DWORD index = 0; index < firstSize.AceCount; ++index) {
        void* firstEntry = nullptr;
        void* secondEntry = nullptr;
        if (!GetAce(first, index, &firstEntry) || !GetAce(second, index, &secondEntry))
            return false;
        const WORD size = static_cast<const ACE_HEADER*>(firstEntry)->AceSize;
        if (size != static_cast<const ACE_HEADER*>(secondEntry)->AceSize ||
            memcmp(firstEntry, secondEntry, size) != 0)
            return false;
    }
    return true;
}

std::unique_ptr<TZelACLNewSDACL> BuildNewDacl(PSECURITY_DESCRIPTOR oldDescriptor,
                                              const TZelAceCollection* entries) {
    if (!oldDescriptor || !entries || entries->Count() == 0)
        return nullptr;
    std::unique_ptr<TZelACLNewSDACL> result(new (std::nothrow) TZelACLNewSDACL);
    if (!result || !result->SecurityDescriptor)
        return nullptr;

    // Without a list the object is open to everyone already; an empty list is left closed.
    ACL_SIZE_INFORMATION oldSize;
    bool present = false;
    bool defaulted = false;
    const PACL oldAcl = GetDaclInfo(oldDescriptor, oldSize, present, defaulted);
    if (!present || oldSize.AceCount == 0)
        return nullptr;

    const DWORD size = NewAclSize(oldSize, *entries);
    if (!result->AllocateAcl(size) || !InitializeAcl(result->Acl, size, ACL_REVISION))
        return nullptr;

    // Canonical order: explicit entries, then the new ones, then the inherited ones.
    if (!CopyOldEntries(oldAcl, oldSize.AceCount, *entries, false, result->Acl) ||
        !AddNewEntries(*entries, result->Acl) ||
        !CopyOldEntries(oldAcl, oldSize.AceCount, *entries, true, result->Acl))
        return nullptr;

    if (!SetSecurityDescriptorDacl(result->SecurityDescriptor, TRUE, result->Acl, FALSE) ||
        !CarryInheritanceState(oldDescriptor, result->SecurityDescriptor))
        return nullptr;
    return result;
}
