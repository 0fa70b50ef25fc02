#pragma once

#include <string>

#include "builder/bitmap.h"
#include "builder/bitmap_info.h"

namespace varnel {

// Writes a bitmap as a BMP file, replacing any file of that name: the 14-byte file
// header, the information block (header and colour table) and biSizeImage bytes of rows,
// bottom-up. The rows are written at the depth the header names; our bitmaps are 24-bit,
// so a header of another depth or shape fails the write. Returns false on any failure
// (the file may then be partly written); nothing is left open.
bool WriteBmpFile(const std::string& path, const BitmapInfo& info, const Bitmap& bitmap);

}  // namespace varnel
