#include "builder/encode_picture.h"

#include <new>
#include <optional>
#include <utility>

#include "builder/bitmap_info.h"
#include "builder/bmp_loader.h"
#include "builder/bmp_writer.h"
#include "builder/pixel_writer.h"
#include "builder/preview_placement.h"
#include "builder/resize_bitmap.h"
#include "document/sdl_picture.h"

namespace varnel {

namespace {

constexpr char kSizedFileName[] = "Sized.bmp";

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

// The picture as SDL saves it: 8-bit pictures keep their palette, every other depth
// becomes 24-bit (translucent pixels blended onto black on the way).
bool SavePicture(SDL_Surface* picture, const std::string& path) {
  SurfaceLock lock(picture);
  if (!lock.locked()) return false;
  SDL_RWops* stream = SDL_RWFromFile(path.c_str(), "wb");
  if (stream == nullptr) return false;
  return SDL_SaveBMP_RW(picture, stream, 1) == 0;
}

// Everything before the output file is touched: the picture goes through Sized.bmp,
// is resized, shown in the preview, written back to Sized.bmp at 24 bits and read in
// again. Empty when any step fails.
SurfacePtr ResizeThroughSizedFile(SDL_Surface* picture, uint16_t width, uint16_t height,
                                  const std::string& path, PreviewSink& preview) {
  if (picture == nullptr || width == 0 || height == 0) return nullptr;
  const PreviewPlacement placement = PreviewPlacementFor(width, height);
  if (!SavePicture(picture, path)) return nullptr;

  std::optional<Bitmap> resized;
  {
    std::optional<Bitmap> loaded = LoadBmpFile(path);
    if (!loaded) return nullptr;
    resized = ResizeBitmap(std::move(*loaded), width, height);
  }
  if (!resized) return nullptr;
  preview.ShowPicture(*resized, placement.x, placement.y, placement.width, placement.height);

  const std::optional<BitmapInfo> info = MakeBitmapInfo(*resized);
  if (!info || !WriteBmpFile(path, *info, *resized)) return nullptr;
  resized.reset();  // the file holds it now; the read-back needs the memory
  return LoadPicture(path);
}

}  // namespace

uint32_t EncodePicture(BinaryFile& output, SDL_Surface* picture, uint16_t width, uint16_t height,
                       const ConversionContext& context) {
  NullPreview noPreview;
  PreviewSink& preview = context.preview != nullptr ? *context.preview : noPreview;
  PreviewRestorer restorer(preview);

  SurfacePtr sized;
  try {
    sized = ResizeThroughSizedFile(picture, width, height, context.workDirectory + kSizedFileName,
                                   preview);
  } catch (const std::bad_alloc&) {
    return 0;  // a picture too large for memory fails like any other conversion
  }
  if (!sized) return 0;
  SurfaceLock lock(sized.get());
  if (!lock.locked()) return 0;
  return WritePixels(output, sized.get());
}

}  // namespace varnel
