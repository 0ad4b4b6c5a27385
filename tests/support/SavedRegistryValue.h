// Test helper: a registry value put back as it was (or removed again) at the end of a scope.
#pragma once

#include "platform/Registry.h"

#include <optional>
#include <string>

class SavedRegistryValue {
public:
    SavedRegistryValue(HKEY root, std::wstring key, std::wstring name)
        : root_(root), key_(std::move(key)), name_(std::move(name)) {
        std::wstring value;
        if (ReadRegString(root_, key_, name_, value))
            old_ = value;
    }
    ~SavedRegistryValue() {
        if (old_)
            WriteRegString(root_, key_, name_, *old_, false);
        else
            DeleteRegValue(root_, key_, name_, false);
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
        if (RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
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
    HKEY root_;
    std::wstring key_;
    std::wstring name_;
    std::optional<std::wstring> old_;
};
