#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <span>

#include "builder/bitmap.h"
#include "builder/bitmap_view.h"
#include "builder/encode_picture.h"
#include "builder/resampler.h"
#include "builder/shrink_kernels.h"
#include "files/binary_file.h"

// A picture's conversion one size at a time, and the resampler's passes over plain row
// buffers: what tests and benchmarks hold the builder's own route (a source made once,
// every size made from it) to, and time.
namespace varnel::testing {

// The passes of resampler.h over a bitmap's rows held at source (blue first, bottom-up).
void ShrinkRgb24(const uint8_t* source, int sourceWidth, int sourceHeight, uint8_t* destination,
                 int width, int height);
void EnlargeRgb24(const uint8_t* source, int sourceWidth, int sourceHeight, uint8_t* destination,
                  int width, int height);
// The shrinking pass of a named path (shrink_kernels.h), whatever DefaultShrinkKernel() is.
void ShrinkRgb24Using(ShrinkPath path, const uint8_t* source, int sourceWidth, int sourceHeight,
                      uint8_t* destination, int width, int height);
void ShrinkViewUsing(ShrinkPath path, const BitmapView& source, uint8_t* destination, int width,
                     int height);
void ShrinkViewIntoUsing(ShrinkPath path, const BitmapView& source,
                         std::span<const ShrinkDestination> destinations);

// ResizeBitmapInto into a fresh bitmap; empty where it refuses.
std::optional<Bitmap> ResizeBitmap(const BitmapView& source, uint16_t width, uint16_t height);

// Converts a loaded picture to width x height 15-bit pixels appended, after the alignment
// bytes, at the end of the output file: its conversion source (MakeConversionSource),
// resized, then AppendResized. Returns the file offset of the first pixel, or 0 when the
// conversion fails; then nothing was appended and the preview was put back. A write error
// on the output file throws FileError.
uint32_t EncodePicture(BinaryFile& output, SDL_Surface* picture, uint16_t width, uint16_t height,
                       const ConversionContext& context);

// The same from a source MakeConversionSource made, which stays unchanged.
uint32_t EncodeFromSource(BinaryFile& output, const Bitmap& source, uint16_t width, uint16_t height,
                          const ConversionContext& context);

}  // namespace varnel::testing
