#include "builder/bmp_format.h"

namespace varnel {

namespace {

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

std::array<uint8_t, kBmpFileHeaderSize> EncodeBmpFileHeader(const BmpFileHeader& header) {
  std::array<uint8_t, kBmpFileHeaderSize> bytes{};
  bytes[0] = kTypeB;
  bytes[1] = kTypeM;
  LittleEndianWriter out(bytes.data() + 2);
  out.U32(header.fileSize);
  out.U16(0);
  out.U16(0);
  out.U32(header.pixelOffset);
  return bytes;
}

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
