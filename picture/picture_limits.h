#pragma once

#include <cstdint>

namespace varnel {

// The largest picture Varnel decodes, in pixels: a 12000 x 9000 photograph. A file whose
// header declares more is refused before anything is decoded, so that a small file cannot
// make the picture library claim gigabytes (a 2 MB PNG may declare 16383 x 32770).
constexpr int64_t kMaxPictureWidthShown = 12000;
constexpr int64_t kMaxPictureHeightShown = 9000;
constexpr int64_t kMaxPicturePixels = kMaxPictureWidthShown * kMaxPictureHeightShown;

// The largest surface the picture library makes (its rows are counted in 16 bits).
constexpr int64_t kMaxLibraryWidth = 16383;
constexpr int64_t kMaxLibraryHeight = 65535;

}  // namespace varnel
