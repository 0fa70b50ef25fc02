#include "builder/conversion_source.h"

#include <climits>
#include <cstring>
#include <new>

#include "builder/bitmap_info.h"
#include "builder/bmp_format.h"
#include "builder/bmp_loader.h"
#include "document/sdl_picture.h"

namespace varnel {

namespace {

constexpr uint32_t kFirstByteMask = 0x000000FF;
constexpr uint32_t kSecondByteMask = 0x0000FF00;
constexpr uint32_t kThirdByteMask = 0x00FF0000;
constexpr int kMaxPaletteEntries = 256;

// Channel byte order of a 24-bit picture: blue first is the BMP file's own order, which
// the save writes row for row whatever the picture's flags; red first the save converts
// with a plain blit, exact only when there is no colour key or alpha to apply.
bool IsBgr24(const SDL_PixelFormat* format) {
  return format->BitsPerPixel == 24 && format->palette == nullptr &&
         format->Rmask == kThirdByteMask && format->Gmask == kSecondByteMask &&
         format->Bmask == kFirstByteMask;
}

bool IsPlainRgb24(const SDL_Surface* picture) {
  const SDL_PixelFormat* format = picture->format;
  return format->BitsPerPixel == 24 && format->palette == nullptr &&
         format->Rmask == kFirstByteMask && format->Gmask == kSecondByteMask &&
         format->Bmask == kThirdByteMask &&
         (picture->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA)) == 0;
}

// Room for the whole saved file: headers, the largest colour table, 24-bit rows (8-bit
// rows are smaller). Zero when that is more than a memory stream can address.
std::size_t SavedFileBound(const SDL_Surface* picture) {
  const uint64_t rows = uint64_t{Bitmap::StrideOf(picture->w)} * static_cast<uint64_t>(picture->h);
  const uint64_t bound =
      kBmpFileHeaderSize + kBitmapInfoHeaderSize + kColourEntrySize * kMaxPaletteEntries + rows;
  return bound > INT_MAX ? 0 : static_cast<std::size_t>(bound);
}

// The file the picture library writes of the picture, into saved; its length, or 0.
std::size_t SaveIntoMemory(SDL_Surface* picture, std::vector<uint8_t>& saved) {
  const std::size_t bound = SavedFileBound(picture);
  if (bound == 0) return 0;
  if (saved.size() < bound) saved.resize(bound);
  SDL_RWops* stream = SDL_RWFromMem(saved.data(), static_cast<int>(bound));
  if (stream == nullptr) return 0;
  SurfaceLock lock(picture);
  const bool ok = lock.locked() && SDL_SaveBMP_RW(picture, stream, 0) == 0;
  const int length = SDL_RWtell(stream);
  SDL_RWclose(stream);
  return ok && length > 0 ? static_cast<std::size_t>(length) : 0;
}

}  // namespace

BitmapView ViewAsSource(SDL_Surface* picture) {
  if (picture == nullptr || picture->format == nullptr || picture->pixels == nullptr ||
      picture->w < 1 || picture->h < 1 || SDL_MUSTLOCK(picture))
    return {};
  const bool bgr = IsBgr24(picture->format);
  if (!bgr && !IsPlainRgb24(picture)) return {};
  // The same limits as a source made by reordering: rows a BMP file can describe.
  if (!MakeRgb24Header(picture->w, picture->h)) return {};
  return BitmapView::OfTopDown(static_cast<const uint8_t*>(picture->pixels), picture->w, picture->h,
                               picture->pitch, !bgr);
}

bool ReorderIntoSource(SDL_Surface* picture, Bitmap& source) {
  const bool bgr = IsBgr24(picture->format);
  if (!bgr && !IsPlainRgb24(picture)) return false;
  const std::optional<BitmapInfoHeader> header = MakeRgb24Header(picture->w, picture->h);
  if (!header) return false;
  SurfaceLock lock(picture);
  if (!lock.locked()) return false;
  source.width = picture->w;
  source.height = picture->h;
  source.rows.resize(header->biSizeImage);
  const std::size_t stride = source.stride();
  const std::size_t used = static_cast<std::size_t>(picture->w) * 3;
  const auto* pixels = static_cast<const uint8_t*>(picture->pixels);
  // The file's rows go bottom-up; each is padded with zeros to a multiple of 4 bytes.
  for (int y = 0; y < picture->h; ++y) {
    const uint8_t* in = pixels + static_cast<std::size_t>(y) * picture->pitch;
    uint8_t* out = source.rows.data() + static_cast<std::size_t>(picture->h - 1 - y) * stride;
    if (bgr) {
      std::memcpy(out, in, used);
    } else {
      for (std::size_t x = 0; x < used; x += 3) {
        out[x + 0] = in[x + 2];
        out[x + 1] = in[x + 1];
        out[x + 2] = in[x + 0];
      }
    }
    std::memset(out + used, 0, stride - used);
  }
  return true;
}

bool MakeConversionSource(SDL_Surface* picture, Bitmap& source, std::vector<uint8_t>& saved) {
  if (picture == nullptr || picture->format == nullptr || picture->w < 1 || picture->h < 1)
    return false;
  try {
    if (ReorderIntoSource(picture, source)) return true;
    const std::size_t length = SaveIntoMemory(picture, saved);
    return length != 0 && LoadBmpBytesInto(std::span<const uint8_t>(saved.data(), length), source);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace varnel
