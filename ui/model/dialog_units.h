#pragma once

#include <string_view>

#include "ui/model/dialog_template.h"

namespace varnel {

// The dialog font's base units in pixels: its average character width and its height.
// A dialog unit is a quarter of the first horizontally and an eighth of the second
// vertically, so a template keeps its proportions with whatever font shows it.
struct DialogBaseUnits {
  int x = 0;
  int y = 0;
};

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;
};

// The letters whose mean width gives the horizontal base unit.
inline constexpr std::string_view kBaseUnitLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The horizontal base unit from the pixel width of kBaseUnitLetters: half the width of
// 26 letters, rounded.
int HorizontalBaseUnit(int lettersWidth);

// The template's font (8-point MS Sans Serif) is 13 pixels high; the preview area has a
// fixed pixel rectangle, so the dialog font is chosen to match that height.
inline constexpr int kTemplateFontHeight = 13;
// Its average character width; widths given in pixels for that font (the list columns)
// grow with a wider font so their texts still fit.
inline constexpr int kTemplateFontAverageWidth = 6;

int ScaledToFontWidth(int templatePixels, const DialogBaseUnits& base);

int HorizontalPixels(int dialogUnits, const DialogBaseUnits& base);
int VerticalPixels(int dialogUnits, const DialogBaseUnits& base);
PixelRect ToPixels(const DialogRect& rect, const DialogBaseUnits& base);

}  // namespace varnel
