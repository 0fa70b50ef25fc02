#include "ui/model/preview_area.h"

#include <algorithm>
#include <cstring>

namespace varnel {

Bitmap CentredPart(const BitmapView& picture, int width, int height) {
  Bitmap part;
  if (picture.width() <= width && picture.height() <= height) {
    CopyIntoBitmap(picture, part);
    return part;
  }
  part.width = std::min(picture.width(), std::max(width, 0));
  part.height = std::min(picture.height(), std::max(height, 0));
  part.rows.assign(part.stride() * static_cast<std::size_t>(part.height), 0);
  const int left = (picture.width() - part.width) / 2;
  const int top = (picture.height() - part.height) / 2;
  for (int y = 0; y < part.height; ++y) {
    const uint8_t* from = picture.PixelFromTop(left, top + y);
    uint8_t* to = part.rows.data() + static_cast<std::size_t>(part.height - 1 - y) * part.stride();
    for (int x = 0; x < part.width; ++x, from += 3, to += 3) {
      to[0] = picture.Blue(from);
      to[1] = picture.Green(from);
      to[2] = picture.Red(from);
    }
  }
  return part;
}

void PreviewArea::ShowPicture(const BitmapView& picture, int x, int y, int width, int height) {
  rect_ = PixelRect{x, y, width, height};
  // Only the middle of a larger picture shows, so only that part is kept.
  picture_ = CentredPart(picture, width, height);
  Changed();
}

void PreviewArea::RestorePreview() {
  rect_ = kNormalPreviewRect;
  picture_.reset();
  Changed();
}

void PreviewArea::SetPicture(Bitmap picture) {
  picture_ = std::move(picture);
  Changed();
}

void PreviewArea::ClearPicture() {
  if (!picture_) return;
  picture_.reset();
  Changed();
}

void PreviewArea::PlaceAtNormalRect() {
  rect_ = kNormalPreviewRect;
  Changed();
}

}  // namespace varnel
