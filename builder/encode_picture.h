#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <string>

#include "builder/bitmap.h"
#include "builder/preview.h"
#include "document/binary_file.h"

namespace varnel {

// Where a conversion may work: the work directory (for Sized.bmp) and the preview.
struct ConversionContext {
  std::string workDirectory;  // ends with a separator
  PreviewSink* preview = nullptr;
};

// Converts a loaded picture to width x height 15-bit pixels and appends them, after the
// alignment bytes, at the end of the output file. Returns the file offset of the first
// pixel, or 0 when the conversion fails; then nothing was appended. A write error on the
// output file throws FileError.
uint32_t EncodePicture(BinaryFile& output, SDL_Surface* picture, uint16_t width, uint16_t height,
                       const ConversionContext& context);

// The first half of a conversion, which depends on the picture alone: the picture is
// written to Sized.bmp as the picture library saves it and read back as 24-bit rows into
// source (whose buffer is reused). False when either step fails. A picture converted to
// several sizes goes through this once instead of once per size.
bool LoadConversionSource(SDL_Surface* picture, const ConversionContext& context, Bitmap& source);

// The rest of a conversion from such a source, which stays unchanged: the same bytes and
// the same result as EncodePicture of the picture the source came from.
uint32_t EncodeFromSource(BinaryFile& output, const Bitmap& source, uint16_t width, uint16_t height,
                          const ConversionContext& context);

}  // namespace varnel
