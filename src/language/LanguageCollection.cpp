// The catalogue and its reading from the parsed language definition file.
#include "language/ornLxLanguages.h"

#include "markup/ZelMLUtl.h"
#include "strings/LocaleText.h"

#include <algorithm>

TLxLanguageCollection::TLxLanguageCollection() = default;
TLxLanguageCollection::~TLxLanguageCollection() = default;

void TLxLanguageCollection::Clear() {
    items_.clear();
}

TLxLanguageItem* TLxLanguageCollection::Items(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return items_[index].get();
}

void TLxLanguageCollection::Remove(const TLxLanguageItem* item) {
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [item](const auto& held) { return held.get() == item; });
    if (found != items_.end())
        items_.erase(found);
}

void TLxLanguageCollection::ReadHeader(TZelMLNode&) {}

std::unique_ptr<TLxLanguageItem> TLxLanguageCollection::CreateItem(TZelMLNode& lang) {
    return std::make_unique<TLxLanguageItem>(lang);
}

bool TLxLanguageCollection::LoadFromDocument(TZelMLDocumentRoot& root) try {
    Clear();
    TZelMLNode* language = root.FindElement(L"language");
    if (!language)
        return false;
    ReadHeader(*language);
    for (TZelMLNode* child = language->FirstChild; child; child = child->NextSibling) {
        // The end tag that closes a "lang" element carries its name too.
        if (child->Kind == mlnEndTag || !SameText(child->GetName(), L"lang"))
            continue;
        std::unique_ptr<TLxLanguageItem> item = CreateItem(*child);
        if (!item->Code.empty() && item->LangID != 0)
            items_.push_back(std::move(item));
    }
    return Count() > 0;
} catch (...) {
    // The languages read before the failure stay.
    return Count() > 0;
}
