#include "builder/bmp_loader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <span>
#include <vector>

#include "builder/bitmap_info.h"
#include "builder/bmp_format.h"

namespace varnel {

namespace {

struct Bgr {
  uint8_t blue = 0, green = 0, red = 0;
};

bool SupportedDepth(uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// The BMP file's bytes in memory. Reads go forward from a position, as the loader walks
// the file.
class BmpBytes {
 public:
  explicit BmpBytes(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  void Seek(uint64_t offset) { position_ = offset; }
  // Reads up to count bytes; fewer only at the end.
  std::size_t Read(void* data, std::size_t count) {
    if (position_ >= bytes_.size()) return 0;
    const auto got = static_cast<std::size_t>(std::min<uint64_t>(count, bytes_.size() - position_));
    std::memcpy(data, bytes_.data() + position_, got);
    position_ += got;
    return got;
  }

 private:
  std::span<const uint8_t> bytes_;
  uint64_t position_ = 0;
};

bool ReadExactly(BmpBytes& file, uint64_t offset, void* data, std::size_t count) {
  file.Seek(offset);
  return file.Read(data, count) == count;
}

// The colour table follows the information header; entries the file leaves out are black.
bool ReadPalette(BmpBytes& file, const BmpFileHeader& fileHeader, const BitmapInfoHeader& info,
                 std::vector<Bgr>& palette) {
  const uint32_t fullCount = uint32_t{1} << info.biBitCount;
  const uint32_t stated = info.biClrUsed == 0 ? fullCount : info.biClrUsed;
  const uint64_t tableStart = kBmpFileHeaderSize + static_cast<uint64_t>(info.biSize);
  if (fileHeader.pixelOffset < tableStart) return false;
  const uint64_t roomForEntries = (fileHeader.pixelOffset - tableStart) / kColourEntrySize;
  const auto count =
      static_cast<std::size_t>(std::min<uint64_t>({stated, fullCount, roomForEntries}));
  std::vector<uint8_t> table(count * kColourEntrySize);
  if (!ReadExactly(file, tableStart, table.data(), table.size())) return false;
  palette.assign(fullCount, Bgr{});
  for (std::size_t i = 0; i < count; ++i)
    palette[i] = Bgr{table[i * 4 + 0], table[i * 4 + 1], table[i * 4 + 2]};
  return true;
}

// One file row of a palette or 32-bit picture as 24-bit pixels.
void ExpandRow(const uint8_t* in, uint16_t bits, const std::vector<Bgr>& palette, int width,
               uint8_t* out) {
  for (int x = 0; x < width; ++x, out += 3) {
    if (bits == 32) {
      out[0] = in[x * 4 + 0];
      out[1] = in[x * 4 + 1];
      out[2] = in[x * 4 + 2];
      continue;
    }
    // Palette indices are packed from the most significant bits of each byte.
    const int perByte = 8 / bits;
    const uint8_t byte = in[x / perByte];
    const int shift = 8 - bits * (x % perByte + 1);
    const Bgr& colour = palette[(byte >> shift) & ((1 << bits) - 1)];
    out[0] = colour.blue;
    out[1] = colour.green;
    out[2] = colour.red;
  }
}

bool Load(BmpBytes& file, Bitmap& bitmap) {
  std::array<uint8_t, kBmpFileHeaderSize> fileBytes{};
  std::array<uint8_t, kBitmapInfoHeaderSize> infoBytes{};
  if (!ReadExactly(file, 0, fileBytes.data(), fileBytes.size())) return false;
  if (!ReadExactly(file, kBmpFileHeaderSize, infoBytes.data(), infoBytes.size())) return false;
  const std::optional<BmpFileHeader> fileHeader = DecodeBmpFileHeader(fileBytes);
  if (!fileHeader) return false;
  const BitmapInfoHeader info = DecodeBitmapInfoHeader(infoBytes);
  if (info.biSize < kBitmapInfoHeaderSize || info.biPlanes != 1 || info.biCompression != kBiRgb ||
      !SupportedDepth(info.biBitCount) || info.biWidth < 1 || info.biHeight == 0 ||
      info.biHeight == std::numeric_limits<int32_t>::min())
    return false;

  const bool topDown = info.biHeight < 0;
  const int width = info.biWidth;
  const int height = topDown ? -info.biHeight : info.biHeight;
  const std::optional<BitmapInfoHeader> rgb24 = MakeRgb24Header(width, height);
  const std::optional<BitmapInfo> fileRows = MakeBitmapInfoFor(width, height, 1, info.biBitCount);
  if (!rgb24 || !fileRows) return false;
  const std::size_t fileStride = fileRows->header.biSizeImage / static_cast<uint32_t>(height);

  std::vector<Bgr> palette;
  if (info.biBitCount <= 8 && !ReadPalette(file, *fileHeader, info, palette)) return false;

  bitmap.width = width;
  bitmap.height = height;
  bitmap.rows.resize(rgb24->biSizeImage);  // a buffer that is large enough stays
  const std::size_t stride = bitmap.stride();
  if (info.biBitCount == 24 && !topDown) {
    // The file's rows are already our rows, padding included.
    if (!ReadExactly(file, fileHeader->pixelOffset, bitmap.rows.data(), bitmap.rows.size()))
      return false;
    return true;
  }
  std::vector<uint8_t> fileRow(fileStride);
  file.Seek(fileHeader->pixelOffset);
  for (int i = 0; i < height; ++i) {
    if (file.Read(fileRow.data(), fileRow.size()) != fileRow.size()) return false;
    const int bottomUpRow = topDown ? height - 1 - i : i;
    uint8_t* out = bitmap.rows.data() + static_cast<std::size_t>(bottomUpRow) * stride;
    if (info.biBitCount == 24)
      std::copy(fileRow.begin(), fileRow.begin() + static_cast<std::ptrdiff_t>(width) * 3, out);
    else
      ExpandRow(fileRow.data(), info.biBitCount, palette, width, out);
  }
  return true;
}

}  // namespace

bool LoadBmpBytesInto(std::span<const uint8_t> bytes, Bitmap& bitmap) {
  BmpBytes memory(bytes);
  return Load(memory, bitmap);
}

}  // namespace varnel
