#pragma once

#include <cstdint>
#include <span>

#include "builder/bitmap.h"

namespace varnel {

// Loads the bytes of a BMP file held in memory at the picture's own size as 24-bit rows,
// into a bitmap whose buffer is reused when it is large enough (fresh memory is slow to
// touch, and a build loads one picture of about the same size after another). Reads the
// uncompressed files of 1, 4, 8, 24 and 32 bits per pixel, bottom-up or top-down
// (everything SDL writes); a palette picture gives its palette colours, an index past the
// palette gives black. False, with the bitmap's contents undefined, when the bytes are of
// another kind, damaged, or too large to describe.
bool LoadBmpBytesInto(std::span<const uint8_t> bytes, Bitmap& bitmap);

}  // namespace varnel
