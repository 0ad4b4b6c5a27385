// The device context of the whole screen, for the font list and for measuring text outside of
// painting.
#pragma once

#include <windows.h>

// Releases the screen's device context at the end of its life.
class TZelScreenDC {
public:
    TZelScreenDC() : dc_(GetDC(nullptr)) {}
    ~TZelScreenDC() {
        if (dc_)
            ReleaseDC(nullptr, dc_);
    }
    TZelScreenDC(const TZelScreenDC&) = delete;
    TZelScreenDC& operator=(const TZelScreenDC&) = delete;

    HDC Handle() const { return dc_; }

private:
    HDC dc_;
};
