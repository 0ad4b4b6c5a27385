#include "toolkit/Timer.h"

#include "toolkit/Form.h"

TZelTimer::TZelTimer(TZelForm& form, uint32_t intervalMs)
    : form_(form), interval_(intervalMs), id_(form.RegisterTimer(*this)) {}

void TZelTimer::SetInterval(uint32_t intervalMs) {
    interval_ = intervalMs;
    Arm();
}

void TZelTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Arm();
}

// Sets the platform timer to the current state; a form without a window arms it on creation.
void TZelTimer::Arm() {
    const HWND window = form_.Handle();
    if (!window)
        return;
    KillTimer(window, static_cast<UINT_PTR>(id_));
    if (enabled_ && interval_ > 0)
        SetTimer(window, static_cast<UINT_PTR>(id_), interval_, nullptr);
}

void TZelTimer::Tick() {
    if (enabled_ && OnTimer)
        OnTimer();
}
