#include "tests/support/picture_conversion.h"

#include <new>
#include <vector>

#include "builder/conversion_source.h"
#include "builder/resize_bitmap.h"

namespace varnel::testing {

namespace {

ShrinkDestination WholeBitmapRows(uint8_t* destination, int width, int height) {
  return {destination, Bitmap::StrideOf(width), width, height};
}

// A failed conversion shows nothing and puts the preview back, as AppendResized does
// however it ends.
uint32_t Failed(const ConversionContext& context) {
  if (context.preview != nullptr) context.preview->RestorePreview();
  return 0;
}

}  // namespace

void ShrinkRgb24(const uint8_t* source, int sourceWidth, int sourceHeight, uint8_t* destination,
                 int width, int height) {
  ShrinkView(BitmapView::OfBottomUpBgr(source, sourceWidth, sourceHeight), destination, width,
             height);
}

void EnlargeRgb24(const uint8_t* source, int sourceWidth, int sourceHeight, uint8_t* destination,
                  int width, int height) {
  EnlargeView(BitmapView::OfBottomUpBgr(source, sourceWidth, sourceHeight), destination, width,
              height);
}

void ShrinkViewIntoUsing(ShrinkPath path, const BitmapView& source,
                         std::span<const ShrinkDestination> destinations) {
  ShrinkViewIntoWith(ShrinkKernelOf(path), source, destinations);
}

void ShrinkViewUsing(ShrinkPath path, const BitmapView& source, uint8_t* destination, int width,
                     int height) {
  const ShrinkDestination only = WholeBitmapRows(destination, width, height);
  ShrinkViewIntoUsing(path, source, std::span<const ShrinkDestination>(&only, 1));
}

void ShrinkRgb24Using(ShrinkPath path, const uint8_t* source, int sourceWidth, int sourceHeight,
                      uint8_t* destination, int width, int height) {
  ShrinkViewUsing(path, BitmapView::OfBottomUpBgr(source, sourceWidth, sourceHeight), destination,
                  width, height);
}

std::optional<Bitmap> ResizeBitmap(const BitmapView& source, uint16_t width, uint16_t height) {
  Bitmap resized;
  if (!ResizeBitmapInto(source, width, height, resized)) return std::nullopt;
  return resized;
}

uint32_t EncodePicture(BinaryFile& output, SDL_Surface* picture, uint16_t width, uint16_t height,
                       const ConversionContext& context) {
  if (width == 0 || height == 0) return Failed(context);
  std::optional<Bitmap> resized;
  try {
    Bitmap source;
    std::vector<uint8_t> saved;
    if (!MakeConversionSource(picture, source, saved)) return Failed(context);
    resized = ResizeBitmap(source, width, height);
  } catch (const std::bad_alloc&) {
    return Failed(context);
  }
  return resized ? AppendResized(output, *resized, context) : Failed(context);
}

uint32_t EncodeFromSource(BinaryFile& output, const Bitmap& source, uint16_t width, uint16_t height,
                          const ConversionContext& context) {
  if (width == 0 || height == 0) return Failed(context);
  if (source.width == width && source.height == height)
    return AppendResized(output, source, context);
  const std::optional<Bitmap> resized = ResizeBitmap(source, width, height);
  return resized ? AppendResized(output, *resized, context) : Failed(context);
}

}  // namespace varnel::testing
