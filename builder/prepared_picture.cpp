#include "builder/prepared_picture.h"

#include <array>
#include <new>
#include <optional>
#include <utility>

#include "builder/conversion_source.h"
#include "builder/fitted_version.h"
#include "builder/resize_bitmap.h"
#include "builder/shrink_kernels.h"
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

// Readies a slot for the row's picture: its bitmaps still hold the versions of the
// picture it held before.
void BeginPreparing(std::size_t index, bool intro, PreparedPicture& out) {
  out.row = index;
  out.loaded = false;
  out.whyNotLoaded.clear();
  out.sourceMade = false;
  out.introAssumed = intro;
  LetSourceGo(out);
  out.fullSizeIsSource = false;
  for (Bitmap* version : {&out.fullSize, &out.resized, &out.thumbnail})
    version->width = version->height = 0;
}

// A version a decoder can shrink as the picture's rows come: the geometry's part read to
// a smaller size, into the bitmap it lands in (placed on its box afterwards when it does
// not fill it).
struct ShrunkVersion {
  const FitGeometry* geometry = nullptr;
  Bitmap* resampled = nullptr;
  Bitmap* placed = nullptr;
};

bool Shrinks(const VersionChoice& version) {
  const FitGeometry& g = version.geometry;
  const bool stretchAsGeometry =
      version.fit != kFitStretch || (g.width == version.width && g.height == version.height);
  return stretchAsGeometry && g.width >= 1 && g.height >= 1 && g.width <= g.crop.width &&
         g.height <= g.crop.height && (g.width != g.crop.width || g.height != g.crop.height);
}

// The versions of a picture of this size, when each is a shrink of one and the same part
// of it and none is the picture itself; nothing otherwise.
std::vector<ShrunkVersion> VersionsShrunkFromOnePart(PreparedPicture& picture) {
  const PictureVersions& v = picture.versions;
  if (v.fullSize.made || (!v.resized.made && !v.thumbnail.made)) return {};
  std::vector<ShrunkVersion> shrunk;
  if (v.resized.made)
    shrunk.push_back({&v.resized.geometry, &picture.resizedScratch, &picture.resized});
  if (v.thumbnail.made)
    shrunk.push_back({&v.thumbnail.geometry, &picture.thumbnailScratch, &picture.thumbnail});
  for (const ShrunkVersion& version : shrunk) {
    const VersionChoice& choice = version.placed == &picture.resized ? v.resized : v.thumbnail;
    if (!Shrinks(choice) || !(version.geometry->crop == shrunk.front().geometry->crop)) return {};
  }
  return shrunk;
}

}  // namespace

bool PrepareShrunkAsDecoded(const SlideshowOptions& options, const PictureEntry& row,
                            std::size_t index, bool intro, PreparedPicture& out) {
  const std::optional<ShownSize> size = ShrinkableSizeFromHeader(row.path);
  if (!size) return false;
  BeginPreparing(index, intro, out);
  out.size = PictureSize{size->width, size->height};
  out.versions = ChooseVersions(options, row, out.size, intro);
  const std::vector<ShrunkVersion> versions = VersionsShrunkFromOnePart(out);
  if (versions.empty()) return false;
  const PictureRect crop = versions.front().geometry->crop;
  ShrinkRequest ask;
  ask.x = crop.x;
  ask.y = crop.y;
  ask.width = crop.width;
  ask.height = crop.height;
  ask.count = static_cast<uint32_t>(versions.size());
  const ShrinkChoice path = DefaultShrinkChoice();
  ask.path = static_cast<uint32_t>(path.path);
  ask.standIns = path.standIns ? 1 : 0;
  std::vector<ShrinkDestination> into;
  for (std::size_t i = 0; i < versions.size(); ++i) {
    const FitGeometry& g = *versions[i].geometry;
    Bitmap& made = g.FillsBox() ? *versions[i].placed : *versions[i].resampled;
    made.width = g.width;
    made.height = g.height;
    made.rows.resize(made.stride() * static_cast<std::size_t>(g.height));
    ask.widths[i] = g.width;
    ask.heights[i] = g.height;
    into.push_back({made.rows.data(), made.stride(), g.width, g.height});
  }
  const ShrunkPicture shrunk = LoadPictureShrunk(row.path, ask, into);
  if (!shrunk.failure.empty()) {
    out.whyNotLoaded = shrunk.failure;
    return true;
  }
  // PrepareSource begins the slot afresh.
  if (!shrunk.shrunk || shrunk.width != size->width || shrunk.height != size->height) return false;
  out.loaded = true;
  out.sourceMade = true;
  for (const ShrunkVersion& version : versions) {
    const FitGeometry& g = *version.geometry;
    if (!g.FillsBox())
      PlaceOnBlack(*version.resampled, g.x0, g.y0, g.boxWidth, g.boxHeight, *version.placed);
  }
  return true;
}

std::vector<PreparedVersion> PrepareSource(const SlideshowOptions& options, const PictureEntry& row,
                                           std::size_t index, bool intro, PreparedPicture& out,
                                           std::vector<uint8_t>& saved) {
  BeginPreparing(index, intro, out);
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
  if (PrepareShrunkAsDecoded(options, row, index, intro, out)) return;
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
