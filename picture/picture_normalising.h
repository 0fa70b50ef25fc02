#pragma once

#include "picture/sdl_picture.h"

namespace varnel {

// Steps that turn a surface as the picture library decoded it into the picture as people
// see it. Each gives the mended surface (the same one when it changed it in place, or a
// new one) or an empty pointer when there was no memory for a new one.

// A JPEG's CMYK samples (which the library hands over in a 32-bit surface, bytes C, M, Y,
// K) as 24-bit RGB. Inverted samples (files with an Adobe segment) are 255 - ink.
SurfacePtr CmykToRgb(SurfacePtr cmyk, bool inverted);

// A 32-bit BMP whose fourth bytes are all 0 was written without alpha: every pixel is
// made opaque. A file with any other fourth byte keeps its alpha.
SurfacePtr OpaqueWhenAlphaIsAllZero(SurfacePtr bmp);

// A surface of 16 bits per pixel as 24-bit RGB, each channel widened by repeating its top
// bits (5-bit 31 gives 255, 16 gives 132), as picture viewers show them.
SurfacePtr WidenTo24Bits(SurfacePtr picture);

// Transparency is shown over black, whatever form it takes: translucent pixels blended
// onto black, a transparent colour or palette entry black. The result has no colour key
// and no alpha to blend: every consumer sees the same colours. A surface with neither is
// given back unchanged.
SurfacePtr ShowTransparencyOverBlack(SurfacePtr picture);

// The picture turned or mirrored as its EXIF orientation (1-8) asks.
SurfacePtr ApplyOrientation(SurfacePtr picture, int orientation);

}  // namespace varnel
