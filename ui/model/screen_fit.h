#pragma once

#include "ui/model/dialog_units.h"

namespace varnel {

struct PixelSize {
  int width = 0;
  int height = 0;
};

// What the window adds around its client area: borders, title bar and menu bar.
inline constexpr PixelSize kWindowFrameAllowance = {16, 72};

// The smallest share of the font's base units a layout is shrunk to, in percent: below it
// the texts are no longer legible, and the window manager places what is still too large.
inline constexpr int kSmallestLayoutPercent = 70;

// The base units that fit the main window, frame included, into the available area of a
// screen. A window that fits keeps the font's own units, pixel for pixel; a larger one
// shrinks both units by the same share, down to the legible floor, and always keeps
// room for the preview area (UnitsHoldingPreview).
DialogBaseUnits BaseUnitsFittingScreen(const DialogBaseUnits& fontUnits, PixelSize available);

// The smallest units, no smaller than these, whose layout holds the 240 x 160 preview area
// between its neighbours without touching them: a small font spreads the layout out just
// enough for it.
DialogBaseUnits UnitsHoldingPreview(DialogBaseUnits units);

}  // namespace varnel
