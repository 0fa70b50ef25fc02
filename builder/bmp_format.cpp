#include "builder/bmp_format.h"

namespace varnel {

namespace {

class LittleEndianReader {
 public:
  explicit LittleEndianReader(const uint8_t* in) : in_(in) {}
  uint16_t U16() { return static_cast<uint16_t>(Bytes(2)); }
  uint32_t U32() { return Bytes(4); }
  int32_t I32() { return static_cast<int32_t>(Bytes(4)); }

 private:
  uint32_t Bytes(int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value |= static_cast<uint32_t>(*in_++) << (8 * i);
    return value;
  }
  const uint8_t* in_;
};

constexpr uint8_t kTypeB = 0x42;
constexpr uint8_t kTypeM = 0x4D;

}  // namespace

std::optional<BmpFileHeader> DecodeBmpFileHeader(
    std::span<const uint8_t, kBmpFileHeaderSize> bytes) {
  if (bytes[0] != kTypeB || bytes[1] != kTypeM) return std::nullopt;
  LittleEndianReader in(bytes.data() + 2);
  BmpFileHeader header;
  header.fileSize = in.U32();
  in.U32();  // the two reserved fields
  header.pixelOffset = in.U32();
  return header;
}

BitmapInfoHeader DecodeBitmapInfoHeader(std::span<const uint8_t, kBitmapInfoHeaderSize> bytes) {
  LittleEndianReader in(bytes.data());
  BitmapInfoHeader header;
  header.biSize = in.U32();
  header.biWidth = in.I32();
  header.biHeight = in.I32();
  header.biPlanes = in.U16();
  header.biBitCount = in.U16();
  header.biCompression = in.U32();
  header.biSizeImage = in.U32();
  header.biXPelsPerMeter = in.I32();
  header.biYPelsPerMeter = in.I32();
  header.biClrUsed = in.U32();
  header.biClrImportant = in.U32();
  return header;
}

}  // namespace varnel
