// Notes of machine state that a test changed, kept in the registry of the Wine prefix until the
// test has put the state back. A test program that is stopped (at CTest's time limit, say)
// cannot put anything back: its note lets the next guard of the same state do it, so that one
// stopped test does not spoil every later run in the prefix.
#pragma once

#include <optional>
#include <string>

namespace testing_support {

// What to put back of the state named key, as noted by a test program that has ended without
// doing it; the note is struck off. Nullopt when there is no such note.
std::optional<std::wstring> TakeAbandonedNote(const std::wstring& key);

// Notes how to put the state back. False, and nothing noted, when a running program's note
// stands already: an outer guard of the same state in this program.
bool NoteHowToRestore(const std::wstring& key, const std::wstring& saved);

// Strikes off the note once the state is back.
void StrikeNote(const std::wstring& key);

} // namespace testing_support
