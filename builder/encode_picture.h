#pragma once

#include <SDL.h>

#include <cstdint>

#include "builder/bitmap.h"
#include "builder/bitmap_view.h"
#include "builder/preview.h"
#include "files/binary_file.h"

namespace varnel {

// Where a conversion shows its work: the preview (none for builds without a window).
struct ConversionContext {
  PreviewSink* preview = nullptr;
};

// Converts a loaded picture to width x height 15-bit pixels and appends them, after the
// alignment bytes, at the end of the output file. Returns the file offset of the first
// pixel, or 0 when the conversion fails; then nothing was appended. A write error on the
// output file throws FileError. The picture's two trips through a BMP file (as the picture
// library saves it, and the resized picture as the library reads it back) are made in
// memory: nothing but the output file is written.
uint32_t EncodePicture(BinaryFile& output, SDL_Surface* picture, uint16_t width, uint16_t height,
                       const ConversionContext& context);

// The rest of a conversion from a source made by MakeConversionSource (conversion_source.h),
// which stays unchanged: the same bytes and the same result as EncodePicture of the
// picture the source came from. A picture converted to several sizes is made into a
// source once.
uint32_t EncodeFromSource(BinaryFile& output, const Bitmap& source, uint16_t width, uint16_t height,
                          const ConversionContext& context);

// The end of every conversion: the resized picture is shown in the preview and its pixels
// appended as EncodePicture appends them; the preview is put back however it ends.
uint32_t AppendResized(BinaryFile& output, const BitmapView& resized,
                       const ConversionContext& context);

}  // namespace varnel
