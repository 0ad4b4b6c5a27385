#include "strings/ZelStrUtl.h"

#include "strings/LocaleText.h"

#include <utility>

namespace {

constexpr auto npos = std::wstring_view::npos;

bool IsBlank(wchar_t c) {
    return static_cast<std::uint32_t>(c) <= 32;
}

bool IsAsciiLetterOrDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

bool IsDelimiterChar(wchar_t c) {
    return static_cast<std::uint32_t>(c) < 128 && !IsAsciiLetterOrDigit(c);
}

// Whether the occurrence of sub at the 0-based position p of text stands as a whole word. The
// neighbours are judged in the whole text, so an occurrence that overlaps an earlier one ("aa" in
// "aaa" at 2) still sees the character before it.
bool StandsAsWord(std::wstring_view text, size_t p, std::wstring_view sub) {
    const int before = static_cast<int>(p); // 1-based index of the character before
    const int after = static_cast<int>(p + sub.size()) + 1;
    const bool subStartsWithDelimiter = IsDelimiterChar(sub.front());
    const bool subEndsWithDelimiter = IsDelimiterChar(sub.back());
    return (subStartsWithDelimiter || TZelStr::IsDelimiterAt(text, before)) &&
           (subEndsWithDelimiter || TZelStr::IsDelimiterAt(text, after));
}

// 0-based position of the first occurrence of a non-empty sub in text at or after from, exact
// match, that counts under the whole-word rule when asked; npos when there is none. Every later
// occurrence is tried, starting right after the start of the one that did not count.
size_t FindOccurrence(std::wstring_view sub, std::wstring_view text, bool wholeWord, size_t from) {
    size_t p = text.find(sub, from);
    if (wholeWord) {
        while (p != npos && !StandsAsWord(text, p, sub))
            p = text.find(sub, p + 1);
    }
    return p;
}

} // namespace

std::wstring Trim(std::wstring_view s) {
    size_t first = 0;
    size_t end = s.size();
    while (first < end && IsBlank(s[first]))
        ++first;
    while (end > first && IsBlank(s[end - 1]))
        --end;
    return std::wstring(s.substr(first, end - first));
}

// Ignoring case compares the locale's upper-cased forms, which keep every character in its
// place, so a position in them is a position in s.
int FindText(std::wstring_view sub, std::wstring_view s, bool ignoreCase, bool wholeWord) {
    if (sub.empty())
        return 0;
    const size_t p = ignoreCase ? FindOccurrence(UpperCase(sub), UpperCase(s), wholeWord, 0)
                                : FindOccurrence(sub, s, wholeWord, 0);
    return p == npos ? 0 : static_cast<int>(p) + 1;
}

bool TZelStr::IsDelimiterAt(std::wstring_view s, int index) {
    if (index < 1 || static_cast<size_t>(index) > s.size())
        return true;
    return IsDelimiterChar(s[static_cast<size_t>(index) - 1]);
}

std::wstring ExtractToken(std::wstring& s, std::wstring_view separator, bool ignoreCase,
                          bool wholeWord) {
    if (s.empty())
        return {};
    const int p = FindText(separator, s, ignoreCase, wholeWord);
    if (p == 0)
        return std::exchange(s, std::wstring());
    const size_t tokenLength = static_cast<size_t>(p) - 1;
    std::wstring token = s.substr(0, tokenLength);
    s.erase(0, tokenLength + separator.size());
    return token;
}

// The search runs in a copy of s (upper-cased when ignoring case) from just after the last
// replaced occurrence on; the pieces between occurrences are taken from s itself.
std::wstring ReplaceString(std::wstring_view s, std::wstring_view find,
                           std::wstring_view replacement, bool wholeWord, TZelReplaceFlags flags) {
    if (find.empty())
        return std::wstring(s);
    const bool ignoreCase = (flags & rfIgnoreCase) != 0;
    const std::wstring upperS = ignoreCase ? UpperCase(s) : std::wstring();
    const std::wstring upperFind = ignoreCase ? UpperCase(find) : std::wstring();
    const std::wstring_view searchCopy = ignoreCase ? std::wstring_view(upperS) : s;
    const std::wstring_view sought = ignoreCase ? std::wstring_view(upperFind) : find;

    std::wstring result;
    size_t done = 0; // characters of s already in the result
    while (done < searchCopy.size()) {
        const size_t p = FindOccurrence(sought, searchCopy, wholeWord, done);
        if (p == npos)
            break;
        result.append(s.substr(done, p - done)).append(replacement);
        done = p + sought.size();
        if ((flags & rfReplaceAll) == 0)
            break;
    }
    result.append(s.substr(done));
    return result;
}

std::wstring ReplaceAll(std::wstring_view s, std::wstring_view find, std::wstring_view replacement,
                        bool wholeWord) {
    return ReplaceString(s, find, replacement, wholeWord, rfReplaceAll);
}

std::wstring ReplaceAllText(std::wstring_view s, std::wstring_view find,
                            std::wstring_view replacement, bool wholeWord) {
    return ReplaceString(s, find, replacement, wholeWord, rfReplaceAll | rfIgnoreCase);
}

std::wstring Unquote(std::wstring_view s, std::wstring_view quoteChars) {
    const bool enclosed =
        s.size() >= 2 && quoteChars.find(s.front()) != npos && s.back() == s.front();
    if (!enclosed)
        return Trim(s);
    const std::wstring doubled = std::wstring(quoteChars) + std::wstring(quoteChars);
    return ReplaceAll(Trim(s.substr(1, s.size() - 2)), doubled, quoteChars);
}

std::wstring KeepAlphaNumeric(std::wstring_view s) {
    std::wstring kept;
    for (const wchar_t c : s) {
        if (IsAsciiLetterOrDigit(c))
            kept.push_back(c);
    }
    return kept;
}

int32_t ByteLength(const char* text) {
    if (text == nullptr)
        return 0;
    return static_cast<int32_t>(std::char_traits<char>::length(text));
}

int32_t ByteLength(const wchar_t* text) {
    if (text == nullptr)
        return 0;
    return static_cast<int32_t>(std::char_traits<wchar_t>::length(text) * 2);
}

int64_t MakeInt64(int32_t high, uint32_t low) {
    return static_cast<int64_t>(high) * (int64_t{1} << 32) + static_cast<int64_t>(low);
}
