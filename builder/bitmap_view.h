#pragma once

#include <cstddef>
#include <cstdint>

#include "builder/bitmap.h"

namespace varnel {

// Read access to a 24-bit picture wherever its rows are held: one of our bitmaps (blue
// first, bottom-up, bitmap.h), or the decoded picture's own memory (red first, top-down),
// which is read where it lies rather than copied into a bitmap first. Every reader gets
// the pixels of the bitmap the picture would make: channel order and row order are the
// view's to undo, and nothing a reader computes depends on where the rows are.
class BitmapView {
 public:
  BitmapView() = default;
  // A bitmap whose rows are shorter than its size says gives an empty view.
  BitmapView(const Bitmap& bitmap)  // NOLINT(google-explicit-constructor): a bitmap is a view
      : width_(bitmap.width), height_(bitmap.height) {
    const std::size_t needed = bitmap.empty() ? 0 : bitmap.stride() * std::size_t(bitmap.height);
    if (bitmap.empty() || bitmap.rows.size() < needed) {
      width_ = height_ = 0;
      return;
    }
    bottom_ = bitmap.rows.data();
    step_ = static_cast<std::ptrdiff_t>(bitmap.stride());
  }

  // Rows of a bitmap's layout held elsewhere: blue first, bottom-up, stride bytes each.
  static BitmapView OfBottomUpBgr(const uint8_t* rows, int width, int height) {
    return BitmapView(rows, static_cast<std::ptrdiff_t>(Bitmap::StrideOf(width)), width, height,
                      false);
  }
  // A decoded picture's rows: the top row first, pitch bytes apart, each pixel red, green,
  // blue (redFirst) or blue, green, red.
  static BitmapView OfTopDown(const uint8_t* pixels, int width, int height, std::size_t pitch,
                              bool redFirst) {
    const std::size_t last = static_cast<std::size_t>(height > 0 ? height - 1 : 0);
    return BitmapView(pixels + pitch * last, -static_cast<std::ptrdiff_t>(pitch), width, height,
                      redFirst);
  }

  // A rectangle of the view, counted from its top-left corner, read where it lies: the
  // same rows, only a later start and fewer pixels. Its rows are walked as those of a
  // picture of exactly that size. The rectangle must lie within the view.
  BitmapView Part(int x, int y, int width, int height) const {
    const uint8_t* bottom = RowFromBottom(height_ - y - height) + std::ptrdiff_t{x} * 3;
    return BitmapView(bottom, step_, width, height, redFirst_);
  }

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }
  // True when a pixel's bytes are red, green, blue; false for a bitmap's blue, green, red.
  bool redFirst() const { return redFirst_; }

  // Row r counted from the bottom, as the bitmap's rows are counted.
  const uint8_t* RowFromBottom(int r) const { return bottom_ + step_ * std::ptrdiff_t{r}; }
  // Pixel (x, y) counted from the top-left corner.
  const uint8_t* PixelFromTop(int x, int y) const {
    return RowFromBottom(height_ - 1 - y) + std::ptrdiff_t{x} * 3;
  }
  // The bitmap's blue, green and red of a pixel of the view.
  uint8_t Blue(const uint8_t* pixel) const { return pixel[redFirst_ ? 2 : 0]; }
  uint8_t Green(const uint8_t* pixel) const { return pixel[1]; }
  uint8_t Red(const uint8_t* pixel) const { return pixel[redFirst_ ? 0 : 2]; }

 private:
  BitmapView(const uint8_t* bottom, std::ptrdiff_t step, int width, int height, bool redFirst)
      : bottom_(bottom), step_(step), width_(width), height_(height), redFirst_(redFirst) {}

  const uint8_t* bottom_ = nullptr;
  std::ptrdiff_t step_ = 0;  // bytes from a row to the one above it
  int width_ = 0;
  int height_ = 0;
  bool redFirst_ = false;
};

// The view's pixels into a bitmap (its layout, zero padding); the bitmap's buffer is
// reused when it is large enough.
void CopyIntoBitmap(const BitmapView& view, Bitmap& bitmap);

}  // namespace varnel
