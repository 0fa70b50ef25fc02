#pragma once

#include <cstdint>

#include "builder/bitmap_view.h"
#include "builder/preview.h"
#include "files/binary_file.h"

namespace varnel {

// Where a conversion shows its work: the preview (none for builds without a window).
struct ConversionContext {
  PreviewSink* preview = nullptr;
};

// The end of every conversion: the resized picture is shown in the preview and its pixels
// appended, after the alignment bytes, at the end of the output file (WriteBitmapPixels);
// the preview is put back however it ends. Returns the file offset of the first pixel, or
// 0 when the picture is empty or too large for a BMP file's size fields; then nothing was
// appended. A write error on the output file throws FileError.
uint32_t AppendResized(BinaryFile& output, const BitmapView& resized,
                       const ConversionContext& context);

}  // namespace varnel
