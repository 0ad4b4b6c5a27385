// Window layouts are designed in pixels at 96 dots per inch and scaled to the screen's dpi.
#pragma once

constexpr int kDesignDpi = 96;

// The dots per inch of the screen (its logical pixels per inch vertically).
int SystemDpi();

// A design length scaled from 96 dpi to dpi, rounded to the nearest pixel.
int ScaleFromDesign(int value, int dpi);

// The position and size of a control, in design pixels or in pixels of the screen.
struct TZelBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Position and size scaled each on its own, as design tools scale a layout.
TZelBounds ScaleFromDesign(const TZelBounds& bounds, int dpi);
