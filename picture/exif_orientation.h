#pragma once

#include <cstdint>
#include <span>

namespace varnel {

// How a picture's stored pixels are turned or mirrored for showing, as cameras record it
// in the EXIF Orientation tag. The stored row 0 is shown as:
//   1 top (upright)     2 top, mirrored      3 bottom, turned half round   4 bottom, mirrored
//   5 left, mirrored    6 right (turn the stored picture a quarter clockwise to show it)
//   7 right, mirrored   8 left (turn it a quarter anticlockwise)
constexpr int kUpright = 1;
constexpr int kLastOrientation = 8;

// Orientations 5 to 8 show the stored rows as columns: width and height change places.
constexpr bool TurnsAQuarter(int orientation) {
  return orientation >= 5 && orientation <= 8;
}

// The Orientation tag of IFD0 in EXIF data laid out as TIFF ("II" or "MM" header). Data
// without the tag, with a value outside 1-8 or cut short gives kUpright: a picture whose
// turn cannot be read is shown as stored.
int OrientationFromTiff(std::span<const uint8_t> tiff);

}  // namespace varnel
