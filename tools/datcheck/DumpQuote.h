// Quoting of texts in the inspector's output: plain ASCII between double quotes, with escapes
// for the backslash, the double quote, control characters and every unit from U+007F up.
#pragma once

#include <string>
#include <string_view>

std::string QuoteText(std::wstring_view text);
