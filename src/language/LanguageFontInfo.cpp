// Choosing a language's font from the font, charset and size lists of its definition.
#include "language/LanguageFontInfo.h"

#include "language/ZelFontUtl.h"
#include "strings/ZelStrUtl.h"

#include <optional>

namespace {

constexpr uint8_t kDefaultCharset = DEFAULT_CHARSET;
constexpr int32_t kDefaultSize = 10;

// The ";"-separated entries of a list, trimmed, one after the other. The entries are the ones
// that cutting them off the front of the list would give; the list is read in one pass instead,
// because cutting copies the rest of the list for every entry, and a definition file with a long
// list would take minutes to load.
class EntryList {
public:
    explicit EntryList(std::wstring_view list) : rest_(list) {}

    bool Empty() const { return rest_.empty(); }

    // Empty once the list is used up.
    std::wstring Next() {
        const size_t separator = rest_.find(L';');
        const std::wstring_view entry = rest_.substr(0, separator);
        rest_ = separator == std::wstring_view::npos ? std::wstring_view()
                                                     : rest_.substr(separator + 1);
        return Trim(entry);
    }

private:
    std::wstring_view rest_;
};

// The charset an entry asks for: hexadecimal, not negative, its low 8 bits. Text that is no
// hexadecimal number reads as 0, the ANSI character set.
std::optional<uint8_t> CharsetOfEntry(const std::wstring& entry) {
    if (entry.empty())
        return std::nullopt;
    const int32_t value = IntegerWithDefault(L"$" + entry, 0);
    if (value < 0)
        return std::nullopt;
    return static_cast<uint8_t>(value & 0xFF);
}

// The point size an entry asks for: decimal and above 0.
std::optional<int32_t> SizeOfEntry(const std::wstring& entry) {
    if (entry.empty())
        return std::nullopt;
    const int32_t value = IntegerWithDefault(entry, 0);
    if (value <= 0)
        return std::nullopt;
    return value;
}

} // namespace

void TZelLanguageFontInfo::Reset() {
    Name.clear();
    Charset = kDefaultCharset;
    Size = kDefaultSize;
}

bool TZelLanguageFontInfo::Parse(std::wstring fontList, std::wstring charsetList,
                                 std::wstring sizeList) try {
    Reset();
    fontList = Trim(fontList);
    charsetList = Trim(charsetList);
    sizeList = Trim(sizeList);
    EntryList fonts(fontList), charsets(charsetList), sizes(sizeList);
    uint8_t charset = kDefaultCharset;
    int32_t size = kDefaultSize;
    while (!fonts.Empty()) {
        const std::wstring candidate = fonts.Next();
        if (const auto entryCharset = CharsetOfEntry(charsets.Next()))
            charset = *entryCharset;
        if (const auto entrySize = SizeOfEntry(sizes.Next()))
            size = *entrySize;
        if (!candidate.empty() && IsFontFamilyInstalled(candidate)) {
            Name = candidate;
            Charset = charset;
            Size = size;
            return true;
        }
    }
    return false;
} catch (...) {
    Reset();
    return false;
}

std::wstring TZelLanguageFontInfo::GetFontName() const try {
    if (!Name.empty())
        return Name;
    std::wstring guiFace = GetDefaultGuiFontInfo().Name;
    if (!guiFace.empty())
        return guiFace;
    return FirstFontOfCharset(false, 0, Charset);
} catch (...) {
    return {};
}
