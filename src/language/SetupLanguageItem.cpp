// A setup language: the language item with its installer file and window texts, read from the
// "item" elements of its "lang" element.
#include "language/ornLxLanguages.h"

#include "markup/ZelMLUtl.h"
#include "strings/LocaleText.h"
#include "strings/ZelStrUtl.h"

TLxSetupLanguageItem::TLxSetupLanguageItem(TZelMLNode& lang) : TLxLanguageItem(lang) {
    for (TZelMLNode* child = lang.FirstChild; child; child = child->NextSibling) {
        // An "item" end tag has no attributes and so fills nothing.
        if (!SameText(child->GetName(), L"item"))
            continue;
        TZelMLAttributes& attributes = child->GetAttributes();
        ReadText(attributes.GetValue(L"name"),
                 ReplaceAllText(attributes.GetValue(L"value"), L"\\n", L"\r\n"));
    }
}

void TLxSetupLanguageItem::ReadText(const std::wstring& name, std::wstring value) {
    // Keywords compare untrimmed; only a message number may have blanks around it.
    const std::pair<const wchar_t*, std::wstring*> keywords[] = {
        {L"file", &SetupFile},       {L"title", &Title},   {L"start", &StartCaption},
        {L"cancel", &CancelCaption}, {L"engvew", &EngVew}, {L"engman", &EngMan},
        {L"engsta", &EngSta},        {L"engist", &EngIst},
    };
    for (const auto& [keyword, field] : keywords) {
        if (SameText(name, keyword)) {
            *field = std::move(value);
            return;
        }
    }
    const int32_t number = IntegerWithDefault(Trim(name), 0);
    if (number >= kFirstMessage && number <= kLastMessage)
        Messages[number - kFirstMessage] = std::move(value);
}

std::wstring TLxSetupLanguageItem::GetMessage(int number) const {
    if (number < kFirstMessage || number > kLastMessage)
        return {};
    return Messages[number - kFirstMessage];
}

bool TLxSetupLanguageItem::UpdateUsable() {
    Usable = LocaleValid && !FontInfo().Name.empty();
    return Usable;
}

std::unique_ptr<TLxLanguageItem> TLxSetupLanguageCollection::CreateItem(TZelMLNode& lang) {
    return std::make_unique<TLxSetupLanguageItem>(lang);
}
