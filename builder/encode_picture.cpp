#include "builder/encode_picture.h"

#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "builder/bitmap_info.h"
#include "builder/conversion_source.h"
#include "builder/pixel_writer.h"
#include "builder/preview_placement.h"
#include "builder/resize_bitmap.h"

namespace varnel {

namespace {

// Puts the preview back to its normal rectangle when the conversion ends, however it ends.
class PreviewRestorer {
 public:
  explicit PreviewRestorer(PreviewSink& preview) : preview_(preview) {}
  ~PreviewRestorer() { preview_.RestorePreview(); }
  PreviewRestorer(const PreviewRestorer&) = delete;
  PreviewRestorer& operator=(const PreviewRestorer&) = delete;

 private:
  PreviewSink& preview_;
};

PreviewSink& PreviewOf(const ConversionContext& context, NullPreview& fallback) {
  return context.preview != nullptr ? *context.preview : fallback;
}

// The resized picture goes back through a 24-bit BMP file, whose size fields are 32 bits:
// a picture whose file they cannot describe fails the conversion.
bool FitsABmpFile(const BitmapView& bitmap) {
  const std::optional<BitmapInfoHeader> header = MakeRgb24Header(bitmap.width(), bitmap.height());
  return header && kBmpFileHeaderSize + header->biSize + header->biSizeImage <= UINT32_MAX;
}

// Shows the resized picture in the preview and appends its pixels as the picture library
// reads its BMP file back.
uint32_t ShowAndAppend(BinaryFile& output, const BitmapView& sized, uint16_t width, uint16_t height,
                       PreviewSink& preview) {
  const PreviewPlacement placement = PreviewPlacementFor(width, height);
  preview.ShowPicture(sized, placement.x, placement.y, placement.width, placement.height);
  if (!FitsABmpFile(sized)) return 0;
  return WriteBitmapPixels(output, sized);
}

uint32_t ResizeShowAndAppend(BinaryFile& output, const Bitmap& source, uint16_t width,
                             uint16_t height, PreviewSink& preview) {
  if (width == 0 || height == 0) return 0;
  try {
    // An unchanged size is the source itself: no copy of a picture this large.
    if (source.width == width && source.height == height)
      return ShowAndAppend(output, source, width, height, preview);
    const std::optional<Bitmap> resized = ResizeBitmapFrom(source, width, height);
    if (!resized) return 0;
    return ShowAndAppend(output, *resized, width, height, preview);
  } catch (const std::bad_alloc&) {
    return 0;  // a picture too large for memory fails like any other conversion
  }
}

}  // namespace

uint32_t EncodePicture(BinaryFile& output, SDL_Surface* picture, uint16_t width, uint16_t height,
                       const ConversionContext& context) {
  NullPreview noPreview;
  PreviewSink& preview = PreviewOf(context, noPreview);
  PreviewRestorer restorer(preview);
  if (width == 0 || height == 0) return 0;
  try {
    Bitmap source;
    std::vector<uint8_t> saved;
    if (!MakeConversionSource(picture, source, saved)) return 0;
    saved = {};  // the saved file's memory is not needed for the resize
    // The source is taken over: a shrink reuses its rows, not a second copy.
    const std::optional<Bitmap> resized = ResizeBitmap(std::move(source), width, height);
    return resized ? ShowAndAppend(output, *resized, width, height, preview) : 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

uint32_t EncodeFromSource(BinaryFile& output, const Bitmap& source, uint16_t width, uint16_t height,
                          const ConversionContext& context) {
  NullPreview noPreview;
  PreviewSink& preview = PreviewOf(context, noPreview);
  PreviewRestorer restorer(preview);
  return ResizeShowAndAppend(output, source, width, height, preview);
}

uint32_t AppendResized(BinaryFile& output, const BitmapView& resized,
                       const ConversionContext& context) {
  NullPreview noPreview;
  PreviewSink& preview = PreviewOf(context, noPreview);
  PreviewRestorer restorer(preview);
  if (resized.empty()) return 0;
  return ShowAndAppend(output, resized, static_cast<uint16_t>(resized.width()),
                       static_cast<uint16_t>(resized.height()), preview);
}

}  // namespace varnel
