// How a picture fits a box
// ========================
//
// W x H is the picture's size as shown, Bw x Bh the box (240 x 160 for the screen, 60 x 40
// for the thumbnail). All divisions are integer divisions; "+ d / 2" before dividing by d
// rounds to the nearest whole pixel. W x Bh >= H x Bw says the picture is at least as wide
// as the box in proportion (compared without dividing, so exactly).
//
// Stretch: the whole picture is resampled to Bw x Bh, whatever its proportions. The
//   resampler refuses a picture that would shrink one way while growing the other; the
//   version is then not made.
//
// Whole Picture: the whole picture, scaled alike on both axes until it touches the box.
//   W x Bh >= H x Bw:  w = Bw,  h = max(1, (H x Bw + W / 2) / W)
//   otherwise:         h = Bh,  w = max(1, (W x Bh + H / 2) / H)
//   placed at x0 = (Bw - w) / 2, y0 = (Bh - h) / 2 on black.
//   The rounded side never passes the box (H x Bw / W <= Bh, and W / 2 < W), and both
//   axes grow or both shrink, so the resampler never refuses.
//
// Fill Screen: the largest part of the box's proportions, centred, resampled to Bw x Bh.
//   W x Bh >= H x Bw:  cw = max(1, (H x Bw + Bh / 2) / Bh), ch = H, cx = (W - cw) / 2, cy = 0
//   otherwise:         cw = W, ch = max(1, (W x Bh + Bw / 2) / Bw), cx = 0, cy = (H - ch) / 2
//   The part is read in place and walked as a picture of exactly that size would be.
//   Again cw <= W and ch <= H, and both axes grow or both shrink.
//
// Worked cases, box 240 x 160 (thumbnail 60 x 40 in brackets):
//   100 x 300   Whole: 53 x 160 at (93, 0)    [13 x 40 at (23, 0)]
//               Fill:  part 100 x 67 at (0, 116)   [100 x 67 at (0, 116)]
//   300 x 100   Whole: 240 x 80 at (0, 40)    [60 x 20 at (0, 10)]
//               Fill:  part 150 x 100 at (75, 0)   [150 x 100 at (75, 0)]
//   4000 x 3000 Whole: 213 x 160 at (13, 0)   [53 x 40 at (3, 0)]
//               Fill:  part 4000 x 2667 at (0, 166)   [the same]
//   1 x 1000    Whole: 1 x 160 at (119, 0)    [1 x 40 at (29, 0)]: (1 x 160 + 500) / 1000
//                      is 0, so the max gives 1
//               Fill:  part 1 x 1 at (0, 499)   [the same]
//   241 x 160   Whole: 240 x 159 at (0, 0)    [60 x 40 at (0, 0)]: 38520 / 241 = 159.8
//               Fill:  part 240 x 160 at (0, 0)   [the same]: (38400 + 80) / 160 = 240.5

#include "builder/fit_geometry.h"

#include <algorithm>
#include <cstdint>

namespace varnel {

namespace {

// (numerator + denominator / 2) / denominator, at least 1.
int RoundedAtLeastOne(int64_t numerator, int64_t denominator) {
  return static_cast<int>(std::max<int64_t>(1, (numerator + denominator / 2) / denominator));
}

FitGeometry WholePictureIn(int w, int h, int bw, int bh) {
  FitGeometry g;
  g.crop = {0, 0, w, h};
  if (int64_t{w} * bh >= int64_t{h} * bw) {
    g.width = bw;
    g.height = RoundedAtLeastOne(int64_t{h} * bw, w);
  } else {
    g.height = bh;
    g.width = RoundedAtLeastOne(int64_t{w} * bh, h);
  }
  g.x0 = (bw - g.width) / 2;
  g.y0 = (bh - g.height) / 2;
  return g;
}

FitGeometry FillScreenIn(int w, int h, int bw, int bh) {
  FitGeometry g;
  if (int64_t{w} * bh >= int64_t{h} * bw) {
    const int cw = RoundedAtLeastOne(int64_t{h} * bw, bh);
    g.crop = {(w - cw) / 2, 0, cw, h};
  } else {
    const int ch = RoundedAtLeastOne(int64_t{w} * bh, bw);
    g.crop = {0, (h - ch) / 2, w, ch};
  }
  g.width = bw;
  g.height = bh;
  return g;
}

}  // namespace

FitGeometry FitPictureInBox(Fit fit, int width, int height, int boxWidth, int boxHeight) {
  FitGeometry g;
  switch (fit) {
    case kFitWholePicture:
      g = WholePictureIn(width, height, boxWidth, boxHeight);
      break;
    case kFitFillScreen:
      g = FillScreenIn(width, height, boxWidth, boxHeight);
      break;
    case kFitStretch:
      g.crop = {0, 0, width, height};
      g.width = boxWidth;
      g.height = boxHeight;
      break;
  }
  g.boxWidth = boxWidth;
  g.boxHeight = boxHeight;
  return g;
}

}  // namespace varnel
