#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "builder/preview.h"
#include "document/binary_file.h"

namespace varnel {

// Where a conversion may work: the work directory (for Sized.bmp) and the preview.
struct ConversionContext {
  std::string workDirectory;  // ends with a separator
  PreviewSink* preview = nullptr;
};

// Converts a loaded (and locked) picture to width x height 15-bit pixels and appends
// them, after the alignment bytes, at the end of the output file. Returns the file
// offset of the first pixel, or 0 when the conversion fails; then nothing was appended.
// A write error on the output file throws FileError.
uint32_t EncodePicture(BinaryFile& output, SDL_Surface* picture, uint16_t width, uint16_t height,
                       const ConversionContext& context);

}  // namespace varnel
