// Owners of GDI handles: drawing objects, the screen's device context, a paint context and an
// object selected into a device context for one scope.
#pragma once

#include "platform/ScreenDC.h"

#include <windows.h>

#include <utility>

// Owns a pen, brush or font and deletes it at the end of its life.
template <class THandle> class TZelGdiObject {
public:
    TZelGdiObject() = default;
    explicit TZelGdiObject(THandle handle) : handle_(handle) {}
    ~TZelGdiObject() { Reset(); }
    TZelGdiObject(TZelGdiObject&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    TZelGdiObject& operator=(TZelGdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, {});
        }
        return *this;
    }

    THandle Handle() const { return handle_; }

private:
    void Reset() {
        if (handle_)
            DeleteObject(handle_);
        handle_ = {};
    }

    THandle handle_{};
};

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
