#pragma once

#include <cstdio>
#include <string>

#include "picture/picture_file_facts.h"
#include "picture/sdl_picture.h"

namespace varnel {

// A picture decoded by the picture library and mended as it is shown.
struct DecodedPicture {
  SurfacePtr surface;    // empty when the picture did not load
  int bitsPerPixel = 0;  // as the file holds it (the row's Size text)
  std::string failure;   // why it did not load, for the user: "the file is damaged", ...
};

// Sets the library's decoders up; once, before the first picture.
void SetUpPictureLibrary();

// Decodes the open file, whose facts the caller read, then mends what the library gets
// wrong, in this order:
// - 16-bit PNG samples are rounded to 8 bits (the library keeps only their high byte);
// - a CMYK JPEG becomes RGB (inverted samples when the file has an Adobe segment);
// - a 32-bit BMP whose fourth bytes are all 0 is opaque;
// - 16-bit channels are widened to 8 bits as viewers show them (5-bit 31 gives 255);
// - transparency is shown over black: translucent pixels blended onto black, a
//   transparent colour or palette entry black;
// - the EXIF orientation of a JPEG or PNG file turns or mirrors the picture.
// Every other picture keeps the pixels the library gives. A surface of 0 bits per pixel
// or of no width or height is a damaged file, not a picture; one of more than
// kMaxPicturePixels (a kind whose header was not read) is refused as too large.
// Only decoder processes call this: the library is neither safe on several threads nor
// on damaged files.
DecodedPicture DecodePicture(std::FILE* file, const PictureFileFacts& facts,
                             const std::string& extension);

}  // namespace varnel
