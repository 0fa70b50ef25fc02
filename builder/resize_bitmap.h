#pragma once

#include <cstdint>
#include <optional>

#include "builder/bitmap.h"
#include "builder/bitmap_view.h"

namespace varnel {

// Resizes a bitmap to width x height with the area-averaging resampler and gives the new
// bitmap (24-bit, so every channel of the picture passes unchanged). Refuses, giving
// nothing, when one dimension would shrink while the other grows, when a size is 0, or
// when the result would be too large to write as a BMP file. A dimension that stays equal
// never causes a refusal.
//
// Takes the source over: a shrink reuses its rows (the result of a full-size conversion
// is nearly as large as the picture), and an unchanged size gives it back as it is,
// which is what the shrinking pass would compute.
std::optional<Bitmap> ResizeBitmap(Bitmap source, uint16_t width, uint16_t height);

// The same resize from a source that stays as it is, for a picture converted to several
// sizes: the result gets a buffer of its own size.
std::optional<Bitmap> ResizeBitmapFrom(const BitmapView& source, uint16_t width, uint16_t height);

// The same into a bitmap whose buffer is reused when it is large enough (fresh memory is
// slow to touch); false, with resized undefined, where ResizeBitmapFrom gives nothing.
bool ResizeBitmapInto(const BitmapView& source, uint16_t width, uint16_t height, Bitmap& resized);

// The refusal rule alone: (sw > W and sh < H) or (sw < W and sh > H).
bool ResizeIsRefused(int sourceWidth, int sourceHeight, int width, int height);

}  // namespace varnel
