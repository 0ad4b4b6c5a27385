// The text functions that split a tag's text: line-break normalisation, the tag's inside, its
// first word and its attribute tokens.
#include "markup/ZelMLUtl.h"

#include "markup/Blanks.h"
#include "strings/ZelStrUtl.h"

std::wstring CopyTextRange(std::wstring_view text, size_t start, size_t end) {
    end = std::min(end, text.size());
    std::wstring copy;
    if (start >= end)
        return copy;
    copy.reserve(end - start);
    for (size_t i = start; i < end; ++i) {
        const wchar_t c = text[i];
        if (c != L'\r' && c != L'\n') {
            copy += c;
            continue;
        }
        copy += L"\r\n";
        const wchar_t partner = c == L'\r' ? L'\n' : L'\r';
        if (i + 1 < end && text[i + 1] == partner)
            ++i; // CR LF and LF CR are one line break
    }
    return copy;
}

std::wstring_view StripTagDelimiters(std::wstring_view text) {
    auto isMarker = [](wchar_t c) { return c == L'?' || c == L'!' || c == L'/'; };
    size_t begin = 0;
    if (text.starts_with(L'<')) {
        begin = 1;
        if (text.size() > 1 && isMarker(text[1]))
            begin = 2;
    }
    size_t end = text.size();
    if (text.ends_with(L'>'))
        end -= end >= 2 && isMarker(text[end - 2]) ? 2 : 1;
    // "<!>", "</>" and "<?>": the markers at both ends overlap and leave nothing inside.
    return end > begin ? text.substr(begin, end - begin) : std::wstring_view();
}

void ExtractFirstWord(std::wstring_view inner, std::wstring& word, std::wstring& rest) {
    size_t i = 0;
    while (i < inner.size() && IsBlank(inner[i]))
        ++i;
    while (i < inner.size() && !IsBlank(inner[i]))
        ++i;
    word = CopyTextRange(inner, 0, i);
    rest = Trim(std::wstring(inner.substr(i)));
}

std::wstring NextAttributeToken(std::wstring_view text, size_t& position) {
    const size_t start = position;
    bool nonBlankSeen = false;
    bool equalsSeen = false;
    bool valueStarted = false;
    wchar_t quote = L'\0'; // the quote character of a quoted value that has started
    size_t i = start;
    while (i < text.size()) {
        const wchar_t c = text[i];
        if (quote == L'\0' && IsBlank(c)) {
            if (nonBlankSeen) {
                position = i; // the next token begins with this blank
                return std::wstring(text.substr(start, i - start));
            }
            ++i;
            continue;
        }
        nonBlankSeen = true;
        ++i;
        if (quote != L'\0') {
            if (c != quote)
                continue;
            std::wstring token(text.substr(start, i - start));
            while (i < text.size() && IsBlank(text[i]))
                ++i;
            position = i;
            return token;
        }
        if (!equalsSeen && c == L'=') {
            equalsSeen = true;
        } else if (equalsSeen && !valueStarted) {
            valueStarted = true;
            if (c == L'"' || c == L'\'')
                quote = c;
        }
    }
    position = text.size();
    return std::wstring(text.substr(start));
}
