#pragma once

#include <SDL.h>

#include <cstdint>

#include "files/binary_file.h"

namespace varnel::testing {

// The console's pixels of any surface the picture library gives, as the builder once
// wrote them from the BMP file it read back: tests hold the builder's in-memory route to
// these bytes.
//
// Appends, at the end of the output file, the alignment bytes (AlignmentBytesFor in
// rom_layout.h) and then the surface's pixels as 15-bit colour, two bytes each with the
// low byte first, rows from the top of the picture down, each from left to right. An
// 8-bit surface with a palette takes the palette's colours (an index past the palette
// gives black); surfaces of 2, 3 or 4 bytes per pixel are decoded by SDL_GetRGB. The
// surface must be locked. Returns the file offset of the first pixel byte, or 0 with
// nothing written for a surface of another kind. A write error throws FileError.
uint32_t WritePixels(BinaryFile& output, SDL_Surface* surface);

}  // namespace varnel::testing
