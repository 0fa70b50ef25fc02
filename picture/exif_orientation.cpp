#include "picture/exif_orientation.h"

#include <cstddef>

namespace varnel {

namespace {

constexpr std::size_t kTiffHeaderBytes = 8;
constexpr std::size_t kIfdEntryBytes = 12;
constexpr uint16_t kTiffMagic = 42;
constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kTypeShort = 3;

// Reads 16- and 32-bit values in the byte order the TIFF header names, within bounds.
class TiffReader {
 public:
  TiffReader(std::span<const uint8_t> data, bool bigEndian) : data_(data), bigEndian_(bigEndian) {}

  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }
  uint16_t U16(std::size_t offset) const {
    const uint16_t a = data_[offset], b = data_[offset + 1];
    return static_cast<uint16_t>(bigEndian_ ? (a << 8 | b) : (b << 8 | a));
  }
  uint32_t U32(std::size_t offset) const {
    const uint32_t high = U16(bigEndian_ ? offset : offset + 2);
    const uint32_t low = U16(bigEndian_ ? offset + 2 : offset);
    return high << 16 | low;
  }

 private:
  std::span<const uint8_t> data_;
  bool bigEndian_;
};

}  // namespace

int OrientationFromTiff(std::span<const uint8_t> tiff) {
  if (tiff.size() < kTiffHeaderBytes) return kUpright;
  const bool little = tiff[0] == 'I' && tiff[1] == 'I';
  const bool big = tiff[0] == 'M' && tiff[1] == 'M';
  if (!little && !big) return kUpright;
  const TiffReader reader(tiff, big);
  if (reader.U16(2) != kTiffMagic) return kUpright;
  const std::size_t ifd = reader.U32(4);
  if (!reader.Has(ifd, 2)) return kUpright;
  const std::size_t entries = reader.U16(ifd);
  for (std::size_t i = 0; i < entries; ++i) {
    const std::size_t entry = ifd + 2 + i * kIfdEntryBytes;
    if (!reader.Has(entry, kIfdEntryBytes)) return kUpright;
    if (reader.U16(entry) != kOrientationTag) continue;
    if (reader.U16(entry + 2) != kTypeShort || reader.U32(entry + 4) != 1) return kUpright;
    const int value = reader.U16(entry + 8);
    return value >= kUpright && value <= kLastOrientation ? value : kUpright;
  }
  return kUpright;
}

}  // namespace varnel
