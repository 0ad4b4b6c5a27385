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
