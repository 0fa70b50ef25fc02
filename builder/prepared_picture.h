#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "builder/bitmap.h"
#include "builder/bitmap_view.h"
#include "builder/show_plan.h"
#include "picture/sdl_picture.h"

namespace varnel {

// One picture made ready ahead of the image: loaded, made into a conversion source and
// resized to the versions it gets. What the image needs of it is then only the 15-bit
// pixels, the preview and the offsets, which the one writer adds in show order.
struct PreparedPicture {
  std::size_t row = 0;
  bool loaded = false;
  std::string whyNotLoaded;  // the picture library's reason, taken right after the load
  PictureSize size;
  bool sourceMade = false;    // false: no version can be made (the picture could not be saved)
  bool introAssumed = false;  // the intro flag the versions were made for
  PictureVersions versions;
  // The source: the decoded picture read where it lies when the conversion would only
  // reorder its bytes, otherwise a bitmap made of it. An unchanged full size is the source
  // itself. Once the versions are made the source is let go unless the full size is it;
  // a remake then loads the picture again.
  SurfacePtr decoded;
  Bitmap source;
  BitmapView sourceView;
  bool sourceKept = false;
  // Resized versions; empty where a version is not made here or its resize failed.
  Bitmap fullSize, resized, thumbnail;
  bool fullSizeIsSource = false;
  // A version that keeps the picture's proportions is resampled into its scratch before
  // it is placed on its black box; each has its own, as each may be made on a thread of
  // its own.
  Bitmap resizedScratch, thumbnailScratch;

  // The pixels of a version; an empty view when it was not made.
  BitmapView VersionPixels(const VersionChoice& version, const Bitmap& made) const {
    if (!version.made) return {};
    if (&made == &fullSize && fullSizeIsSource) return sourceView;
    return made;  // a resize that failed left it empty
  }
};

// Loads the row's picture and makes the versions ChooseVersions gives for the intro flag;
// buffers of out are reused. saved is the worker's buffer for pictures the library saves.
void PreparePicture(const SlideshowOptions& options, const PictureEntry& row, std::size_t index,
                    bool intro, PreparedPicture& out, std::vector<uint8_t>& saved);

// Prepares a JPEG picture whose versions are all shrinks of one part of it (the 240 x 160
// version and the thumbnail, not the full size) by shrinking it in a decoder as its rows
// are decoded (LoadPictureShrunk): no decoded picture is held, and the versions' bytes are
// those PreparePicture makes. True when the picture was prepared so, or failed to load;
// false when it is not such a picture, and PrepareSource is to prepare it.
bool PrepareShrunkAsDecoded(const SlideshowOptions& options, const PictureEntry& row,
                            std::size_t index, bool intro, PreparedPicture& out);

// PreparePicture in steps, so that the versions of one picture can be made on several
// threads at once: PrepareSource loads the picture and gives the versions to resize from
// its source; MakePreparedVersion makes one of them (each writes only its own bitmap and
// reads the source); FinishPreparing, once all are made, lets the source go unless the
// full size is the source itself. The 240 x 160 version and the thumbnail, when both are
// made, are one task: one walk over the source makes both.
enum class PreparedVersion { kFullSize, kResized, kThumbnail, kResizedAndThumbnail };
std::vector<PreparedVersion> PrepareSource(const SlideshowOptions& options, const PictureEntry& row,
                                           std::size_t index, bool intro, PreparedPicture& out,
                                           std::vector<uint8_t>& saved);
void MakePreparedVersion(PreparedPicture& picture, PreparedVersion version);
void FinishPreparing(PreparedPicture& picture);

// Makes the versions again, for an intro flag other than the assumed one (an earlier
// picture did not load): from the source where it was kept, otherwise from the picture
// loaded again.
void RemakeVersions(const SlideshowOptions& options, const PictureEntry& row, bool intro,
                    PreparedPicture& picture);

}  // namespace varnel
