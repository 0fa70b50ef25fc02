#pragma once

#include "builder/bitmap_view.h"
#include "format/image_layout.h"

namespace varnel {

// The window's 240 x 160 preview area as the conversion sees it. Its normal rectangle
// is client pixels (10, 250, 240, 160).
class PreviewSink {
 public:
  virtual ~PreviewSink() = default;
  // Shows a picture in the rectangle x, y, width, height of the window's client area,
  // centred and clipped, not scaled, and repaints at once.
  virtual void ShowPicture(const BitmapView& picture, int x, int y, int width, int height) = 0;
  // Puts the preview back to its normal rectangle, holding no picture.
  virtual void RestorePreview() = 0;
};

// For builds without a window (tests, the command line).
class NullPreview final : public PreviewSink {
 public:
  void ShowPicture(const BitmapView&, int, int, int, int) override {}
  void RestorePreview() override {}
};

inline constexpr int kPreviewX = 10;
inline constexpr int kPreviewY = 250;
// The preview shows a picture as the console's screen would.
inline constexpr int kPreviewWidth = kScreenWidth;
inline constexpr int kPreviewHeight = kScreenHeight;

}  // namespace varnel
