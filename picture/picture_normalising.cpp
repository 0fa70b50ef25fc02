#include "picture/picture_normalising.h"

#include <cstddef>
#include <cstring>
#include <utility>

#include "picture/exif_orientation.h"

namespace varnel {

namespace {

// The 24-bit layout the BMP writer takes as it is (bytes blue, green, red in memory), so
// a mended picture is written without a further conversion.
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
constexpr Uint32 kRgb24RedMask = 0x00FF0000, kRgb24GreenMask = 0x0000FF00,
                 kRgb24BlueMask = 0x000000FF;
#else
constexpr Uint32 kRgb24RedMask = 0x000000FF, kRgb24GreenMask = 0x0000FF00,
                 kRgb24BlueMask = 0x00FF0000;
#endif
constexpr int kFullChannel = 255;
constexpr int kCmykBytes = 4;

// A new black 24-bit surface.
SurfacePtr NewRgb24(int width, int height) {
  return SurfacePtr(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, kRgb24RedMask,
                                         kRgb24GreenMask, kRgb24BlueMask, 0));
}

Uint8* PixelAddress(SDL_Surface* surface, int x, int y) {
  return static_cast<Uint8*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch +
         static_cast<std::ptrdiff_t>(x) * surface->format->BytesPerPixel;
}

void SetRgb24(SDL_Surface* surface, int x, int y, Uint8 r, Uint8 g, Uint8 b) {
  Uint8* p = PixelAddress(surface, x, y);
  p[0] = b;  // blue, green, red in memory whatever the byte order (see the masks)
  p[1] = g;
  p[2] = r;
}

// a x b / 255, rounded to nearest.
Uint8 Scale255(int a, int b) {
  return static_cast<Uint8>((a * b + kFullChannel / 2) / kFullChannel);
}

// A channel of `bits` bits as 8 bits, its bits repeated into the low bits.
Uint8 WidenChannel(Uint32 value, int bits) {
  if (bits <= 0) return 0;
  Uint32 wide = 0;
  int filled = 0;
  while (filled < 8) {
    wide = wide << bits | value;
    filled += bits;
  }
  return static_cast<Uint8>(wide >> (filled - 8));
}

Uint8 ChannelOf(Uint32 pixel, Uint32 mask, Uint8 shift, Uint8 loss) {
  return WidenChannel((pixel & mask) >> shift, 8 - loss);
}

// The blend the BMP writer has always used for translucent pixels, kept so pictures that
// already showed right keep their bytes: (c x a + 255) >> 8, 0 where a is 0.
Uint8 OverBlack(Uint8 channel, Uint8 alpha) {
  return static_cast<Uint8>((channel * alpha + kFullChannel) >> 8);
}

bool HasBlendedAlpha(const SDL_Surface* surface) {
  return (surface->flags & SDL_SRCALPHA) != 0 && surface->format->Amask != 0;
}

// Where displayed pixel (x, y) of a picture shown in `orientation` lies in the stored one.
void StoredPosition(int orientation, int x, int y, int storedWidth, int storedHeight, int& sx,
                    int& sy) {
  const int right = storedWidth - 1, bottom = storedHeight - 1;
  switch (orientation) {
    case 2:
      sx = right - x;
      sy = y;
      break;
    case 3:
      sx = right - x;
      sy = bottom - y;
      break;
    case 4:
      sx = x;
      sy = bottom - y;
      break;
    case 5:
      sx = y;
      sy = x;
      break;
    case 6:
      sx = y;
      sy = bottom - x;
      break;
    case 7:
      sx = right - y;
      sy = bottom - x;
      break;
    case 8:
      sx = right - y;
      sy = x;
      break;
    default:
      sx = x;
      sy = y;
      break;
  }
}

}  // namespace

SurfacePtr CmykToRgb(SurfacePtr cmyk, bool inverted) {
  if (cmyk->format->BytesPerPixel != kCmykBytes) return cmyk;
  SurfacePtr rgb = NewRgb24(cmyk->w, cmyk->h);
  if (!rgb) return nullptr;
  SurfaceLock lockIn(cmyk.get()), lockOut(rgb.get());
  for (int y = 0; y < cmyk->h; ++y) {
    for (int x = 0; x < cmyk->w; ++x) {
      const Uint8* p = PixelAddress(cmyk.get(), x, y);
      // The share of light each ink lets through, and black's.
      const int c = inverted ? p[0] : kFullChannel - p[0];
      const int m = inverted ? p[1] : kFullChannel - p[1];
      const int ye = inverted ? p[2] : kFullChannel - p[2];
      const int k = inverted ? p[3] : kFullChannel - p[3];
      SetRgb24(rgb.get(), x, y, Scale255(c, k), Scale255(m, k), Scale255(ye, k));
    }
  }
  return rgb;
}

