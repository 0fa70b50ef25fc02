#pragma once

#include "document/label_tables.h"

namespace varnel {

// A rectangle of a picture in pixels, counted from its top-left corner.
struct PictureRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PictureRect&) const = default;
};

// How one picture becomes one box-sized version (240 x 160 or 60 x 40): the part of the
// picture that is read, the size that part is resampled to, and where the result lies in
// the box. Whatever the result leaves of the box is black. fit_geometry.cpp gives the
// rules and worked cases.
struct FitGeometry {
  PictureRect crop;  // the part of the picture read
  int width = 0;     // the size the part is resampled to
  int height = 0;
  int x0 = 0;  // the resampled part's top-left corner in the box
  int y0 = 0;
  int boxWidth = 0;
  int boxHeight = 0;

  // The resampled part covers the whole box: nothing is placed on black.
  bool FillsBox() const { return width == boxWidth && height == boxHeight; }
  bool operator==(const FitGeometry&) const = default;
};

// The geometry of a picture of width x height pixels (its size as shown, after its
// orientation) in a box of boxWidth x boxHeight. Every size is at least 1.
FitGeometry FitPictureInBox(Fit fit, int width, int height, int boxWidth, int boxHeight);

}  // namespace varnel
