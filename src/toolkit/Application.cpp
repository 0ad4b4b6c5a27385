#include "toolkit/Application.h"

#include <cstdint>

namespace {

constexpr wchar_t kApplicationWindowClass[] = L"TZelApplication";

// Tab, Enter and Escape move between and press the controls of a form, as in a dialog box.
bool FormKeyboardFilter(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !message.hwnd)
        return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    return TZelForm::FromHandle(root) && IsDialogMessageW(root, &message);
}

} // namespace

TZelApplication::TZelApplication(TZelTaskbarButton taskbarButton)
    : previousFilter_(SetMessageFilter(FormKeyboardFilter)) {
    if (taskbarButton != TZelTaskbarButton::ApplicationWindow)
        return;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(instance, kApplicationWindowClass, &windowClass)) {
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kApplicationWindowClass;
        RegisterClassExW(&windowClass);
    }
    // A popup of no size: it shows nothing but its taskbar button, which needs it visible.
    window_ = CreateWindowExW(0, kApplicationWindowClass, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                              0, 0, nullptr, nullptr, instance, this);
}

TZelApplication::~TZelApplication() {
    for (auto form = forms_.rbegin(); form != forms_.rend(); ++form)
        (*form)->Destroy();
    forms_.clear();
    if (window_)
        DestroyWindow(window_);
    SetMessageFilter(previousFilter_);
}

void TZelApplication::SetTitle(const std::wstring& title) {
    if (title == title_)
        return;
    title_ = title;
    if (window_)
        SetWindowTextW(window_, title_.c_str());
}

void TZelApplication::AddForm(std::unique_ptr<TZelForm> form) {
    if (!mainForm_)
        mainForm_ = form.get();
    forms_.push_back(std::move(form));
    forms_.back()->Create();
}

HWND TZelApplication::OwnerWindowFor(const TZelForm& form) const {
    if (window_)
        return window_;
    return mainForm_ && mainForm_ != &form ? mainForm_->Handle() : nullptr;
}

bool TZelApplication::CarriesTaskbarButton(const TZelForm& form) const {
    return !window_ && mainForm_ == &form;
}

void TZelApplication::FormDestroyed(const TZelForm& form) {
    if (&form == mainForm_)
        Terminate();
}

void TZelApplication::Run() {
    if (!mainForm_ || !mainForm_->Handle())
        return;
    if (window_)
        ShowWindow(window_, SW_SHOWNA);
    mainForm_->Show();
    while (!terminated_) {
        MSG message;
        bool quitSeen = false;
        if (!PumpOneMessage(message, quitSeen))
            WaitMessage();
        else if (quitSeen)
            terminated_ = true;
    }
}

void TZelApplication::ProcessMessages() {
    if (!ProcessPendingMessages(INT32_MAX))
        terminated_ = true;
}

LRESULT CALLBACK TZelApplication::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    } else if (message == WM_CLOSE) {
        // Closing the taskbar button closes the main form instead of destroying this window.
        auto* application =
            reinterpret_cast<TZelApplication*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (application && application->mainForm_)
            application->mainForm_->Close();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
