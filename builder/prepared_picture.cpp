#include "builder/prepared_picture.h"

#include <array>
#include <new>
#include <utility>

#include "builder/conversion_source.h"
#include "builder/fitted_version.h"
#include "builder/resize_bitmap.h"
#include "picture/picture_loader.h"

namespace varnel {

namespace {

// Resizes into a bitmap whose buffer is reused, a fitted version through scratch; an
// empty bitmap when the resize fails.
void MakeVersion(const BitmapView& source, const VersionChoice& version, Bitmap& scratch,
                 Bitmap& out) {
  out.width = out.height = 0;
  if (!version.made) return;
  try {
    const bool made = version.fit == kFitStretch
                          ? ResizeBitmapInto(source, version.width, version.height, out)
                          : MakeFittedVersion(source, version.geometry, scratch, out);
    if (!made) out.width = out.height = 0;
  } catch (const std::bad_alloc&) {
    out = Bitmap{};
  }
}

// Makes the 240 x 160 version and the thumbnail, in one walk over the source where they
// read the same part of it; a version that cannot be made is left empty.
void MakeResizedAndThumbnail(PreparedPicture& picture) {
  const PictureVersions& v = picture.versions;
  std::array<FittedVersionTarget, 2> targets = {
      FittedVersionTarget{v.resized.geometry, &picture.resizedScratch, &picture.resized},
      FittedVersionTarget{v.thumbnail.geometry, &picture.thumbnailScratch, &picture.thumbnail}};
  try {
    MakeFittedVersions(picture.sourceView, targets);
  } catch (const std::bad_alloc&) {
    picture.resized = Bitmap{};
    picture.thumbnail = Bitmap{};
    return;
  }
  for (const FittedVersionTarget& target : targets)
    if (!target.made) target.out->width = target.out->height = 0;
}

// Decides which versions are resized from the source (an unchanged full size is the
// source itself) and clears their bitmaps.
std::vector<PreparedVersion> VersionsToMake(PreparedPicture& picture) {
  const PictureVersions& v = picture.versions;
  const BitmapView& source = picture.sourceView;
  picture.fullSizeIsSource =
      v.fullSize.made && source.width() == v.fullSize.width && source.height() == v.fullSize.height;
  for (Bitmap* version : {&picture.fullSize, &picture.resized, &picture.thumbnail})
    version->width = version->height = 0;
  std::vector<PreparedVersion> toMake;
  if (v.fullSize.made && !picture.fullSizeIsSource) toMake.push_back(PreparedVersion::kFullSize);
  if (v.resized.made && v.thumbnail.made) {
    toMake.push_back(PreparedVersion::kResizedAndThumbnail);
  } else {
    if (v.resized.made) toMake.push_back(PreparedVersion::kResized);
    if (v.thumbnail.made) toMake.push_back(PreparedVersion::kThumbnail);
  }
  return toMake;
}

// The decoded picture is the largest thing a prepared picture holds; the pictures waiting
// for the writer should hold only their versions.
void LetSourceGo(PreparedPicture& picture) {
  picture.sourceKept = false;
  picture.sourceView = BitmapView();
  picture.decoded.reset();
}

// Takes the source from the picture: read in place where that gives the same pixels,
// otherwise converted into the reused source bitmap (the picture is freed at once).
bool TakeSource(SurfacePtr picture, PreparedPicture& out, std::vector<uint8_t>& saved) {
  out.sourceView = ViewAsSource(picture.get());
  if (!out.sourceView.empty()) {
    out.decoded = std::move(picture);
    return true;
  }
  if (!MakeConversionSource(picture.get(), out.source, saved)) return false;
  picture.reset();
  out.sourceView = out.source;
  return true;
}

}  // namespace

std::vector<PreparedVersion> PrepareSource(const SlideshowOptions& options, const PictureEntry& row,
                                           std::size_t index, bool intro, PreparedPicture& out,
                                           std::vector<uint8_t>& saved) {
  out.row = index;
  out.loaded = false;
  out.whyNotLoaded.clear();
  out.sourceMade = false;
  out.introAssumed = intro;
  LetSourceGo(out);
  // A slot's bitmaps still hold the versions of the picture it held before.
  out.fullSizeIsSource = false;
  for (Bitmap* version : {&out.fullSize, &out.resized, &out.thumbnail})
    version->width = version->height = 0;
  LoadedPicture loaded = LoadPicture(row.path);
  out.loaded = static_cast<bool>(loaded);
  if (!out.loaded) {
    out.whyNotLoaded = loaded.failure;
    return {};
  }
  out.size = PictureSize{loaded.surface->w, loaded.surface->h};
  out.versions = ChooseVersions(options, row, out.size, intro);
  out.sourceMade = TakeSource(std::move(loaded.surface), out, saved);
  if (!out.sourceMade) return {};
  out.sourceKept = true;
  return VersionsToMake(out);
}

void MakePreparedVersion(PreparedPicture& picture, PreparedVersion version) {
  const PictureVersions& v = picture.versions;
  switch (version) {
    case PreparedVersion::kFullSize: {
      Bitmap unused;  // the full size is the whole picture at its own proportions
      return MakeVersion(picture.sourceView, v.fullSize, unused, picture.fullSize);
    }
    case PreparedVersion::kResized:
      return MakeVersion(picture.sourceView, v.resized, picture.resizedScratch, picture.resized);
    case PreparedVersion::kThumbnail:
      return MakeVersion(picture.sourceView, v.thumbnail, picture.thumbnailScratch,
                         picture.thumbnail);
    case PreparedVersion::kResizedAndThumbnail:
      return MakeResizedAndThumbnail(picture);
  }
}

void FinishPreparing(PreparedPicture& picture) {
  if (!picture.fullSizeIsSource) LetSourceGo(picture);
}

void PreparePicture(const SlideshowOptions& options, const PictureEntry& row, std::size_t index,
                    bool intro, PreparedPicture& out, std::vector<uint8_t>& saved) {
  for (const PreparedVersion version : PrepareSource(options, row, index, intro, out, saved))
    MakePreparedVersion(out, version);
  FinishPreparing(out);
}

void RemakeVersions(const SlideshowOptions& options, const PictureEntry& row, bool intro,
                    PreparedPicture& picture) {
  if (!picture.sourceKept) {
    std::vector<uint8_t> saved;
    PreparePicture(options, row, picture.row, intro, picture, saved);
    return;
  }
  picture.introAssumed = intro;
  picture.versions = ChooseVersions(options, row, picture.size, intro);
  for (const PreparedVersion version : VersionsToMake(picture))
    MakePreparedVersion(picture, version);
}

}  // namespace varnel
