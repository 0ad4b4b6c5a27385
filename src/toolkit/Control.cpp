#include "toolkit/Control.h"

#include "toolkit/Form.h"

TZelControl::TZelControl(TZelForm& form, const TZelBounds& designBounds, std::wstring caption)
    : form_(form), designBounds_(designBounds), initialCaption_(std::move(caption)),
      id_(form.RegisterControl(*this)) {}

void TZelControl::CreateHandle(HWND parent, int dpi, HFONT font) {
    const TZelBounds bounds = ScaleFromDesign(designBounds_, dpi);
    const DWORD style = Style() | WS_CHILD | WS_VISIBLE | (initiallyEnabled_ ? 0 : WS_DISABLED);
    handle_ = CreateWindowExW(ExStyle(), WindowClass(), initialCaption_.c_str(), style, bounds.left,
                              bounds.top, bounds.width, bounds.height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                              GetModuleHandleW(nullptr), nullptr);
    if (!handle_)
        return;
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    HandleCreated();
    FontChanged();
}

void TZelControl::ApplyFont(HFONT font) {
    if (!handle_)
        return;
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    FontChanged();
}

std::wstring TZelControl::Caption() const {
    if (!handle_)
        return initialCaption_;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TZelControl::SetCaption(const std::wstring& caption) {
    if (!handle_) {
        initialCaption_ = caption;
        return;
    }
    // The same text again would only be stored and drawn again.
    if (Caption() == caption)
        return;
    SetWindowTextW(handle_, caption.c_str());
    TextChanged();
}

bool TZelControl::Enabled() const {
    return handle_ ? IsWindowEnabled(handle_) != FALSE : initiallyEnabled_;
}

void TZelControl::SetEnabled(bool enabled) {
    if (handle_)
        EnableWindow(handle_, enabled);
    else
        initiallyEnabled_ = enabled;
}

int TZelControl::Width() const {
    RECT bounds{};
    if (handle_)
        GetWindowRect(handle_, &bounds);
    return bounds.right - bounds.left;
}

HFONT TZelControl::Font() const {
    return handle_ ? reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0)) : nullptr;
}
