// Local time stamps in the forms the launcher writes, with the user locale's separators.
#pragma once

#include <string>

// "yyyy-mm-dd hh:nn:ss" (log lines: only the time separator follows the locale) when
// dashedDate is set, else "yyyy/mm/dd hh:nn:ss" with the locale's date and time separators.
std::wstring FormatLocalTime(bool dashedDate);

// The current local date as "yyyymmdd".
std::wstring FormatLocalDate();
