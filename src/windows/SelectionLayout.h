// The layout of the language selection window in design pixels (96 dpi). The window is built from
// it, and the inspector's fit check measures the window's texts against the same places.
#pragma once

#include "toolkit/DpiScaling.h"

namespace selection_layout {

constexpr int kClientWidth = 440;
constexpr int kClientHeight = 220;

// lblMSG: message 101, broken between words.
constexpr TZelBounds kMessage{10, 10, 420, 60};
// lstLANG: one row per language, its English name drawn a little way in from the row's left.
constexpr TZelBounds kLanguages{50, 75, 340, 90};
constexpr int kRowHeight = 16;
// In pixels of the screen: the indent is not scaled with the dpi.
constexpr int kRowTextIndent = 4;
// btnSTART and btnCANCEL.
constexpr TZelBounds kStart{165, 180, 100, 25};
constexpr TZelBounds kCancel{300, 180, 100, 25};

} // namespace selection_layout
