#include "builder/conversion_source.h"

#include <climits>
#include <new>

#include "builder/bitmap_info.h"
#include "builder/bmp_format.h"
#include "builder/bmp_loader.h"
#include "picture/picture_loader.h"
#include "picture/sdl_picture.h"

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

// The file the picture library writes of the picture, into saved; its length, or 0. The
// library runs in a decoder process, as every other call into it.
std::size_t SaveIntoMemory(SDL_Surface* picture, std::vector<uint8_t>& saved) {
  const std::size_t bound = SavedFileBound(picture);
  if (bound == 0) return 0;
  return SavePictureAsBmp(picture, bound, saved);
}

// The view of a picture's rows, for pictures whose source is a byte reorder of them, when
// they can be read (a surface that must be locked only while it is locked).
BitmapView ViewOfReorderableRows(SDL_Surface* picture) {
  const bool bgr = IsBgr24(picture->format);
  if (picture->pixels == nullptr || (!bgr && !IsPlainRgb24(picture))) return {};
  // The same limits as any source: rows a BMP file can describe.
  if (!MakeRgb24Header(picture->w, picture->h)) return {};
  return BitmapView::OfTopDown(static_cast<const uint8_t*>(picture->pixels), picture->w, picture->h,
                               picture->pitch, !bgr);
}

}  // namespace

BitmapView ViewAsSource(SDL_Surface* picture) {
  if (picture == nullptr || picture->format == nullptr || picture->w < 1 || picture->h < 1 ||
      SDL_MUSTLOCK(picture))
    return {};
  return ViewOfReorderableRows(picture);
}

bool ReorderIntoSource(SDL_Surface* picture, Bitmap& source) {
  SurfaceLock lock(picture);
  if (!lock.locked()) return false;
  const BitmapView rows = ViewOfReorderableRows(picture);
  if (rows.empty()) return false;
  CopyIntoBitmap(rows, source);  // the file's rows: bottom-up, blue first, zero padding
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
