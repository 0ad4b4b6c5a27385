// The layout of the progress window in design pixels (96 dpi). The window is built from it, and
// the inspector's fit check measures the window's texts against the same places.
#pragma once

#include "toolkit/DpiScaling.h"

namespace progress_layout {

constexpr int kClientWidth = 460;
constexpr int kClientHeight = 110;

// lblSTATUS and lblPROGRESS take the size of their text: only their position is designed. Each
// line has the room down to the next control.
constexpr TZelBounds kStatus{30, 20, 0, 0};
constexpr TZelBounds kProgress{30, 40, 0, 0};
// barPROGRESS.
constexpr TZelBounds kBar{30, 60, 400, 18};
// The raised edge that the window paints inside its client area, two lines wide.
constexpr int kEdgeWidth = 2;

} // namespace progress_layout
