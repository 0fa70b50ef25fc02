#include "builder/fitted_version.h"

#include <algorithm>
#include <cstring>

#include "builder/resize_bitmap.h"

namespace varnel {

bool MakeFittedVersion(const BitmapView& source, const FitGeometry& geometry, Bitmap& scratch,
                       Bitmap& out) {
  const PictureRect& crop = geometry.crop;
  const BitmapView part =
      crop.x == 0 && crop.y == 0 && crop.width == source.width() && crop.height == source.height()
          ? source
          : source.Part(crop.x, crop.y, crop.width, crop.height);
  const auto width = static_cast<uint16_t>(geometry.width);
  const auto height = static_cast<uint16_t>(geometry.height);
  if (geometry.FillsBox()) return ResizeBitmapInto(part, width, height, out);
  if (!ResizeBitmapInto(part, width, height, scratch)) return false;
  PlaceOnBlack(scratch, geometry.x0, geometry.y0, geometry.boxWidth, geometry.boxHeight, out);
  return true;
}

void PlaceOnBlack(const BitmapView& picture, int x0, int y0, int boxWidth, int boxHeight,
                  Bitmap& box) {
  box.width = boxWidth;
  box.height = boxHeight;
  box.rows.assign(box.stride() * static_cast<std::size_t>(boxHeight), 0);
  const std::size_t used = static_cast<std::size_t>(picture.width()) * 3;
  for (int y = 0; y < picture.height(); ++y) {
    const uint8_t* in = picture.PixelFromTop(0, y);
    uint8_t* out = box.rows.data() +
                   static_cast<std::size_t>(boxHeight - 1 - (y0 + y)) * box.stride() +
                   static_cast<std::size_t>(x0) * 3;
    if (!picture.redFirst()) {
      std::memcpy(out, in, used);
      continue;
    }
    for (std::size_t x = 0; x < used; x += 3) {
      out[x + 0] = in[x + 2];
      out[x + 1] = in[x + 1];
      out[x + 2] = in[x + 0];
    }
  }
}

}  // namespace varnel
