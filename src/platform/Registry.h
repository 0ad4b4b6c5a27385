// Registry access: reading, writing and removing the launcher's registry data.
//
// Every operation given a path opens the key it needs, does one job and closes the key again;
// a caller reading several values of one key may open it once and read from it. None raises;
// failure is reported as false, and texts filled by a call are emptied before anything else, so
// a failed call leaves them empty. An empty sub-key path makes the reading, writing and deleting
// operations fail at once; the enumerations then address the root itself.
#pragma once

#include "platform/Owned.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The registry view every key is opened in. The launcher is a 32-bit program and uses the
// default view of a 32-bit process, which on 64-bit Windows is the 32-bit view of
// HKEY_LOCAL_MACHINE\Software; a 64-bit build asks for that view explicitly to meet the same keys.
constexpr REGSAM kRegistryView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : 0;

// Closes key and opens root\subKey into it in the launcher's registry view; false on failure,
// the key then stays empty.
bool OpenRegKey(HKEY root, const std::wstring& subKey, REGSAM rights, TZelRegKey& key);

// Value: the data of root\subKey\valueName read as UTF-16 text up to its first null, whatever
// its registry type. Data longer than 1024 bytes (511 characters and the null) is not read.
bool ReadRegString(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                   std::wstring& value);

// The same read from a key already open for reading; an empty key reads nothing.
bool ReadRegString(const TZelRegKey& key, const std::wstring& valueName, std::wstring& value);

// Writes value as REG_SZ, creating every missing key on the way. An empty value deletes the value
// instead (DeleteRegValue). With flush set the root is flushed after a successful write.
bool WriteRegString(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                    const std::wstring& value, bool flush);

// Deletes one value; with flush set the root is flushed after a successful deletion.
bool DeleteRegValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                    bool flush);

// The enumerations: call with index 0, 1, 2 ... while the result is true. Index 0 (or a closed
// keyHandle) opens root\subKey into keyHandle; it stays open between calls and is closed by the
// first failing call (no more entries, a name of 1024 characters or more, a vanished key). A
// caller that stops early still holds the open key, which its owner closes.
bool EnumRegSubKeyName(HKEY root, const std::wstring& subKey, int32_t index, TZelRegKey& keyHandle,
                       std::wstring& name);
bool EnumRegValueName(HKEY root, const std::wstring& subKey, int32_t index, TZelRegKey& keyHandle,
                      std::wstring& name);

// Deletes root\subKey with its values and those sub-keys that have no sub-keys of their own.
// The result is whether the key itself was deleted; with flush set the root is then flushed.
// What was deleted on the way is not restored when the key itself stays.
bool DeleteRegKey(HKEY root, const std::wstring& subKey, bool flush);

// The "Common AppData" shell folder as stored in the registry (no variables expanded, no
// trailing backslash added).
bool GetCommonAppDataPath(std::wstring& path);