SurfacePtr OpaqueWhenAlphaIsAllZero(SurfacePtr bmp) {
  const SDL_PixelFormat* format = bmp->format;
  if (format->BytesPerPixel != 4 || format->Amask == 0) return bmp;
  SurfaceLock lock(bmp.get());
  for (int y = 0; y < bmp->h; ++y) {
    for (int x = 0; x < bmp->w; ++x) {
      Uint32 pixel;
      std::memcpy(&pixel, PixelAddress(bmp.get(), x, y), sizeof pixel);
      if ((pixel & format->Amask) != 0) return bmp;
    }
  }
  for (int y = 0; y < bmp->h; ++y) {
    for (int x = 0; x < bmp->w; ++x) {
      Uint8* p = PixelAddress(bmp.get(), x, y);
      Uint32 pixel;
      std::memcpy(&pixel, p, sizeof pixel);
      pixel |= format->Amask;
      std::memcpy(p, &pixel, sizeof pixel);
    }
  }
  SDL_SetAlpha(bmp.get(), 0, SDL_ALPHA_OPAQUE);
  return bmp;
}

SurfacePtr WidenTo24Bits(SurfacePtr picture) {
  const SDL_PixelFormat* f = picture->format;
  if (f->BytesPerPixel != 2 || f->palette != nullptr) return picture;
  SurfacePtr rgb = NewRgb24(picture->w, picture->h);
  if (!rgb) return nullptr;
  const bool blend = HasBlendedAlpha(picture.get());
  SurfaceLock lockIn(picture.get()), lockOut(rgb.get());
  for (int y = 0; y < picture->h; ++y) {
    for (int x = 0; x < picture->w; ++x) {
      Uint16 pixel;
      std::memcpy(&pixel, PixelAddress(picture.get(), x, y), sizeof pixel);
      Uint8 r = ChannelOf(pixel, f->Rmask, f->Rshift, f->Rloss);
      Uint8 g = ChannelOf(pixel, f->Gmask, f->Gshift, f->Gloss);
      Uint8 b = ChannelOf(pixel, f->Bmask, f->Bshift, f->Bloss);
      if (blend) {
        const Uint8 a = ChannelOf(pixel, f->Amask, f->Ashift, f->Aloss);
        r = OverBlack(r, a);
        g = OverBlack(g, a);
        b = OverBlack(b, a);
      }
      SetRgb24(rgb.get(), x, y, r, g, b);
    }
  }
  return rgb;
}

SurfacePtr ShowTransparencyOverBlack(SurfacePtr picture) {
  SDL_PixelFormat* format = picture->format;
  const bool keyed = (picture->flags & SDL_SRCCOLORKEY) != 0;
  if (format->palette != nullptr) {
    // A palette picture stays one: its transparent entry becomes black.
    if (keyed) {
      if (format->colorkey < static_cast<Uint32>(format->palette->ncolors))
        format->palette->colors[format->colorkey] = SDL_Color{0, 0, 0, 0};
      SDL_SetColorKey(picture.get(), 0, 0);
    }
    return picture;
  }
  if (!keyed && (picture->flags & SDL_SRCALPHA) == 0) return picture;
  // The picture library's own blit onto a black 24-bit surface: the pixels the BMP writer
  // has always produced for such pictures (the transparent colour left black, translucent
  // pixels blended).
  SurfacePtr flat = NewRgb24(picture->w, picture->h);
  if (!flat) return nullptr;
  SDL_Rect bounds{0, 0, static_cast<Uint16>(picture->w), static_cast<Uint16>(picture->h)};
  if (SDL_LowerBlit(picture.get(), &bounds, flat.get(), &bounds) < 0) return nullptr;
  return flat;
}

SurfacePtr ApplyOrientation(SurfacePtr picture, int orientation) {
  if (orientation <= kUpright || orientation > kLastOrientation) return picture;
  const bool sideways = TurnsAQuarter(orientation);
  const int width = sideways ? picture->h : picture->w;
  const int height = sideways ? picture->w : picture->h;
  const SDL_PixelFormat* f = picture->format;
  SurfacePtr turned(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, f->BitsPerPixel, f->Rmask,
                                         f->Gmask, f->Bmask, f->Amask));
  if (!turned) return nullptr;
  if (f->palette != nullptr && turned->format->palette != nullptr) {
    SDL_Palette* to = turned->format->palette;
    to->ncolors = f->palette->ncolors < to->ncolors ? f->palette->ncolors : to->ncolors;
    std::memcpy(to->colors, f->palette->colors, sizeof(SDL_Color) * to->ncolors);
  }
  if ((picture->flags & SDL_SRCALPHA) == 0) SDL_SetAlpha(turned.get(), 0, SDL_ALPHA_OPAQUE);
  const int bytes = f->BytesPerPixel;
  SurfaceLock lockIn(picture.get()), lockOut(turned.get());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int sx = 0, sy = 0;
      StoredPosition(orientation, x, y, picture->w, picture->h, sx, sy);
      std::memcpy(PixelAddress(turned.get(), x, y), PixelAddress(picture.get(), sx, sy), bytes);
    }
  }
  return turned;
}

}  // namespace varnel
