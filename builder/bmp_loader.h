#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "builder/bitmap.h"

namespace varnel {

// Loads a BMP file at its own size as 24-bit rows. Reads the uncompressed files of 1, 4,
// 8, 24 and 32 bits per pixel, bottom-up or top-down (everything SDL writes); a palette
// picture gives its palette colours, an index past the palette gives black. Empty when
// the file is missing, of another kind, damaged, or too large to describe.
std::optional<Bitmap> LoadBmpFile(const std::string& path);

// The same into a bitmap whose buffer is reused when it is large enough: fresh memory is
// slow to touch, and a build loads one picture of about the same size after another.
// False, with the bitmap's contents undefined, where LoadBmpFile gives nothing.
bool LoadBmpFileInto(const std::string& path, Bitmap& bitmap);

// The same from the bytes of a BMP file held in memory.
bool LoadBmpBytesInto(std::span<const uint8_t> bytes, Bitmap& bitmap);

}  // namespace varnel
