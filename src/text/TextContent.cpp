#include "text/ZelConvUtl.h"

#include "strings/CodePages.h"

std::wstring TZelCustomTextContent::GetText() const {
    return Text;
}

void TZelCustomTextContent::SetText(const std::wstring& text) {
    Text = text;
}

void TZelCustomTextContent::Clear() {
    CodePage = 0;
    Encoding.clear();
    Text.clear();
}

void TZelCustomTextContent::SetEncoding(const std::wstring& name) {
    Encoding = name;
    if (!name.empty() && CodePage == 0)
        CodePage = CodePageFromCharset(name);
}

// Detection starts from nothing, whatever encoding the object reported before.
bool TZelCustomTextContent::LoadFromBuffer(int32_t size, const void* data) try {
    if (data == nullptr || size <= 0) {
        Clear();
        return false;
    }
    CodePage = 0;
    Encoding.clear();
    SetText(DecodeTextBuffer(data, size, CodePage, Encoding));
    return true;
} catch (...) {
    return false;
}
