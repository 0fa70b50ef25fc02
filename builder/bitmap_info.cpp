#include "builder/bitmap_info.h"

namespace varnel {

namespace {

constexpr uint16_t kRgb24Bits = 24;

// Bytes of the rows of a width x height picture at a depth, rows padded to 4 bytes.
uint64_t RowBytes(int width, int height, uint16_t depth) {
  const uint64_t bitsPerRow = static_cast<uint64_t>(width) * depth;
  return ((bitsPerRow + 31) & ~uint64_t{31}) / 8 * static_cast<uint64_t>(height);
}

}  // namespace

std::optional<BitmapInfoHeader> MakeRgb24Header(int width, int height) {
  if (width < 1 || height < 1) return std::nullopt;
  const uint64_t size =
      static_cast<uint64_t>(Bitmap::StrideOf(width)) * static_cast<uint64_t>(height);
  if (size > kMaxBitmapBytes) return std::nullopt;
  BitmapInfoHeader header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = kRgb24Bits;
  header.biCompression = kBiRgb;
  header.biSizeImage = static_cast<uint32_t>(size);
  return header;
}

uint16_t RoundedBitDepth(uint16_t planesTimesBits) {
  if (planesTimesBits == 1) return 1;
  if (planesTimesBits <= 4) return 4;
  if (planesTimesBits <= 8) return 8;
  if (planesTimesBits <= 16) return 16;
  if (planesTimesBits <= 24) return 24;
  return 32;
}

std::optional<BitmapInfo> MakeBitmapInfoFor(int width, int height, uint16_t planes,
                                            uint16_t bitsPerPixel) {
  if (width < 1 || height < 1) return std::nullopt;
  const uint16_t depth = RoundedBitDepth(static_cast<uint16_t>(planes * bitsPerPixel));
  const uint64_t size = RowBytes(width, height, depth);
  if (size > kMaxBitmapBytes) return std::nullopt;
  BitmapInfo info;
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = planes;
  info.header.biBitCount = bitsPerPixel;
  info.header.biCompression = kBiRgb;
  info.header.biSizeImage = static_cast<uint32_t>(size);
  info.header.biClrUsed = depth < 24 ? uint32_t{1} << depth : 0;
  info.colourTable.assign(static_cast<std::size_t>(info.header.biClrUsed) * kColourEntrySize, 0);
  return info;
}

}  // namespace varnel
