// A key of the launcher's registry view that everyone may read but nobody may change, as a
// locked-down machine could leave the temporary key of silent runs. Its own access list is noted
// beforehand (RestoreNotes.h) and put back at the end of the scope; a test program stopped before
// then leaves the note, and the next silent-run test puts the access list back first.
#pragma once

#include "platform/Registry.h"

#include <windows.h>

#include <string>

class ReadOnlyKey {
public:
    ReadOnlyKey(HKEY root, const wchar_t* subKey);
    ~ReadOnlyKey();
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

    bool Applied() const { return applied_; }

    // Puts back the access list that a stopped test program left read-only.
    static void RepairAbandoned(HKEY root, const wchar_t* subKey);

private:
    TZelRegKey key_;
    std::wstring noteKey_;
    std::wstring saved_;
    bool applied_ = false;
};
