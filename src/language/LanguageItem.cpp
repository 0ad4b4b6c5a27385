// A language of the catalogue, read from the attributes of its "lang" element.
#include "language/ornLxLanguages.h"

#include "markup/ZelMLUtl.h"
#include "strings/ZelStrUtl.h"

namespace {

// The attributes of a "lang" element, read by the catalogue's rules.
class LangAttributes {
public:
    explicit LangAttributes(TZelMLNode& lang) : attributes_(lang.GetAttributes()) {}

    std::wstring Text(std::wstring_view name) { return attributes_.GetValue(name); }
    std::wstring Trimmed(std::wstring_view name) { return Trim(Text(name)); }
    uint32_t Hexadecimal(std::wstring_view name) { return HexadecimalValue(Text(name)); }
    int32_t Decimal(std::wstring_view name) { return IntegerWithDefault(Text(name), 0); }

private:
    TZelMLAttributes& attributes_;
};

// The four flags of the low four bits; higher bits have no flag.
TLxTabStyle TabStyleOf(uint32_t bits) {
    return static_cast<TLxTabStyle>(bits & (tsFlag1 | tsFlag2 | tsFlag4 | tsFlag8));
}

} // namespace

uint32_t HexadecimalValue(std::wstring_view text) {
    std::wstring prefixed = L"$";
    prefixed += text;
    return static_cast<uint32_t>(IntegerWithDefault(prefixed, 0));
}

TLxLanguageItem::TLxLanguageItem(TZelMLNode& lang) {
    LangAttributes attributes(lang);
    Code = attributes.Text(L"code");
    LCID = attributes.Hexadecimal(L"lcid");
    Lang = static_cast<uint8_t>(attributes.Hexadecimal(L"lang"));
    LangID = static_cast<uint16_t>(attributes.Hexadecimal(L"langid"));
    EngID = attributes.Decimal(L"engid");
    TabStyle = TabStyleOf(attributes.Hexadecimal(L"tabstyle"));
    DLLang = attributes.Trimmed(L"dllang");
    DLHost = attributes.Trimmed(L"dlhost");
    DLPath = attributes.Trimmed(L"dlpath");
    DLFile = attributes.Trimmed(L"dlfile");
    sizeList_ = attributes.Text(L"size");
    charsetList_ = attributes.Text(L"charset");
    fontList_ = attributes.Text(L"font");
    EnName = attributes.Text(L"en");
    LocaleValid = IsValidLocale(LCID, LCID_INSTALLED);
}

TLxLanguageItem::~TLxLanguageItem() = default;

const TZelLanguageFontInfo& TLxLanguageItem::FontInfo() const {
    if (!fontInfo_) {
        fontInfo_.emplace();
        fontInfo_->Parse(fontList_, charsetList_, sizeList_);
    }
    return *fontInfo_;
}
