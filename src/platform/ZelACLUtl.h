// Access lists: giving the group Everyone full access to files and folders the setup creates, so
// that other accounts can use them later.
//
// One access-allowed entry is merged into the object's existing discretionary access list; only
// an older explicit entry for the same SID with the same inheritance flags is replaced. SIDs,
// security descriptors and access lists live on the process heap (SecAlloc) and are freed by the
// function or object that allocated them. Only the discretionary list is ever read or written.
#pragma once

#include "platform/Owned.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A zero-filled block on the process heap, or null for size 0 or when the heap is exhausted.
void* SecAlloc(size_t size);
// Releases a heap block (null is allowed).
void SecRelease(void* block);

// Releases the heap block of a variable and sets the variable to null.
template <typename T> void SecFree(T*& block) {
    SecRelease(block);
    block = nullptr;
}

// A SID on the process heap from its string form such as "S-1-1-0", or null.
TZelHeapBlock StringToSid(const std::wstring& sidText);
// The SID of an account of the local system on the process heap, or null.
TZelHeapBlock AccountNameToSid(const std::wstring& accountName);

// One entry to be merged into an access list.
class TZelAceItem {
public:
    // SidText is read as a string SID, else looked up as an account name. Without a SID the item
    // stays empty (all fields zero).
    TZelAceItem(const std::wstring& sidText, uint8_t aceType, uint8_t aceFlags,
                uint32_t accessMask);
    ~TZelAceItem();
    TZelAceItem(const TZelAceItem&) = delete;
    TZelAceItem& operator=(const TZelAceItem&) = delete;

    PSID Sid = nullptr;   // the item's own heap SID; null when the account was not resolved
    DWORD SidLength = 0;  // 0 without SID
    uint8_t AceType = 0;  // the callers pass 0 (access allowed)
    uint8_t AceFlags = 0; // the inheritance flags
    uint32_t AccessMask = 0;
};

// The entries to be merged, in insertion order.
class TZelAceCollection {
public:
    TZelAceCollection() = default;
    ~TZelAceCollection() { Clear(); }
    TZelAceCollection(const TZelAceCollection&) = delete;
    TZelAceCollection& operator=(const TZelAceCollection&) = delete;

    // Appends a new item and returns it; an empty SidText adds nothing and gives null. An item
    // whose SidText names no SID is still appended, empty.
    TZelAceItem* Add(const std::wstring& sidText, uint8_t aceType, uint8_t aceFlags,
                     uint32_t accessMask);
    int Count() const { return static_cast<int>(items_.size()); }
    TZelAceItem* Items(int index) const { return items_[index].get(); }
    // The index of the first item whose SID equals sid, or -1.
    int IndexOfSid(PSID sid) const;
    // Frees the items, last to first.
    void Clear();

private:
    std::vector<std::unique_ptr<TZelAceItem>> items_;
};

// The product of BuildNewDacl: a new absolute security descriptor and the access list it holds.
class TZelACLNewSDACL {
public:
    // SecurityDescriptor is a fresh empty descriptor of revision 1 (null when allocation failed).
    TZelACLNewSDACL();
    ~TZelACLNewSDACL();
    TZelACLNewSDACL(const TZelACLNewSDACL&) = delete;
    TZelACLNewSDACL& operator=(const TZelACLNewSDACL&) = delete;

    // Allocates a zero-filled access list of size bytes into Acl.
    bool AllocateAcl(DWORD size);

    PSECURITY_DESCRIPTOR SecurityDescriptor = nullptr;
    PACL Acl = nullptr;
};

// The discretionary list of a descriptor, or null. Present and Defaulted report the descriptor's
// flags (a present list given as null counts as not present); SizeInfo is filled when a list is
// present and otherwise reads 0 entries, 8 bytes in use, 0 bytes free.
PACL GetDaclInfo(PSECURITY_DESCRIPTOR descriptor, ACL_SIZE_INFORMATION& sizeInfo, bool& present,
                 bool& defaulted);

// A new descriptor whose list is the old list merged with entries: the old explicit entries
// (minus those replaced), the new entries, then the old inherited entries. An old access-allowed
// entry is replaced when the first new entry with its SID has the same flags. The old list's
// protected or auto-inherited state is carried over. Null when there is nothing to merge, when
// the old descriptor has no list or an empty one (open to everyone, or closed on purpose), and
// on any failure.
std::unique_ptr<TZelACLNewSDACL> BuildNewDacl(PSECURITY_DESCRIPTOR oldDescriptor,
                                              const TZelAceCollection* entries);

// Whether two access lists hold the same entries in the same order, byte for byte.
bool SameAccessEntries(PACL first, PACL second);

// Merges entries into the list of a file or folder and stores the result; a list that holds the
// merged entries already is not stored again. False also when this process may not change the
// list.
bool SetFileAces(const std::wstring& path, const TZelAceCollection* entries);

// The entry that gives Everyone full access: to a folder and everything created in it (inherited
// by files and sub-folders), or to a file itself.
void AddEveryoneGrant(TZelAceCollection& entries, bool isFolder);

// Merges that entry into the list of a file or folder.
bool GrantEveryoneFileAccess(const std::wstring& path, bool isFolder);
bool GrantEveryoneFile(const std::wstring& path);
