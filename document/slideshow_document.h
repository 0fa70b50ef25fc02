#pragma once

#include <vector>

#include "document/picture_entry.h"
#include "document/slideshow_options.h"

namespace varnel {

// The general options and the picture rows in show order (the first row is the first slide).
struct SlideshowDocument {
  SlideshowOptions options;
  std::vector<PictureEntry> rows;

  bool operator==(const SlideshowDocument&) const = default;
};

}  // namespace varnel
