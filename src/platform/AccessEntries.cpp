// Heap blocks, SIDs and the entries to be merged into an access list.
#include "platform/ZelACLUtl.h"

#include <sddl.h>

namespace {

// A heap copy of a valid SID, or null.
TZelHeapBlock CopyToHeap(PSID sid) {
    const DWORD length = GetLengthSid(sid);
    TZelHeapBlock copy(SecAlloc(length));
    if (!copy.Valid() || !CopySid(length, copy.Get(), sid))
        return {};
    return copy;
}

} // namespace

void* SecAlloc(size_t size) {
    if (size == 0)
        return nullptr;
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
}

void SecRelease(void* block) {
    // The owner frees the block as it ends.
    const TZelHeapBlock owner(block);
}

TZelHeapBlock StringToSid(const std::wstring& sidText) {
    PSID converted = nullptr;
    if (!ConvertStringSidToSidW(sidText.c_str(), &converted))
        return {};
    // The platform hands out a local block; callers free SIDs as heap blocks.
    const TZelLocalBlock owner(converted);
    return CopyToHeap(converted);
}

TZelHeapBlock AccountNameToSid(const std::wstring& accountName) {
    DWORD sidSize = 0;
    DWORD domainLength = 0;
    SID_NAME_USE use;
    if (!LookupAccountNameW(nullptr, accountName.c_str(), nullptr, &sidSize, nullptr, &domainLength,
                            &use) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return {};
    TZelHeapBlock sid(SecAlloc(sidSize));
    if (!sid.Valid())
        return {};
    const TZelHeapBlock domain(SecAlloc(domainLength * sizeof(wchar_t)));
    if (!LookupAccountNameW(nullptr, accountName.c_str(), sid.Get(), &sidSize,
                            static_cast<wchar_t*>(domain.Get()), &domainLength, &use))
        return {};
    return sid;
}

TZelAceItem::TZelAceItem(const std::wstring& sidText, uint8_t aceType, uint8_t aceFlags,
                         uint32_t accessMask) {
    TZelHeapBlock sid = StringToSid(sidText);
    if (!sid.Valid())
        sid = AccountNameToSid(sidText);
    if (!sid.Valid())
        return;
    SidLength = GetLengthSid(sid.Get());
    Sid = sid.Release();
    AceType = aceType;
    AceFlags = aceFlags;
    AccessMask = accessMask;
}

TZelAceItem::~TZelAceItem() {
    SecFree(Sid);
}

TZelAceItem* TZelAceCollection::Add(const std::wstring& sidText, uint8_t aceType, uint8_t aceFlags,
                                    uint32_t accessMask) try {
    if (sidText.empty())
        return nullptr;
    items_.push_back(std::make_unique<TZelAceItem>(sidText, aceType, aceFlags, accessMask));
    return items_.back().get();
} catch (...) {
    return nullptr;
}

int TZelAceCollection::IndexOfSid(PSID sid) const {
    for (int index = 0; index < Count(); ++index) {
        if (items_[index]->Sid && EqualSid(items_[index]->Sid, sid))
            return index;
    }
    return -1;
}

void TZelAceCollection::Clear() {
    while (!items_.empty())
        items_.pop_back();
}
