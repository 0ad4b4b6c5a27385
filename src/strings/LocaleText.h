// Text comparison and case mapping by the rules of the user's default locale.
//
// Names, codes and keywords from files, options and the registry are compared this way all over
// the launcher; keeping the two locale services behind this one header lets the text code be
// built and checked natively as well.
#pragma once

#include <string>
#include <string_view>

// True when both texts are equal for the user's default locale, ignoring case.
bool SameText(std::wstring_view a, std::wstring_view b);

// Equality for the user's default locale, ignoring case only when asked to.
bool SameString(std::wstring_view a, std::wstring_view b, bool ignoreCase);

// The text upper-cased by the user's default locale.
std::wstring UpperCase(std::wstring_view text);
