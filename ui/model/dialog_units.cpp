#include "ui/model/dialog_units.h"

namespace varnel {

namespace {
// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}
}  // namespace

int HorizontalBaseUnit(int lettersWidth) {
  return (lettersWidth / 26 + 1) / 2;
}

int HorizontalPixels(int dialogUnits, const DialogBaseUnits& base) {
  return MulDiv(dialogUnits, base.x, 4);
}

int VerticalPixels(int dialogUnits, const DialogBaseUnits& base) {
  return MulDiv(dialogUnits, base.y, 8);
}

int ScaledToFontWidth(int templatePixels, const DialogBaseUnits& base) {
  return MulDiv(templatePixels, base.x, kTemplateFontAverageWidth);
}

PixelRect ToPixels(const DialogRect& rect, const DialogBaseUnits& base) {
  // Convert the corners, not the sizes, so that adjacent controls stay adjacent.
  const int left = HorizontalPixels(rect.x, base);
  const int top = VerticalPixels(rect.y, base);
  const int right = HorizontalPixels(rect.x + rect.width, base);
  const int bottom = VerticalPixels(rect.y + rect.height, base);
  return {left, top, right - left, bottom - top};
}

}  // namespace varnel
