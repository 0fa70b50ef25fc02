#pragma once

#include <cstdint>
#include <span>

#include "builder/bitmap.h"
#include "builder/bitmap_view.h"

namespace varnel {

// Resizes a bitmap to width x height with the area-averaging resampler into a bitmap
// whose buffer is reused when it is large enough (fresh memory is slow to touch); the
// result is 24-bit, so every channel of the picture passes unchanged, and its row padding
// is zero. Refuses, giving false with resized undefined, when one dimension would shrink
// while the other grows, when a size is 0, or when the result would be too large to write
// as a BMP file. A dimension that stays equal never causes a refusal.
bool ResizeBitmapInto(const BitmapView& source, uint16_t width, uint16_t height, Bitmap& resized);

// One size of a picture resized by ResizeBitmapsInto, into a bitmap whose buffer is reused.
struct ResizeTarget {
  uint16_t width = 0;
  uint16_t height = 0;
  Bitmap* out = nullptr;
  bool made = false;  // false, with *out undefined, where ResizeBitmapInto would give false
};

// Resizes one source to several sizes, each as ResizeBitmapInto would, reading the
// source's rows once for all the sizes that shrink it (the 240 x 160 version and the
// thumbnail of a photograph): where the source lies in memory, reading it is much of the
// work.
void ResizeBitmapsInto(const BitmapView& source, std::span<ResizeTarget> targets);

// The refusal rule alone: (sw > W and sh < H) or (sw < W and sh > H).
bool ResizeIsRefused(int sourceWidth, int sourceHeight, int width, int height);

}  // namespace varnel
