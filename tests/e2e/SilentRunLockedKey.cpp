#include "SilentRunLockedKey.h"

#include "RestoreNotes.h"

#include <sddl.h>

namespace {

constexpr wchar_t kReadOnlyForAll[] = L"D:P(A;OICI;KR;;;WD)";

std::wstring NoteKeyOf(const wchar_t* subKey) {
    return std::wstring(subKey) + L" access list";
}

TZelRegKey OpenForAccessList(HKEY root, const wchar_t* subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey, 0, READ_CONTROL | WRITE_DAC | kRegistryView, &key) !=
        ERROR_SUCCESS)
        return TZelRegKey();
    return TZelRegKey(key);
}

// The key's access list in its text form; empty when it cannot be read.
std::wstring AccessListText(HKEY key) {
    DWORD size = 0;
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    std::wstring text;
    std::string descriptor(size, '\0');
    wchar_t* converted = nullptr;
    if (size != 0 &&
        RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor.data(), &size) ==
            ERROR_SUCCESS &&
        ConvertSecurityDescriptorToStringSecurityDescriptorW(
            descriptor.data(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &converted, nullptr)) {
        text = converted;
        LocalFree(converted);
    }
    return text;
}

bool SetAccessList(HKEY key, const std::wstring& text) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(text.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr))
        return false;
    const bool set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    return set;
}

} // namespace

ReadOnlyKey::ReadOnlyKey(HKEY root, const wchar_t* subKey)
    : key_(OpenForAccessList(root, subKey)), noteKey_(NoteKeyOf(subKey)) {
    RepairAbandoned(root, subKey);
    saved_ = AccessListText(key_.Get());
    if (saved_.empty() || !testing_support::NoteHowToRestore(noteKey_, saved_))
        return;
    applied_ = SetAccessList(key_.Get(), kReadOnlyForAll);
    if (!applied_)
        testing_support::StrikeNote(noteKey_);
}

ReadOnlyKey::~ReadOnlyKey() {
    if (!applied_)
        return;
    SetAccessList(key_.Get(), saved_);
    testing_support::StrikeNote(noteKey_);
}

void ReadOnlyKey::RepairAbandoned(HKEY root, const wchar_t* subKey) {
    if (const auto abandoned = testing_support::TakeAbandonedNote(NoteKeyOf(subKey))) {
        const TZelRegKey key = OpenForAccessList(root, subKey);
        SetAccessList(key.Get(), *abandoned);
    }
}
