#include "picture/png_sixteen_bit.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "picture/sdl_picture.h"

namespace varnel {

namespace {

constexpr int kSixteenBits = 16;

void IgnoreWarning(png_structp, png_const_charp) {}

// Bytes per pixel of the surface the picture library makes of a PNG of this colour type.
int LibraryBytesPerPixel(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
      return 1;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    case PNG_COLOR_TYPE_GRAY_ALPHA:  // widened to RGBA by the library
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return 4;
    default:
      return 0;
  }
}

// Decodes the whole file with the library's own steps, except that 16-bit samples are
// rounded rather than cut. `rows` must hold height rows of `rowBytes`.
bool DecodeRounded(std::FILE* file, int width, int height, int bytesPerPixel, uint8_t* rows,
                   std::size_t rowBytes, png_bytep* rowPointers) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  const int colourType = png_get_color_type(png, info);
  const bool fits = png_get_bit_depth(png, info) == kSixteenBits &&
                    !png_get_valid(png, info, PNG_INFO_tRNS) &&
                    static_cast<int>(png_get_image_width(png, info)) == width &&
                    static_cast<int>(png_get_image_height(png, info)) == height &&
                    LibraryBytesPerPixel(colourType) == bytesPerPixel;
  if (!fits) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_scale_16(png);
  if (colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != rowBytes) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  for (int y = 0; y < height; ++y) rowPointers[y] = rows + static_cast<std::size_t>(y) * rowBytes;
  png_read_image(png, rowPointers);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace

bool RoundSixteenBitSamples(std::FILE* file, SDL_Surface* surface) {
  const int bytesPerPixel = surface->format->BytesPerPixel;
  const std::size_t rowBytes = static_cast<std::size_t>(surface->w) * bytesPerPixel;
  std::vector<uint8_t> rows(rowBytes * static_cast<std::size_t>(surface->h));
  std::vector<png_bytep> rowPointers(static_cast<std::size_t>(surface->h));
  std::rewind(file);
  if (!DecodeRounded(file, surface->w, surface->h, bytesPerPixel, rows.data(), rowBytes,
                     rowPointers.data()))
    return false;
  SurfaceLock lock(surface);
  for (int y = 0; y < surface->h; ++y)
    std::memcpy(
        static_cast<uint8_t*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch,
        rows.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes);
  return true;
}

}  // namespace varnel
