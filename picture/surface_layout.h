#pragma once

#include <SDL.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "picture/sdl_picture.h"

namespace varnel {

// Everything of a surface but its pixels, as plain numbers: what a decoder process sends
// so that the surface made here over the pixels it wrote is the one the library made
// (depth, channel masks, row length, palette, colour key, alpha).
struct SurfaceLayout {
  int32_t width = 0;
  int32_t height = 0;
  uint32_t pitch = 0;  // bytes from one row to the next
  uint32_t bitsPerPixel = 0;
  uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;
  uint32_t flags = 0;  // SDL_SRCCOLORKEY and SDL_SRCALPHA; the others are not kept
  uint32_t colourKey = 0;
  uint32_t alpha = 0;
  uint32_t colourCount = 0;  // palette entries; 0 without a palette
  std::array<SDL_Color, 256> palette{};
};

SurfaceLayout DescribeSurface(const SDL_Surface* surface);

// Bytes of the pixel rows, pitch x height.
std::size_t PixelBytes(const SurfaceLayout& layout);

// Whether the numbers describe a surface the library could have made: sizes within its
// limits, a known depth, rows long enough for their pixels, a palette of at most 256
// entries. Layouts from another process are checked before they are used.
bool IsPlausible(const SurfaceLayout& layout);

// A surface of that layout over pixels that stay where they are, PixelBytes(layout) of
// them; memory is kept as long as the surface lives. Empty when the library cannot make
// the surface. The layout must be plausible.
SurfacePtr SurfaceOverPixels(const SurfaceLayout& layout, void* pixels,
                             std::shared_ptr<const void> memory);

}  // namespace varnel
