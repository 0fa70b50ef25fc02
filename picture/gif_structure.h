#pragma once

#include <cstdint>
#include <cstdio>

namespace varnel {

// What the blocks of a GIF file say about the picture the picture library would decode
// from it: the first image of the file.
struct GifStructure {
  int64_t width = 0;  // of the first image (not of the logical screen), 0 when not read
  int64_t height = 0;
  // The library would crash on the file, or leave pixels it never wrote in the picture
  // (which then differ from run to run), or take colours from the GIF it read before:
  // - an image of no width or height, or one lying outside the logical screen;
  // - an LZW code size above 11 (the library's code table has 4096 entries);
  // - no colour table for the image (the library keeps the last GIF's);
  // - a graphic control extension shorter than its 4 bytes (the library reads the
  //   transparent colour from bytes it never read);
  // - a block that runs past the end of the file;
  // - an LZW stream that gives fewer pixels than the image holds, or uses a code the
  //   table does not hold yet;
  // - an interlaced image 2 to 4 rows high (the library fills only its first row).
  bool damaged = true;
};

// Walks the file from its start to the end of its first image's data, decoding the LZW
// codes (counting pixels, storing none); the data of an image of more than
// kMaxPicturePixels is not walked. The file position is left anywhere.
GifStructure ReadGifStructure(std::FILE* file);

}  // namespace varnel
