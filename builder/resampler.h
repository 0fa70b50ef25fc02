#pragma once

#include <cstdint>

#include "builder/bitmap_view.h"

namespace varnel {

// The two passes of the area-averaging resampler over 24-bit row buffers (see bitmap.h:
// blue, green, red; bottom-up rows padded to a multiple of 4 bytes). How they compute is
// described at the top of resampler.cpp. Sizes are in pixels and must be at least 1;
// other sizes throw std::invalid_argument. Padding bytes of the destination are left as
// they are.

// Used when neither dimension grows (width <= sourceWidth, height <= sourceHeight). The
// destination may be the source buffer itself: destination row i is stored only after
// every source row at or below it has been read.
void ShrinkRgb24(const uint8_t* source, int sourceWidth, int sourceHeight, uint8_t* destination,
                 int width, int height);

// Used when a dimension grows and none shrinks (width >= sourceWidth, height >=
// sourceHeight). The buffers must not overlap.
void EnlargeRgb24(const uint8_t* source, int sourceWidth, int sourceHeight, uint8_t* destination,
                  int width, int height);

// The same two passes from a source wherever it is held; the destination is a bitmap's
// rows (blue first, bottom-up) whatever the source's order. ShrinkView's destination may
// be the source's own buffer when the view is of a bitmap.
void ShrinkView(const BitmapView& source, uint8_t* destination, int width, int height);
void EnlargeView(const BitmapView& source, uint8_t* destination, int width, int height);

// The shrinking pass has a portable path and ones with AVX2 and AVX-512 instructions; the
// fastest the processor has is chosen at run time. They give the same bytes; tests and
// benchmarks name the path to compare them.
enum class ShrinkPath { kPortable, kAvx2, kAvx512 };
bool ShrinkPathAvailable(ShrinkPath path);
void ShrinkRgb24Using(ShrinkPath path, const uint8_t* source, int sourceWidth, int sourceHeight,
                      uint8_t* destination, int width, int height);
void ShrinkViewUsing(ShrinkPath path, const BitmapView& source, uint8_t* destination, int width,
                     int height);

}  // namespace varnel
