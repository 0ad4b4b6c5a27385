// GDI in a scope: the owners of drawing objects and of the screen's device context, a paint
// context and an object selected into a device context for one scope.
#pragma once

#include "platform/Owned.h"
#include "platform/ScreenDC.h"

#include <windows.h>

// The paint context of one WM_PAINT.
class TZelPaintDC {
public:
    explicit TZelPaintDC(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
    ~TZelPaintDC() { EndPaint(window_, &paint_); }
    TZelPaintDC(const TZelPaintDC&) = delete;
    TZelPaintDC& operator=(const TZelPaintDC&) = delete;

    HDC Handle() const { return paint_.hdc; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// Selects an object into a device context and puts the previous one back at the end of scope.
class TZelSelection {
public:
    TZelSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~TZelSelection() {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    TZelSelection(const TZelSelection&) = delete;
    TZelSelection& operator=(const TZelSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
