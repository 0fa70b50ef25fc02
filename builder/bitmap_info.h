#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "builder/bitmap.h"
#include "builder/bmp_format.h"

namespace varnel {

// A BMP file's rows may take at most this many bytes: biSizeImage is a 32-bit field.
inline constexpr uint64_t kMaxBitmapBytes = UINT32_MAX;

// The header of a 24-bit row buffer (bitmap.h): 40, width, height (positive: bottom-up),
// 1 plane, 24 bits, BI_RGB, biSizeImage = stride x height, every other field 0. Empty
// when the rows would not fit in kMaxBitmapBytes or a size is below 1.
std::optional<BitmapInfoHeader> MakeRgb24Header(int width, int height);

// A header followed by room for its colour table (4 x biClrUsed bytes, zero-filled).
struct BitmapInfo {
  BitmapInfoHeader header;
  std::vector<uint8_t> colourTable;
};

// A depth of planes x bits per pixel raised to the next of 1, 4, 8, 16, 24, 32: 1 stays 1,
// up to 4 (0 included) gives 4, and so on; above 24 gives 32.
uint16_t RoundedBitDepth(uint16_t planesTimesBits);

// The information block for a bitmap of that shape: biBitCount is the bitmap's own bits
// per pixel, biSizeImage and the colour table follow the rounded depth d (2 to the power
// d entries below 24 bits, none from 24 on). Empty when the bitmap has no pixels or its
// rows would not fit in kMaxBitmapBytes.
std::optional<BitmapInfo> MakeBitmapInfoFor(int width, int height, uint16_t planes,
                                            uint16_t bitsPerPixel);

}  // namespace varnel
