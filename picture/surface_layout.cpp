#include "picture/surface_layout.h"

#include <algorithm>

#include "picture/picture_limits.h"

namespace varnel {

namespace {

constexpr uint32_t kKeptFlags = SDL_SRCCOLORKEY | SDL_SRCALPHA;
constexpr uint32_t kLongestPitch = 0xFFFF;  // the library holds it in 16 bits
constexpr uint32_t kPaletteDepth = 8;

}  // namespace

SurfaceLayout DescribeSurface(const SDL_Surface* surface) {
  const SDL_PixelFormat* format = surface->format;
  SurfaceLayout layout;
  layout.width = surface->w;
  layout.height = surface->h;
  layout.pitch = surface->pitch;
  layout.bitsPerPixel = format->BitsPerPixel;
  layout.redMask = format->Rmask;
  layout.greenMask = format->Gmask;
  layout.blueMask = format->Bmask;
  layout.alphaMask = format->Amask;
  layout.flags = surface->flags & kKeptFlags;
  layout.colourKey = format->colorkey;
  layout.alpha = format->alpha;
  if (format->palette != nullptr) {
    layout.colourCount = static_cast<uint32_t>(
        std::clamp<int>(format->palette->ncolors, 0, static_cast<int>(layout.palette.size())));
    std::copy_n(format->palette->colors, layout.colourCount, layout.palette.begin());
  }
  return layout;
}

std::size_t PixelBytes(const SurfaceLayout& layout) {
  return std::size_t{layout.pitch} * static_cast<std::size_t>(layout.height);
}

bool IsPlausible(const SurfaceLayout& layout) {
  const uint32_t depth = layout.bitsPerPixel;
  if (depth != 8 && depth != 16 && depth != 24 && depth != 32) return false;
  if (layout.width < 1 || layout.width > kMaxLibraryWidth || layout.height < 1 ||
      layout.height > kMaxLibraryHeight)
    return false;
  const uint64_t rowBytes = uint64_t{static_cast<uint32_t>(layout.width)} * (depth / 8);
  if (layout.pitch < rowBytes || layout.pitch > kLongestPitch) return false;
  if ((layout.flags & ~kKeptFlags) != 0 || layout.alpha > 0xFF) return false;
  // 8-bit surfaces have a palette (and may have channel masks too: the library's grey PNGs).
  const bool paletted = depth == kPaletteDepth;
  return layout.colourCount <= layout.palette.size() && (layout.colourCount > 0) == paletted;
}

SurfacePtr SurfaceOverPixels(const SurfaceLayout& layout, void* pixels,
                             std::shared_ptr<const void> memory) {
  SDL_Surface* made = SDL_CreateRGBSurfaceFrom(pixels, layout.width, layout.height,
                                               static_cast<int>(layout.bitsPerPixel),
                                               static_cast<int>(layout.pitch), layout.redMask,
                                               layout.greenMask, layout.blueMask, layout.alphaMask);
  if (made == nullptr) return nullptr;
  SurfacePtr surface(made, SurfaceDeleter{std::move(memory)});
  if (SDL_Palette* palette = surface->format->palette) {
    palette->ncolors = static_cast<int>(layout.colourCount);
    std::copy_n(layout.palette.begin(), layout.colourCount, palette->colors);
  }
  // Made with an alpha mask, the surface blends by its alpha unless the original did not.
  SDL_SetAlpha(surface.get(), layout.flags & SDL_SRCALPHA, static_cast<Uint8>(layout.alpha));
  SDL_SetColorKey(surface.get(), layout.flags & SDL_SRCCOLORKEY, layout.colourKey);
  return surface;
}

}  // namespace varnel
