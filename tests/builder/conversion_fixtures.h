#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <random>

#include "builder/bitmap.h"
#include "picture/picture_loader.h"
#include "tests/support/test_support.h"

namespace varnel::testing {

// A bitmap whose channel c (0 blue, 1 green, 2 red) of pixel (x, y), counted from the
// bottom row in memory, is value(x, y, c). Padding bytes are filled with 0xEE so that a
// pass that read them would show.
inline Bitmap MakeBitmap(int width, int height,
                         const std::function<uint8_t(int x, int y, int c)>& value) {
  Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.rows.assign(bitmap.stride() * static_cast<std::size_t>(height), 0xEE);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c)
        bitmap.rows[static_cast<std::size_t>(y) * bitmap.stride() + x * 3 + c] = value(x, y, c);
  return bitmap;
}

inline Bitmap RandomBitmap(int width, int height, uint32_t seed) {
  std::mt19937 random(seed);
  return MakeBitmap(width, height, [&](int, int, int) { return uint8_t(random() & 0xFF); });
}

inline uint8_t ChannelAt(const Bitmap& bitmap, int x, int y, int c) {
  return bitmap.rows[static_cast<std::size_t>(y) * bitmap.stride() + x * 3 + c];
}

// The value of pixel (x, y) of a surface, counted from the top-left.
inline uint32_t SurfacePixel(SDL_Surface* surface, int x, int y) {
  SurfaceLock lock(surface);
  const int bytes = surface->format->BytesPerPixel;
  const auto* p = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch + x * bytes;
  uint32_t value = 0;
  for (int k = 0; k < bytes; ++k) value |= static_cast<uint32_t>(p[k]) << (8 * k);
  return value;
}

// The colour of pixel (x, y) of a surface, counted from the top-left, as SDL decodes it.
inline Rgb SurfaceColour(SDL_Surface* surface, int x, int y) {
  Rgb colour{};
  SDL_GetRGB(SurfacePixel(surface, x, y), surface->format, &colour.r, &colour.g, &colour.b);
  return colour;
}

// The colour of pixel (x, y) of a bitmap, counted from the top-left.
inline Rgb BitmapColour(const Bitmap& bitmap, int x, int y) {
  const uint8_t* p = bitmap.PixelFromTop(x, y);
  return Rgb{p[2], p[1], p[0]};
}

}  // namespace varnel::testing
