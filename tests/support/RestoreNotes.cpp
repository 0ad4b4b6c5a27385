#include "RestoreNotes.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>

namespace testing_support {
namespace {

constexpr wchar_t kNotesKey[] = L"Software\\PagrionTests\\RestoreNotes";
constexpr wchar_t kSeparator = L'|';

// A note: the id of the noting process, the separator, then what to put back.
struct Note {
    DWORD processId = 0;
    std::wstring saved;
};

class NotesKey {
public:
    NotesKey() {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kNotesKey, 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                            nullptr) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~NotesKey() {
        if (key_)
            RegCloseKey(key_);
    }
    NotesKey(const NotesKey&) = delete;
    NotesKey& operator=(const NotesKey&) = delete;

    std::optional<Note> Read(const std::wstring& name) const {
        DWORD size = 0;
        if (!key_ ||
            RegQueryValueExW(key_, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key_, name.c_str(), nullptr, nullptr,
                             reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
            return std::nullopt;
        text.resize(wcsnlen(text.c_str(), size / sizeof(wchar_t)));
        const size_t separator = text.find(kSeparator);
        if (separator == std::wstring::npos)
            return std::nullopt;
        return Note{static_cast<DWORD>(std::wcstoul(text.c_str(), nullptr, 10)),
                    text.substr(separator + 1)};
    }
    void Write(const std::wstring& name, const Note& note) const {
        const std::wstring text = std::to_wstring(note.processId) + kSeparator + note.saved;
        if (key_)
            RegSetValueExW(key_, name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    void Remove(const std::wstring& name) const {
        if (key_)
            RegDeleteValueW(key_, name.c_str());
    }

private:
    HKEY key_ = nullptr;
};

bool IsRunning(DWORD processId) {
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process)
        return false;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

} // namespace

std::optional<std::wstring> TakeAbandonedNote(const std::wstring& key) {
    const NotesKey notes;
    const std::optional<Note> note = notes.Read(key);
    if (!note || IsRunning(note->processId))
        return std::nullopt;
    notes.Remove(key);
    return note->saved;
}

bool NoteHowToRestore(const std::wstring& key, const std::wstring& saved) {
    const NotesKey notes;
    if (const std::optional<Note> note = notes.Read(key); note && IsRunning(note->processId))
        return false;
    notes.Write(key, {GetCurrentProcessId(), saved});
    return true;
}

void StrikeNote(const std::wstring& key) {
    NotesKey().Remove(key);
}

} // namespace testing_support
