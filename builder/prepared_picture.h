#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "builder/bitmap.h"
#include "builder/show_plan.h"

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
  // The source; an unchanged full size is the source itself.
  Bitmap source;
  // Resized versions; empty where a version is not made here or its resize failed.
  Bitmap fullSize, resized, thumbnail;
  bool fullSizeIsSource = false;

  // The bitmap of a version, or nullptr when it was not made.
  const Bitmap* VersionBitmap(const VersionChoice& version, const Bitmap& made) const {
    if (!version.made) return nullptr;
    if (&made == &fullSize && fullSizeIsSource) return &source;
    return made.empty() ? nullptr : &made;
  }
};

// Loads the row's picture and makes the versions ChooseVersions gives for the intro flag;
// buffers of out are reused. saved is the worker's buffer for pictures the library saves.
void PreparePicture(const SlideshowOptions& options, const PictureEntry& row, std::size_t index,
                    bool intro, PreparedPicture& out, std::vector<uint8_t>& saved);

// Makes the versions again from the source, for an intro flag other than the assumed one
// (an earlier picture did not load).
void RemakeVersions(const SlideshowOptions& options, const PictureEntry& row, bool intro,
                    PreparedPicture& picture);

}  // namespace varnel
