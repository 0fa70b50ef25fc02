#pragma once

#include <span>

#include "builder/bitmap.h"
#include "builder/bitmap_view.h"
#include "builder/fit_geometry.h"

namespace varnel {

// Makes a box-sized version of a picture by its fit geometry, in two steps: the part of
// the source the geometry reads (a view of the source, nothing copied) is resampled to the
// geometry's size, and that result is then placed on the black box where it leaves some
// of it. out's buffer is reused, and so is scratch, which holds a result that is placed.
// False, with out undefined, when the resampler refuses (Stretch of a picture that would
// shrink one way while growing the other).
bool MakeFittedVersion(const BitmapView& source, const FitGeometry& geometry, Bitmap& scratch,
                       Bitmap& out);

// One version for MakeFittedVersions.
struct FittedVersionTarget {
  FitGeometry geometry;
  Bitmap* scratch = nullptr;
  Bitmap* out = nullptr;
  bool made = false;  // what MakeFittedVersion would return
};

// Makes several box-sized versions of one picture, each as MakeFittedVersion would.
// Versions that read the same part of the picture (the 240 x 160 version and the
// thumbnail, whenever their fits agree: the boxes have the same proportions) are
// resampled in one walk over that part's rows where they shrink it.
void MakeFittedVersions(const BitmapView& source, std::span<FittedVersionTarget> targets);

// The picture at (x0, y0), counted from the top-left, on a box of boxWidth x boxHeight
// whose other pixels are black (every byte 0, which the console shows as 0x0000). The
// picture must lie within the box.
void PlaceOnBlack(const BitmapView& picture, int x0, int y0, int boxWidth, int boxHeight,
                  Bitmap& box);

}  // namespace varnel
