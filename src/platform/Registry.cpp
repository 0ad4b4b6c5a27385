#include "platform/Registry.h"

#include "strings/ByteString.h"

#include <cwchar>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kValueBufferBytes = 1024;
constexpr DWORD kNameBufferChars = 1024;

void FlushAfterSuccess(HKEY root, bool succeeded, bool flush) {
    if (succeeded && flush)
        RegFlushKey(root);
}

// Deletes the sub-key name of parent in the launcher's registry view.
bool DeleteKeyIn(HKEY parent, const std::wstring& name) {
    return RegDeleteKeyExW(parent, name.c_str(), kRegistryView, 0) == ERROR_SUCCESS;
}

// The shared walk of both enumerations; fetch reads entry number index into a name buffer of
// kNameBufferChars characters and reports its length.
template <typename Fetch>
bool EnumRegName(HKEY root, const std::wstring& subKey, int32_t index, TZelRegKey& keyHandle,
                 std::wstring& name, Fetch fetch) try {
    name.clear();
    if (index == 0 || !keyHandle.Valid()) {
        if (!OpenRegKey(root, subKey, KEY_READ, keyHandle))
            return false;
    }
    wchar_t buffer[kNameBufferChars];
    DWORD length = kNameBufferChars;
    if (fetch(keyHandle.Get(), static_cast<DWORD>(index), buffer, &length) != ERROR_SUCCESS) {
        keyHandle.Reset();
        return false;
    }
    name.assign(buffer, length);
    return true;
} catch (...) {
    name.clear();
    return false;
}

// Every name the enumeration yields, in enumeration order.
template <typename Enumerate>
std::vector<std::wstring> CollectNames(HKEY root, const std::wstring& subKey, Enumerate enumerate) {
    std::vector<std::wstring> names;
    TZelRegKey keyHandle;
    std::wstring name;
    for (int32_t index = 0; enumerate(root, subKey, index, keyHandle, name); ++index)
        names.push_back(name);
    return names;
}

} // namespace

bool OpenRegKey(HKEY root, const std::wstring& subKey, REGSAM rights, TZelRegKey& key) {
    key.Reset();
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, rights | kRegistryView, &opened) != ERROR_SUCCESS)
        return false;
    key.Reset(opened);
    return true;
}

bool ReadRegString(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                   std::wstring& value) {
    value.clear();
    if (subKey.empty())
        return false;
    TZelRegKey key;
    return OpenRegKey(root, subKey, KEY_READ, key) && ReadRegString(key, valueName, value);
}

bool ReadRegString(const TZelRegKey& key, const std::wstring& valueName, std::wstring& value) try {
    value.clear();
    if (!key.Valid())
        return false;
    wchar_t buffer[kValueBufferBytes / sizeof(wchar_t)];
    DWORD size = kValueBufferBytes;
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    value.assign(buffer, wcsnlen(buffer, size / sizeof(wchar_t)));
    return true;
} catch (...) {
    value.clear();
    return false;
}

bool WriteRegString(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                    const std::wstring& value, bool flush) try {
    if (subKey.empty())
        return false;
    if (value.empty())
        return DeleteRegValue(root, subKey, valueName, flush);
    bool written = false;
    {
        HKEY created = nullptr;
        if (RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS | kRegistryView, nullptr, &created,
                            nullptr) != ERROR_SUCCESS)
            return false;
        const TZelRegKey key(created);
        // The text up to its first null, followed by one null: the byte string keeps two zero
        // bytes after its content.
        TZelByteString data;
        data.AppendText(value);
        const BYTE* bytes = data.PointerAt(0);
        if (!bytes)
            return false;
        written = RegSetValueExW(key.Get(), valueName.c_str(), 0, REG_SZ, bytes,
                                 static_cast<DWORD>(data.Length()) + 2) == ERROR_SUCCESS;
    }
    FlushAfterSuccess(root, written, flush);
    return written;
} catch (...) {
    return false;
}

bool DeleteRegValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                    bool flush) {
    if (subKey.empty())
        return false;
    bool deleted = false;
    {
        TZelRegKey key;
        if (!OpenRegKey(root, subKey, KEY_WRITE, key))
            return false;
        deleted = RegDeleteValueW(key.Get(), valueName.c_str()) == ERROR_SUCCESS;
    }
    FlushAfterSuccess(root, deleted, flush);
    return deleted;
}

bool EnumRegSubKeyName(HKEY root, const std::wstring& subKey, int32_t index, TZelRegKey& keyHandle,
                       std::wstring& name) {
    return EnumRegName(root, subKey, index, keyHandle, name,
                       [](HKEY key, DWORD entry, wchar_t* buffer, DWORD* length) {
                           return RegEnumKeyExW(key, entry, buffer, length, nullptr, nullptr,
                                                nullptr, nullptr);
                       });
}

bool EnumRegValueName(HKEY root, const std::wstring& subKey, int32_t index, TZelRegKey& keyHandle,
                      std::wstring& name) {
    return EnumRegName(root, subKey, index, keyHandle, name,
                       [](HKEY key, DWORD entry, wchar_t* buffer, DWORD* length) {
                           return RegEnumValueW(key, entry, buffer, length, nullptr, nullptr,
                                                nullptr, nullptr);
                       });
}

bool DeleteRegKey(HKEY root, const std::wstring& subKey, bool flush) try {
    if (subKey.empty())
        return false;
    // All names are taken before the first deletion, which would shift the enumeration.
    const std::vector<std::wstring> subKeyNames = CollectNames(root, subKey, EnumRegSubKeyName);
    const std::vector<std::wstring> valueNames = CollectNames(root, subKey, EnumRegValueName);
    {
        TZelRegKey key;
        if (!OpenRegKey(root, subKey, KEY_WRITE, key))
            return false;
        for (const std::wstring& valueName : valueNames)
            RegDeleteValueW(key.Get(), valueName.c_str());
        // One level deep: a sub-key with sub-keys of its own is refused and stays.
        for (const std::wstring& subKeyName : subKeyNames)
            DeleteKeyIn(key.Get(), subKeyName);
    }
    const bool deleted = DeleteKeyIn(root, subKey);
    FlushAfterSuccess(root, deleted, flush);
    return deleted;
} catch (...) {
    return false;
}

bool GetCommonAppDataPath(std::wstring& path) {
    return ReadRegString(HKEY_LOCAL_MACHINE,
                         L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                         L"Common AppData", path);
}
