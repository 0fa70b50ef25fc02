#include "ui/display_picture.h"

#include <algorithm>

#include "document/sdl_picture.h"

namespace varnel {

namespace {

bool SaveAsBmp(SDL_Surface* picture, const std::string& path) {
  SurfaceLock lock(picture);
  SDL_RWops* stream = SDL_RWFromFile(path.c_str(), "wb");
  if (stream == nullptr) return false;
  return SDL_SaveBMP_RW(picture, stream, 1) == 0;  // 1: the save closes the stream
}

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
                                                    const std::string& displayPath,
                                                    int previewWidth, int previewHeight) {
  SurfacePtr picture = LoadPicture(picturePath);
  if (!picture) return std::nullopt;
  DisplayPicture shown;
  shown.width = picture->w;
  shown.height = picture->h;
  shown.bitsPerPixel = picture->format->BitsPerPixel;
  const bool saved = SaveAsBmp(picture.get(), displayPath);
  picture.reset();
  if (!saved) return shown;
  SurfacePtr written = LoadPicture(displayPath);
  if (written && written->w > 0 && written->h > 0) {
    shown.preview = CentredPart(written.get(), previewWidth, previewHeight);
  }
  return shown;
}

}  // namespace varnel
