#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "builder/bitmap_view.h"
#include "document/picture_entry.h"
#include "document/slideshow_options.h"

namespace varnel {

// The console's screen as 15-bit pixels (bits 0-4 red, 5-9 green, 10-14 blue), 240 x 160,
// rows from the top.
using ScreenPixels = std::vector<uint16_t>;

// What the viewer shows of one version of a picture when it comes to the slide: the
// version centred on black where it is smaller than the screen, and where it is larger
// the screen-sized window in its middle (the window's left edge on an even column, as
// the viewer keeps it).
ScreenPixels FirstScreenOfVersion(const BitmapView& version);

// What the console shows first when the show reaches the row's picture, from the pixels
// the build writes for it (the picture is loaded and prepared as a build prepares it):
// its 240 x 160 version when it gets one, else its full-size version. The row is an intro
// picture when fewer rows than the intro count come before it (every earlier picture
// taken to load). A slide that gets neither version is black (the viewer writes a line of
// text on it). Nothing when the picture does not load.
std::optional<ScreenPixels> FirstScreenOfRow(const SlideshowOptions& options,
                                             const PictureEntry& row, std::size_t index);

}  // namespace varnel
