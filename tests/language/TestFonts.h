// The fonts every language test can count on, registered for the test process before the first
// test runs, and facts about installed families asked of Windows directly.
#pragma once

#include <cstdint>
#include <string>

namespace testing_support {

// Families of the registered test fonts.
inline const std::wstring kVariableJapanese = L"IPAPGothic"; // TrueType, variable pitch
inline const std::wstring kFixedJapanese = L"IPAGothic";     // TrueType, fixed pitch
inline const std::wstring kHebrewCapable = L"DejaVu Sans";   // also reported with HEBREW_CHARSET

constexpr uint8_t kJapaneseCharset = 0x80;
constexpr uint8_t kHebrewCharset = 0xB1;

// How Windows reports a family for one character set.
struct FamilyFacts {
    bool found = false;
    uint8_t pitchAndFamily = 0;
    uint32_t fontType = 0;
};
FamilyFacts AskFamily(const std::wstring& name, uint8_t charset);

} // namespace testing_support
