// A tag's attributes: splitting a token into name and value, rebuilding it, and the lookups.
#include "markup/ZelMLUtl.h"

#include "markup/CharRefs.h"
#include "strings/LocaleText.h"
#include "strings/ZelStrUtl.h"

namespace {

// Values may be written between double quotes or apostrophes.
const wchar_t* const QuoteChars = L"\"'";

} // namespace

std::wstring DecodeAttributeValue(const std::wstring& s) {
    return DecodeCharRefs(Unquote(s, QuoteChars));
}

std::wstring QuoteAttributeValue(const std::wstring& value) {
    return L"\"" + EncodeCharRefs(value) + L"\"";
}

TZelMLAttribute::TZelMLAttribute(std::wstring text) : Text(std::move(text)) {}

void TZelMLAttribute::Parse() {
    if (!Name.empty())
        return;
    const size_t equals = Text.find(L'=');
    HasValue = equals != std::wstring::npos;
    if (!HasValue) {
        Name = Text;
        Value.clear();
        return;
    }
    Name = Trim(Text.substr(0, equals));
    Value = DecodeAttributeValue(Trim(Text.substr(equals + 1)));
}

void TZelMLAttribute::Build() {
    if (Name.empty())
        return;
    Text = Name;
    if (HasValue || !Value.empty())
        Text += L"=" + QuoteAttributeValue(Value);
}

const std::wstring& TZelMLAttribute::GetName() {
    Parse();
    return Name;
}

const std::wstring& TZelMLAttribute::GetValue() {
    Parse();
    return Value;
}

const std::wstring& TZelMLAttribute::GetText() {
    // The rebuilt token comes from the parsed name and value, so parse a token nobody has read.
    Parse();
    Build();
    return Text;
}

TZelMLAttributes::TZelMLAttributes(TZelMLNode* node) : Node(node) {}

TZelMLAttribute* TZelMLAttributes::Add(std::wstring text) {
    Items.push_back(std::make_unique<TZelMLAttribute>(std::move(text)));
    return Items.back().get();
}

TZelMLAttribute* TZelMLAttributes::Find(std::wstring_view name) {
    if (name.empty())
        return nullptr;
    for (const auto& attribute : Items)
        if (SameText(attribute->GetName(), name))
            return attribute.get();
    return nullptr;
}

std::wstring TZelMLAttributes::GetValue(std::wstring_view name) {
    TZelMLAttribute* attribute = Find(name);
    return attribute ? attribute->GetValue() : std::wstring();
}
