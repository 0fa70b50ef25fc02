#include "ui/model/display_picture.h"

#include <algorithm>
#include <new>

#include "picture/picture_loader.h"

namespace varnel {

namespace {

Uint32 PixelAt(const SDL_Surface* surface, int x, int y) {
  const int bytes = surface->format->BytesPerPixel;
  const auto* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bytes;
  switch (bytes) {
    case 1:
      return *p;
    case 2:
      return *reinterpret_cast<const Uint16*>(p);
    case 3:
      return static_cast<Uint32>(p[0]) | static_cast<Uint32>(p[1]) << 8 |
             static_cast<Uint32>(p[2]) << 16;
    default:
      return *reinterpret_cast<const Uint32*>(p);
  }
}

// The middle width x height pixels of the surface (fewer when it is smaller), with the
// same rounding as a control that centres a larger picture.
Bitmap CentredPart(SDL_Surface* surface, int width, int height) {
  Bitmap part;
  part.width = std::min(surface->w, width);
  part.height = std::min(surface->h, height);
  part.rows.assign(part.stride() * static_cast<std::size_t>(part.height), 0);
  const int left = (surface->w - part.width) / 2;
  const int top = (surface->h - part.height) / 2;
  SurfaceLock lock(surface);
  for (int y = 0; y < part.height; ++y) {
    uint8_t* row = part.rows.data() + static_cast<std::size_t>(part.height - 1 - y) * part.stride();
    for (int x = 0; x < part.width; ++x) {
      Uint8 r = 0, g = 0, b = 0;
      SDL_GetRGB(PixelAt(surface, left + x, top + y), surface->format, &r, &g, &b);
      row[x * 3 + 0] = b;
      row[x * 3 + 1] = g;
      row[x * 3 + 2] = r;
    }
  }
  return part;
}

}  // namespace

std::optional<DisplayPicture> PrepareDisplayPicture(const std::string& picturePath,
                                                    int previewWidth, int previewHeight) {
  const LoadedPicture picture = LoadPicture(picturePath);
  if (!picture) return std::nullopt;
  DisplayPicture shown;
  shown.width = picture.surface->w;
  shown.height = picture.surface->h;
  shown.bitsPerPixel = picture.bitsPerPixel;
  try {
    // The loaded picture is opaque, so its colours are the ones a saved copy would hold.
    shown.preview = CentredPart(picture.surface.get(), previewWidth, previewHeight);
  } catch (const std::bad_alloc&) {
    // Shown without a preview, as when the copy could not be made.
  }
  return shown;
}

}  // namespace varnel
