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

std::string SizedFilePath(const ConversionContext& context) {
  return context.workDirectory + kSizedFileName;
}

PreviewSink& PreviewOf(const ConversionContext& context, NullPreview& fallback) {
  return context.preview != nullptr ? *context.preview : fallback;
}

// The picture as the resampler reads it: through Sized.bmp as SDL saves it.
std::optional<Bitmap> SaveAndLoadSource(SDL_Surface* picture, const std::string& path) {
  if (picture == nullptr || !SavePicture(picture, path)) return std::nullopt;
  return LoadBmpFile(path);
}

// The resized picture is shown in the preview, written back to Sized.bmp at 24 bits and
// read in again; empty when any step fails.
bool ShowAndWriteBack(const Bitmap& resized, const std::string& path,
                      const PreviewPlacement& placement, PreviewSink& preview) {
  preview.ShowPicture(resized, placement.x, placement.y, placement.width, placement.height);
  const std::optional<BitmapInfo> info = MakeBitmapInfo(resized);
  return info && WriteBmpFile(path, *info, resized);
}

SurfacePtr ShowAndRoundTrip(std::optional<Bitmap> resized, const std::string& path,
                            const PreviewPlacement& placement, PreviewSink& preview) {
  if (!resized || !ShowAndWriteBack(*resized, path, placement, preview)) return nullptr;
  resized.reset();  // the file holds it now; the read-back needs the memory
  return LoadPicture(path);
}

uint32_t AppendPixels(BinaryFile& output, SurfacePtr sized) {
  if (!sized) return 0;
  SurfaceLock lock(sized.get());
  if (!lock.locked()) return 0;
  return WritePixels(output, sized.get());
}

// What every conversion does around its own steps: the preview is put back however it
// ends, a size of 0 or a lack of memory fails it, and the picture read back from
// Sized.bmp goes into the image. makeSized(path, placement, preview) gives that picture.
template <typename MakeSized>
uint32_t Convert(BinaryFile& output, uint16_t width, uint16_t height,
                 const ConversionContext& context, MakeSized makeSized) {
  NullPreview noPreview;
  PreviewSink& preview = PreviewOf(context, noPreview);
  PreviewRestorer restorer(preview);
  if (width == 0 || height == 0) return 0;
  SurfacePtr sized;
  try {
    sized = makeSized(SizedFilePath(context), PreviewPlacementFor(width, height), preview);
  } catch (const std::bad_alloc&) {
    return 0;  // a picture too large for memory fails like any other conversion
  }
  return AppendPixels(output, std::move(sized));
}

}  // namespace

uint32_t EncodePicture(BinaryFile& output, SDL_Surface* picture, uint16_t width, uint16_t height,
                       const ConversionContext& context) {
  return Convert(output, width, height, context,
                 [&](const std::string& path, const PreviewPlacement& placement,
                     PreviewSink& preview) -> SurfacePtr {
                   std::optional<Bitmap> source = SaveAndLoadSource(picture, path);
                   if (!source) return nullptr;
                   // The source is taken over: a shrink reuses its rows, not a second copy.
                   return ShowAndRoundTrip(ResizeBitmap(std::move(*source), width, height), path,
                                           placement, preview);
                 });
}

bool LoadConversionSource(SDL_Surface* picture, const ConversionContext& context, Bitmap& source) {
  try {
    const std::string path = SizedFilePath(context);
    return picture != nullptr && SavePicture(picture, path) && LoadBmpFileInto(path, source);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

uint32_t EncodeFromSource(BinaryFile& output, const Bitmap& source, uint16_t width, uint16_t height,
                          const ConversionContext& context) {
  return Convert(output, width, height, context,
                 [&](const std::string& path, const PreviewPlacement& placement,
                     PreviewSink& preview) -> SurfacePtr {
                   if (source.width != width || source.height != height)
                     return ShowAndRoundTrip(ResizeBitmapFrom(source, width, height), path,
                                             placement, preview);
                   // An unchanged size is the source itself: no copy of a picture this large.
                   if (!ShowAndWriteBack(source, path, placement, preview)) return nullptr;
                   return LoadPicture(path);
                 });
}

}  // namespace varnel
