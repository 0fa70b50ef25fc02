#include "builder/fitted_version.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "builder/resize_bitmap.h"

namespace varnel {

namespace {

// The part of the source a geometry reads, read where it lies.
BitmapView PartOf(const BitmapView& source, const PictureRect& crop) {
  return crop.x == 0 && crop.y == 0 && crop.width == source.width() &&
                 crop.height == source.height()
             ? source
             : source.Part(crop.x, crop.y, crop.width, crop.height);
}

}  // namespace

void MakeFittedVersions(const BitmapView& source, std::span<FittedVersionTarget> targets) {
  std::vector<bool> taken(targets.size(), false);
  for (std::size_t first = 0; first < targets.size(); ++first) {
    if (taken[first]) continue;
    const PictureRect crop = targets[first].geometry.crop;
    std::vector<FittedVersionTarget*> together;
    std::vector<ResizeTarget> resizes;
    for (std::size_t i = first; i < targets.size(); ++i) {
      if (taken[i] || !(targets[i].geometry.crop == crop)) continue;
      taken[i] = true;
      FittedVersionTarget& target = targets[i];
      const FitGeometry& g = target.geometry;
      together.push_back(&target);
      resizes.push_back({static_cast<uint16_t>(g.width), static_cast<uint16_t>(g.height),
                         g.FillsBox() ? target.out : target.scratch});
    }
    ResizeBitmapsInto(PartOf(source, crop), resizes);
    for (std::size_t k = 0; k < together.size(); ++k) {
      FittedVersionTarget& target = *together[k];
      const FitGeometry& g = target.geometry;
      target.made = resizes[k].made;
      if (target.made && !g.FillsBox())
        PlaceOnBlack(*target.scratch, g.x0, g.y0, g.boxWidth, g.boxHeight, *target.out);
    }
  }
}

bool MakeFittedVersion(const BitmapView& source, const FitGeometry& geometry, Bitmap& scratch,
                       Bitmap& out) {
  const BitmapView part = PartOf(source, geometry.crop);
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
