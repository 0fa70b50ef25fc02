#include "builder/encode_picture.h"

#include <optional>

#include "builder/bitmap_info.h"
#include "builder/pixel_writer.h"
#include "builder/preview_placement.h"

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

}  // namespace

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
