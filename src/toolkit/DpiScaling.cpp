#include "toolkit/DpiScaling.h"

#include "toolkit/GdiObjects.h"

int SystemDpi() {
    TZelScreenDC screen;
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

int ScaleFromDesign(int value, int dpi) {
    return MulDiv(value, dpi, kDesignDpi);
}

TZelBounds ScaleFromDesign(const TZelBounds& bounds, int dpi) {
    return {ScaleFromDesign(bounds.left, dpi), ScaleFromDesign(bounds.top, dpi),
            ScaleFromDesign(bounds.width, dpi), ScaleFromDesign(bounds.height, dpi)};
}
