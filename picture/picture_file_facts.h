#pragma once

#include <cstdint>
#include <cstdio>

#include "picture/exif_orientation.h"

namespace varnel {

// The kinds of picture file the loader tells apart: those whose contents it reads beside
// the picture library, and TIFF.
enum class PictureKind { kOther, kBmp, kJpeg, kPng, kGif, kWebp, kTiff };

// What the picture library does not say about a file but showing it right needs.
struct PictureFileFacts {
  PictureKind kind = PictureKind::kOther;
  int orientation = kUpright;  // from EXIF data in a JPEG or PNG file
  bool adobeSegment = false;   // JPEG with an Adobe segment: its CMYK samples are inverted
  int pngBitDepth = 0;         // bits per sample of a PNG file
  // A PNG file whose chunks run past its end, or whose image data ends early with no
  // IEND after it: the picture library would read past the end for ever, so the loader
  // does not hand it over.
  bool cutShort = false;
  // A GIF file whose blocks would make the library crash or give a different picture on
  // every run (see GifStructure): not handed over either.
  bool structureDamaged = false;
  // The size the header gives (BMP, JPEG, PNG, GIF), 0 when not read: a picture too large
  // is refused before it is decoded.
  int64_t width = 0;
  int64_t height = 0;
};

// Reads the facts from the start of an open file; only the segments or chunks that hold
// them are read. A file cut short or laid out wrongly gives the facts found before the
// fault (the picture library then decides whether the picture loads). The file position
// is left anywhere.
PictureFileFacts ReadPictureFileFacts(std::FILE* file);

}  // namespace varnel
