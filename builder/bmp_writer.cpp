#include "builder/bmp_writer.h"

#include "files/binary_file.h"
#include "files/file_error.h"

namespace varnel {

namespace {

bool HeaderDescribes(const BitmapInfo& info, const Bitmap& bitmap) {
  const std::optional<BitmapInfoHeader> rgb24 = MakeRgb24Header(bitmap.width, bitmap.height);
  return rgb24 && info.header == *rgb24 && info.colourTable.empty() &&
         bitmap.rows.size() >= info.header.biSizeImage;
}

}  // namespace

bool WriteBmpFile(const std::string& path, const BitmapInfo& info, const Bitmap& bitmap) {
  if (!HeaderDescribes(info, bitmap)) return false;
  const uint64_t pixelOffset =
      kBmpFileHeaderSize + info.header.biSize + kColourEntrySize * info.header.biClrUsed;
  const uint64_t fileSize = pixelOffset + info.header.biSizeImage;
  if (fileSize > UINT32_MAX) return false;
  try {
    BinaryFile file = BinaryFile::Create(path);
    const auto fileHeader = EncodeBmpFileHeader(
        BmpFileHeader{static_cast<uint32_t>(fileSize), static_cast<uint32_t>(pixelOffset)});
    const auto infoHeader = EncodeBitmapInfoHeader(info.header);
    file.Write(fileHeader.data(), fileHeader.size());
    file.Write(infoHeader.data(), infoHeader.size());
    file.Write(info.colourTable.data(), info.colourTable.size());
    file.Write(bitmap.rows.data(), info.header.biSizeImage);
    file.Close();
    return true;
  } catch (const FileError&) {
    return false;
  }
}

}  // namespace varnel
