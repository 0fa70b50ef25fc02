#pragma once

#include <algorithm>
#include <cstdint>

#include "builder/preview.h"

namespace varnel {

// Where the preview shows a picture being converted: at most 240 x 160, centred on the
// preview's normal rectangle (halves rounded down).
struct PreviewPlacement {
  int x = kPreviewX;
  int y = kPreviewY;
  int width = kPreviewWidth;
  int height = kPreviewHeight;
  bool operator==(const PreviewPlacement&) const = default;
};

constexpr PreviewPlacement PreviewPlacementFor(uint16_t width, uint16_t height) {
  const int shownWidth = std::min<int>(width, kPreviewWidth);
  const int shownHeight = std::min<int>(height, kPreviewHeight);
  return PreviewPlacement{kPreviewX + (kPreviewWidth - shownWidth) / 2,
                          kPreviewY + (kPreviewHeight - shownHeight) / 2, shownWidth, shownHeight};
}

}  // namespace varnel
