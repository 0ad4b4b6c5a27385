#include "DumpQuote.h"

#include <cstdio>

std::string QuoteText(std::wstring_view text) {
    std::string quoted = "\"";
    for (const wchar_t unit : text) {
        switch (unit) {
        case L'\\':
            quoted += "\\\\";
            break;
        case L'"':
            quoted += "\\\"";
            break;
        case L'\r':
            quoted += "\\r";
            break;
        case L'\n':
            quoted += "\\n";
            break;
        case L'\t':
            quoted += "\\t";
            break;
        default:
            if (unit < 0x20 || unit >= 0x7F) {
                // Each UTF-16 unit on its own: a surrogate pair gives two escapes.
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
                quoted += escape;
            } else {
                quoted += static_cast<char>(unit);
            }
        }
    }
    return quoted + "\"";
}
