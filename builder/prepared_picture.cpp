#include "builder/prepared_picture.h"

#include <new>
#include <utility>

#include "builder/conversion_source.h"
#include "builder/resize_bitmap.h"
#include "document/picture_loader.h"

namespace varnel {

namespace {

// Resizes into a bitmap whose buffer is reused; an empty bitmap when the resize fails.
void MakeVersion(const Bitmap& source, const VersionChoice& version, Bitmap& out) {
  out.width = out.height = 0;
  if (!version.made) return;
  try {
    if (!ResizeBitmapInto(source, version.width, version.height, out)) out.width = out.height = 0;
  } catch (const std::bad_alloc&) {
    out = Bitmap{};
  }
}

void MakeVersions(PreparedPicture& picture) {
  const PictureVersions& v = picture.versions;
  picture.fullSizeIsSource = v.fullSize.made && picture.source.width == v.fullSize.width &&
                             picture.source.height == v.fullSize.height;
  if (picture.fullSizeIsSource)
    picture.fullSize.width = picture.fullSize.height = 0;
  else
    MakeVersion(picture.source, v.fullSize, picture.fullSize);
  MakeVersion(picture.source, v.resized, picture.resized);
  MakeVersion(picture.source, v.thumbnail, picture.thumbnail);
}

}  // namespace

void PreparePicture(const SlideshowOptions& options, const PictureEntry& row, std::size_t index,
                    bool intro, PreparedPicture& out, std::vector<uint8_t>& saved) {
  out.row = index;
  out.loaded = false;
  out.whyNotLoaded.clear();
  out.sourceMade = false;
  out.introAssumed = intro;
  LoadedPicture loaded = LoadPicture(row.path);
  out.loaded = static_cast<bool>(loaded);
  if (!out.loaded) {
    out.whyNotLoaded = loaded.failure;
    return;
  }
  SurfacePtr picture = std::move(loaded.surface);
  out.size = PictureSize{picture->w, picture->h};
  out.versions = ChooseVersions(options, row, out.size, intro);
  out.sourceMade = MakeConversionSource(picture.get(), out.source, saved);
  picture.reset();  // the source holds the picture now; its memory can go
  if (out.sourceMade) MakeVersions(out);
}

void RemakeVersions(const SlideshowOptions& options, const PictureEntry& row, bool intro,
                    PreparedPicture& picture) {
  picture.introAssumed = intro;
  picture.versions = ChooseVersions(options, row, picture.size, intro);
  if (picture.sourceMade) MakeVersions(picture);
}

}  // namespace varnel
