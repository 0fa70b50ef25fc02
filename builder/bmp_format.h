#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace varnel {

// The two headers at the start of a BMP file. Every field is little-endian; this file is
// the one place that reads their bytes (the builder writes no BMP file).
inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBitmapInfoHeaderSize = 40;
inline constexpr uint32_t kBiRgb = 0;               // uncompressed rows
inline constexpr std::size_t kColourEntrySize = 4;  // blue, green, red, 0

// The file header: "BM", the file size, two reserved zeros, the offset of the pixel rows.
struct BmpFileHeader {
  uint32_t fileSize = 0;
  uint32_t pixelOffset = 0;
};

// BITMAPINFOHEADER. A positive biHeight means the rows are stored bottom-up.
struct BitmapInfoHeader {
  uint32_t biSize = kBitmapInfoHeaderSize;
  int32_t biWidth = 0;
  int32_t biHeight = 0;
  uint16_t biPlanes = 1;
  uint16_t biBitCount = 0;
  uint32_t biCompression = kBiRgb;
  uint32_t biSizeImage = 0;
  int32_t biXPelsPerMeter = 0;
  int32_t biYPelsPerMeter = 0;
  uint32_t biClrUsed = 0;
  uint32_t biClrImportant = 0;

  bool operator==(const BitmapInfoHeader&) const = default;
};

// Empty unless the bytes start with "BM".
std::optional<BmpFileHeader> DecodeBmpFileHeader(
    std::span<const uint8_t, kBmpFileHeaderSize> bytes);

BitmapInfoHeader DecodeBitmapInfoHeader(std::span<const uint8_t, kBitmapInfoHeaderSize> bytes);

}  // namespace varnel
