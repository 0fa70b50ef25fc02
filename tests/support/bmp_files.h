#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "builder/bitmap.h"
#include "builder/bitmap_info.h"
#include "builder/bmp_format.h"

// BMP files on disk, for tests that hold the builder's in-memory conversion to what the
// files themselves give: the builder reads BMP bytes the picture library saved into
// memory, and never writes a BMP file.
namespace varnel::testing {

std::array<uint8_t, kBmpFileHeaderSize> EncodeBmpFileHeader(const BmpFileHeader& header);
std::array<uint8_t, kBitmapInfoHeaderSize> EncodeBitmapInfoHeader(const BitmapInfoHeader& header);

// The information block of one of our bitmaps: one plane of 24 bits, no colour table.
std::optional<BitmapInfo> MakeBitmapInfo(const Bitmap& bitmap);

// Writes a bitmap as a BMP file, replacing any file of that name: the 14-byte file
// header, the information block (header and colour table) and biSizeImage bytes of rows,
// bottom-up. Our bitmaps are 24-bit, so a header of another depth or shape fails the
// write. Returns false on any failure (the file may then be partly written).
bool WriteBmpFile(const std::string& path, const BitmapInfo& info, const Bitmap& bitmap);

// Loads a BMP file with the builder's loader (LoadBmpBytesInto). Empty when the file
// cannot be read or the loader refuses it.
std::optional<Bitmap> LoadBmpFile(const std::string& path);

}  // namespace varnel::testing
