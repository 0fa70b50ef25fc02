#pragma once

#include <cstdint>
#include <vector>

#include "builder/bitmap_view.h"
#include "files/binary_file.h"

namespace varnel {

// The console's 15-bit colour: bits 0-4 red, 5-9 green, 10-14 blue, bit 15 zero; each
// channel the top five bits of its 8-bit value.
constexpr uint16_t Rgb15(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<uint16_t>((red >> 3) | (green >> 3) << 5 | (blue >> 3) << 10);
}

// Appends, at the end of the output file, the alignment bytes (AlignmentBytesFor in
// rom_layout.h) and then the bitmap's pixels as 15-bit colour, two bytes each with the
// low byte first, rows from the top of the picture down, each from left to right. The
// bytes are those of the surface the picture library loads from the bitmap's 24-bit BMP
// file: each channel has an 8-bit mask there, so it reaches the 15-bit colour unchanged.
// Returns the file offset of the first pixel byte, or 0 with nothing written for an empty
// bitmap. A write error throws FileError.
uint32_t WriteBitmapPixels(BinaryFile& output, const BitmapView& bitmap);

// The 15-bit colours WriteBitmapPixels writes for a bitmap, rows from the top, in memory.
std::vector<uint16_t> BitmapPixels15(const BitmapView& bitmap);

}  // namespace varnel
