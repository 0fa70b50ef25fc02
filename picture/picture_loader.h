#pragma once

#include <optional>
#include <string>

#include "picture/sdl_picture.h"

namespace varnel {

// A picture as it is shown: upright, opaque, in RGB or a palette.
struct LoadedPicture {
  // Empty when the picture did not load.
  SurfacePtr surface;
  // Bits per pixel of the picture as the file holds it (the row's Size text), which the
  // mended surface may no longer have: a CMYK JPEG holds 32, a 16-bit BMP 16.
  int bitsPerPixel = 0;
  // Why the picture did not load, for the user: "the picture could not be loaded (...)".
  std::string failure;

  explicit operator bool() const { return surface != nullptr; }
};

// The one way the document, the builder and the previews load a picture. The picture
// library decodes the file; then what it gets wrong is mended, in this order:
// - 16-bit PNG samples are rounded to 8 bits (the library keeps only their high byte);
// - a CMYK JPEG becomes RGB (inverted samples when the file has an Adobe segment);
// - a 32-bit BMP whose fourth bytes are all 0 is opaque;
// - 16-bit channels are widened to 8 bits as viewers show them (5-bit 31 gives 255);
// - transparency is shown over black: translucent pixels blended onto black, a
//   transparent colour or palette entry black;
// - the EXIF orientation of a JPEG or PNG file turns or mirrors the picture.
// Every other picture keeps the pixels the library gives. A surface of 0 bits per pixel
// or of no width or height is a damaged file, not a picture.
// Safe to call from several threads at once: each call keeps its state, its failure
// reason included, to itself.
LoadedPicture LoadPicture(const std::string& path);

struct ShownSize {
  int width = 0;
  int height = 0;
};

// The size LoadPicture gives the picture, read from the file's header alone (turned by its
// orientation) where the header says what the library decodes: JPEG, PNG and BMP files.
// Nothing for other kinds, a header without a size or a file that cannot be read. The
// picture may still fail to load.
std::optional<ShownSize> ShownSizeFromHeader(const std::string& path);

}  // namespace varnel
