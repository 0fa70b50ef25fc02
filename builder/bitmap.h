#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace varnel {

// A picture held as 24-bit rows: 3 bytes per pixel in the order blue, green, red, rows
// bottom-up (the first row in memory is the bottom row of the picture), each row padded
// to a multiple of 4 bytes. This is the form the resampler reads and writes and the form
// of the bitmaps the conversion passes around; 24 bits keep every channel unchanged.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rows;

  // Bytes per row: 3 x width + 3 with the two lowest bits cleared.
  static std::size_t StrideOf(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
  }
  std::size_t stride() const { return StrideOf(width); }
  bool empty() const { return width <= 0 || height <= 0; }

  // Pixel (x, y) counted from the top-left corner, as a person sees the picture.
  const uint8_t* PixelFromTop(int x, int y) const {
    return rows.data() + static_cast<std::size_t>(height - 1 - y) * stride() +
           static_cast<std::size_t>(x) * 3;
  }
};

}  // namespace varnel
