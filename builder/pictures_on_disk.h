#pragma once

#include <vector>

#include "document/slideshow_document.h"

namespace varnel {

// For each row, whether its picture is still an ordinary file: a picture deleted since
// its row was made is left out by a build, so a plan must not count it.
std::vector<bool> PicturesOnDisk(const SlideshowDocument& document);

}  // namespace varnel
