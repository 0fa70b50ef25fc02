#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "builder/bitmap_view.h"
#include "builder/shrink_kernels.h"

namespace varnel {

// The two passes of the area-averaging resampler over 24-bit row buffers (see bitmap.h:
// blue, green, red; bottom-up rows padded to a multiple of 4 bytes). How they compute is
// described at the top of resampler.cpp. Sizes are in pixels and must be at least 1;
// other sizes throw std::invalid_argument. Padding bytes of the destination are left as
// they are.

// Used when neither dimension grows (width <= sourceWidth, height <= sourceHeight). The
// destination is a bitmap's rows (blue first, bottom-up) whatever the source's order. It
// may be the source's own buffer when the view is of a bitmap: destination row i is
// stored only after every source row at or below it has been read.
void ShrinkView(const BitmapView& source, uint8_t* destination, int width, int height);

// Used when a dimension grows and none shrinks (width >= sourceWidth, height >=
// sourceHeight). The destination is a bitmap's rows, as for ShrinkView; the buffers must
// not overlap.
void EnlargeView(const BitmapView& source, uint8_t* destination, int width, int height);

// Where a shrink writes: width x height pixels as a bitmap's rows (blue first, the bottom
// row first), the bottom row at rows and each next row stride bytes further on. The rows
// may lie inside a larger bitmap, a picture placed on a box.
struct ShrinkDestination {
  uint8_t* rows = nullptr;
  std::size_t stride = 0;
  int width = 0;
  int height = 0;
};

// Throws std::invalid_argument unless the destination shrinks a source of that size:
// every size at least 1 pixel and no dimension growing.
void CheckShrinks(int sourceWidth, int sourceHeight, const ShrinkDestination& destination);

// Shrinks one source to several sizes in one walk over its rows: each source row is read
// and widened once, then added into every destination's sums, each destination with its
// own weights and its additions in the order the pass describes, so that each gets the
// bytes a shrink of its own would give. Every destination must shrink the source (no
// dimension grows) and none may overlap the source.
void ShrinkViewInto(const BitmapView& source, std::span<const ShrinkDestination> destinations);

// The same with a given kernel (shrink_kernels.h) rather than DefaultShrinkKernel()'s: how
// the tests and benchmarks run each path.
void ShrinkViewIntoWith(const ShrinkKernel& kernel, const BitmapView& source,
                        std::span<const ShrinkDestination> destinations);

}  // namespace varnel
