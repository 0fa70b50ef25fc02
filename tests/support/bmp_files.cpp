#include "tests/support/bmp_files.h"

#include <vector>

#include "builder/bmp_loader.h"
#include "files/binary_file.h"
#include "files/file_error.h"

namespace varnel::testing {

namespace {

constexpr uint16_t kRgb24Bits = 24;

class LittleEndianWriter {
 public:
  explicit LittleEndianWriter(uint8_t* out) : out_(out) {}
  void U16(uint16_t value) { Bytes(value, 2); }
  void U32(uint32_t value) { Bytes(value, 4); }
  void I32(int32_t value) { Bytes(static_cast<uint32_t>(value), 4); }

 private:
  void Bytes(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) *out_++ = static_cast<uint8_t>(value >> (8 * i));
  }
  uint8_t* out_;
};

bool HeaderDescribes(const BitmapInfo& info, const Bitmap& bitmap) {
  const std::optional<BitmapInfoHeader> rgb24 = MakeRgb24Header(bitmap.width, bitmap.height);
  return rgb24 && info.header == *rgb24 && info.colourTable.empty() &&
         bitmap.rows.size() >= info.header.biSizeImage;
}

}  // namespace

std::array<uint8_t, kBmpFileHeaderSize> EncodeBmpFileHeader(const BmpFileHeader& header) {
  std::array<uint8_t, kBmpFileHeaderSize> bytes{};
  bytes[0] = 'B';
  bytes[1] = 'M';
  LittleEndianWriter out(bytes.data() + 2);
  out.U32(header.fileSize);
  out.U16(0);
  out.U16(0);
  out.U32(header.pixelOffset);
  return bytes;
}

std::array<uint8_t, kBitmapInfoHeaderSize> EncodeBitmapInfoHeader(const BitmapInfoHeader& header) {
  std::array<uint8_t, kBitmapInfoHeaderSize> bytes{};
  LittleEndianWriter out(bytes.data());
  out.U32(header.biSize);
  out.I32(header.biWidth);
  out.I32(header.biHeight);
  out.U16(header.biPlanes);
  out.U16(header.biBitCount);
  out.U32(header.biCompression);
  out.U32(header.biSizeImage);
  out.I32(header.biXPelsPerMeter);
  out.I32(header.biYPelsPerMeter);
  out.U32(header.biClrUsed);
  out.U32(header.biClrImportant);
  return bytes;
}

std::optional<BitmapInfo> MakeBitmapInfo(const Bitmap& bitmap) {
  return MakeBitmapInfoFor(bitmap.width, bitmap.height, 1, kRgb24Bits);
}

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

std::optional<Bitmap> LoadBmpFile(const std::string& path) {
  try {
    BinaryFile file = BinaryFile::OpenForReading(path);
    std::vector<uint8_t> bytes(static_cast<std::size_t>(file.Length()));
    if (file.Read(bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
    Bitmap bitmap;
    if (!LoadBmpBytesInto(bytes, bitmap)) return std::nullopt;
    return bitmap;
  } catch (const FileError&) {
    return std::nullopt;
  }
}

}  // namespace varnel::testing
