#include "tests/support/surface_pixels.h"

#include <array>
#include <vector>

#include "builder/pixel_writer.h"
#include "builder/rom_layout.h"

namespace varnel::testing {

namespace {

constexpr int kPaletteBits = 8;
constexpr int kMaxBytesPerPixel = 4;

bool Writable(const SDL_Surface* surface) {
  if (surface == nullptr || surface->pixels == nullptr || surface->format == nullptr ||
      surface->w < 0 || surface->h < 0)
    return false;
  const SDL_PixelFormat* format = surface->format;
  if (format->BytesPerPixel == 1) return format->BitsPerPixel == kPaletteBits;
  return format->BytesPerPixel >= 2 && format->BytesPerPixel <= kMaxBytesPerPixel;
}

uint16_t DirectColour(uint32_t pixel, const SDL_PixelFormat* format) {
  uint8_t red = 0, green = 0, blue = 0;
  SDL_GetRGB(pixel, const_cast<SDL_PixelFormat*>(format), &red, &green, &blue);
  return Rgb15(red, green, blue);
}

bool WithinOneByte(uint32_t mask) {
  for (int k = 0; k < kMaxBytesPerPixel; ++k)
    if ((mask & ~(uint32_t{0xFF} << (8 * k))) == 0) return true;
  return false;
}

// The 15-bit colour of every pixel value, one byte at a time: entry [k][v] is what
// SDL_GetRGB makes of the value v << 8k. SDL_GetRGB decodes each channel from its mask's
// bits alone, so when every channel mask lies inside one byte the colour of a pixel is
// the OR of its bytes' entries; pixels need no call each. A palette surface has one
// table, its palette (an index past the palette gives black).
class ColourTables {
 public:
  explicit ColourTables(const SDL_PixelFormat* format) : format_(format) {
    if (format->BytesPerPixel == 1) {
      const SDL_Palette* palette = format->palette;
      for (int v = 0; palette != nullptr && v < palette->ncolors && v < 256; ++v) {
        const SDL_Color& colour = palette->colors[v];
        byByte_[0][v] = Rgb15(colour.r, colour.g, colour.b);
      }
      perByte_ = true;
      return;
    }
    perByte_ = WithinOneByte(format->Rmask) && WithinOneByte(format->Gmask) &&
               WithinOneByte(format->Bmask);
    if (!perByte_) return;
    for (int k = 0; k < format->BytesPerPixel; ++k)
      for (uint32_t v = 0; v < 256; ++v) byByte_[k][v] = DirectColour(v << (8 * k), format);
  }

  template <int kBytes>
  uint16_t ColourOf(const uint8_t* pixel) const {
    if (perByte_) {
      uint16_t colour = 0;
      for (int k = 0; k < kBytes; ++k) colour |= byByte_[k][pixel[k]];
      return colour;
    }
    uint32_t value = 0;
    for (int k = 0; k < kBytes; ++k) value |= static_cast<uint32_t>(pixel[k]) << (8 * k);
    return DirectColour(value, format_);
  }

 private:
  const SDL_PixelFormat* format_;
  bool perByte_ = false;
  std::array<std::array<uint16_t, 256>, kMaxBytesPerPixel> byByte_{};
};

template <int kBytes>
void ConvertRow(const uint8_t* in, std::size_t width, const ColourTables& tables, uint8_t* out) {
  for (std::size_t x = 0; x < width; ++x, in += kBytes, out += 2) {
    const uint16_t colour = tables.ColourOf<kBytes>(in);
    out[0] = static_cast<uint8_t>(colour);
    out[1] = static_cast<uint8_t>(colour >> 8);
  }
}

void ConvertRow(int bytesPerPixel, const uint8_t* in, std::size_t width, const ColourTables& tables,
                uint8_t* out) {
  switch (bytesPerPixel) {
    case 1:
      return ConvertRow<1>(in, width, tables, out);
    case 2:
      return ConvertRow<2>(in, width, tables, out);
    case 3:
      return ConvertRow<3>(in, width, tables, out);
    default:
      return ConvertRow<4>(in, width, tables, out);
  }
}

}  // namespace

uint32_t WritePixels(BinaryFile& output, SDL_Surface* surface) {
  if (!Writable(surface)) return 0;
  const ColourTables tables(surface->format);
  const auto width = static_cast<std::size_t>(surface->w);
  // One row at a time goes to the file; the file object buffers further.
  std::vector<uint8_t> row(width * 2);

  output.SeekToEnd();
  output.WriteZeros(AlignmentBytesFor(output.Length()));
  const uint64_t start = output.Length();
  for (int y = 0; y < surface->h; ++y) {
    const uint8_t* in =
        static_cast<const uint8_t*>(surface->pixels) + static_cast<std::size_t>(y) * surface->pitch;
    ConvertRow(surface->format->BytesPerPixel, in, width, tables, row.data());
    output.Write(row.data(), row.size());
  }
  return static_cast<uint32_t>(start);
}

}  // namespace varnel::testing
