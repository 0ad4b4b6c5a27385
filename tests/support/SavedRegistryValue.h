// Test helper: a registry value put back as it was (or removed again) at the end of a scope. Its
// old value is noted beforehand (RestoreNotes.h): a test program stopped before the end of the
// scope leaves the note, and the next guard of the value puts the old value back first.
#pragma once

#include "RestoreNotes.h"
#include "platform/Registry.h"

#include <optional>
#include <string>

class SavedRegistryValue {
public:
    SavedRegistryValue(HKEY root, std::wstring key, std::wstring name)
        : root_(root), key_(std::move(key)), name_(std::move(name)) {
        if (const auto abandoned = testing_support::TakeAbandonedNote(NoteKey()))
            PutBack(Decoded(*abandoned));
        old_ = Current();
        noted_ = testing_support::NoteHowToRestore(NoteKey(), Encoded(old_));
    }
    ~SavedRegistryValue() {
        PutBack(old_);
        if (noted_)
            testing_support::StrikeNote(NoteKey());
    }
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

    // Sets the value for the test; an empty text removes it.
    void Set(const std::wstring& value) const {
        if (value.empty())
            DeleteRegValue(root_, key_, name_, false);
        else
            WriteRegString(root_, key_, name_, value, false);
    }
    // Sets the value present but empty (the launcher's own write removes an empty value), in the
    // registry view the launcher uses.
    void SetEmpty() const {
        HKEY key = nullptr;
        if (RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE | kRegistryView,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExW(key, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(L""),
                       sizeof(wchar_t));
        RegCloseKey(key);
    }
    std::optional<std::wstring> Current() const {
        std::wstring value;
        if (!ReadRegString(root_, key_, name_, value))
            return std::nullopt;
        return value;
    }

private:
    void PutBack(const std::optional<std::wstring>& value) const {
        if (!value)
            Set(L"");
        else if (value->empty())
            SetEmpty();
        else
            Set(*value);
    }
    std::wstring NoteKey() const {
        return (root_ == HKEY_LOCAL_MACHINE ? L"HKLM\\" : L"HKCU\\") + key_ + L"\\" + name_;
    }
    // A missing value is noted as "-", a present one as "=" and its text.
    static std::wstring Encoded(const std::optional<std::wstring>& value) {
        return value ? L"=" + *value : L"-";
    }
    static std::optional<std::wstring> Decoded(const std::wstring& note) {
        if (note.starts_with(L"="))
            return note.substr(1);
        return std::nullopt;
    }

    HKEY root_;
    std::wstring key_;
    std::wstring name_;
    std::optional<std::wstring> old_;
    bool noted_ = false;
};
