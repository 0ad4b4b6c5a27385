#include "toolkit/ProgressBar.h"

#include "platform/SystemLibrary.h"

#include <commctrl.h>

namespace {

constexpr int kInitialMax = 100;

// The common controls' class registration, looked up once; comctl32 stays loaded for the life
// of the process, as the bar's window procedure lives in it.
decltype(&InitCommonControlsEx) InitFunction() {
    static const TZelSystemLibrary controls(L"comctl32.dll");
    static const auto function =
        controls.Find<decltype(InitCommonControlsEx)>("InitCommonControlsEx");
    return function;
}

void RegisterProgressBarClass() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    if (const auto init = InitFunction())
        init(&controls);
}

} // namespace

TZelProgressBar::TZelProgressBar(TZelForm& form, const TZelBounds& designBounds)
    : TZelControl(form, designBounds) {
    RegisterProgressBarClass();
}

const wchar_t* TZelProgressBar::WindowClass() const {
    return PROGRESS_CLASSW;
}

void TZelProgressBar::HandleCreated() {
    SetMax(kInitialMax);
}

int TZelProgressBar::Position() const {
    return static_cast<int>(SendMessageW(Handle(), PBM_GETPOS, 0, 0));
}

void TZelProgressBar::SetPosition(int position) {
    SendMessageW(Handle(), PBM_SETPOS, position, 0);
}

int TZelProgressBar::Max() const {
    return static_cast<int>(SendMessageW(Handle(), PBM_GETRANGE, FALSE, 0));
}

void TZelProgressBar::SetMax(int max) {
    SendMessageW(Handle(), PBM_SETRANGE32, 0, max);
}
