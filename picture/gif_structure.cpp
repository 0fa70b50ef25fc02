#include "picture/gif_structure.h"

#include <array>
#include <optional>

#include "picture/picture_limits.h"

namespace varnel {

namespace {

// GIF layout, little-endian throughout: a 6-byte signature, the 7-byte logical screen
// descriptor (width, height, flags, background, aspect), the global colour table when
// the flags say so, then blocks, each opened by one byte: '!' an extension (a label byte
// and sub-blocks), ',' an image (a 9-byte descriptor, its colour table, the LZW code size
// and sub-blocks of LZW data), ';' the end. Sub-blocks are a length byte and that many
// bytes; a length of 0 ends them. The library skips any other byte between blocks.
constexpr std::size_t kSignatureSize = 6;
constexpr std::size_t kScreenDescriptorSize = 7;
constexpr std::size_t kImageDescriptorSize = 9;
constexpr int kExtensionIntroducer = '!';
constexpr int kImageSeparator = ',';
constexpr int kTrailer = ';';
constexpr int kGraphicControlLabel = 0xF9;
constexpr std::size_t kGraphicControlSize = 4;
constexpr uint8_t kColourTableFlag = 0x80;
constexpr uint8_t kInterlaceFlag = 0x40;
constexpr uint8_t kColourTableSizeBits = 0x07;
constexpr std::size_t kColourEntrySize = 3;
// The library walks an interlaced image in four passes (rows 0, 8, ...; 4, 12, ...;
// 2, 6, ...; 1, 3, ...) but ends it when the second pass would start at or below its
// last row: images 2 to 4 rows high keep only their first row.
constexpr int64_t kFirstRowOfSecondPass = 4;
constexpr int kMaxLzwCodeSize = 11;
constexpr int kMaxCodeBits = 12;
constexpr int kCodeTableSize = 1 << kMaxCodeBits;

uint16_t LittleEndian16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

bool ReadBytes(std::FILE* file, void* into, std::size_t count) {
  return std::fread(into, 1, count, file) == count;
}

std::optional<uint8_t> ReadByte(std::FILE* file) {
  const int c = std::getc(file);
  if (c == EOF) return std::nullopt;
  return static_cast<uint8_t>(c);
}

bool SkipColourTable(std::FILE* file, uint8_t flags) {
  const std::size_t entries = std::size_t{2} << (flags & kColourTableSizeBits);
  std::array<uint8_t, 256 * kColourEntrySize> table;
  return ReadBytes(file, table.data(), entries * kColourEntrySize);
}

// Skips sub-blocks up to and with their terminator; false when they run past the file.
bool SkipSubBlocks(std::FILE* file) {
  for (;;) {
    const std::optional<uint8_t> length = ReadByte(file);
    if (!length) return false;
    if (*length == 0) return true;
    std::array<uint8_t, 255> data;
    if (!ReadBytes(file, data.data(), *length)) return false;
  }
}

// An extension after its introducer; false when it is damaged.
bool SkipExtension(std::FILE* file) {
  const std::optional<uint8_t> label = ReadByte(file);
  if (!label) return false;
  if (*label == kGraphicControlLabel) {
    // The library takes the transparent colour from the first sub-block's fourth byte.
    const std::optional<uint8_t> length = ReadByte(file);
    if (!length || *length < kGraphicControlSize) return false;
    std::array<uint8_t, 255> data;
    if (!ReadBytes(file, data.data(), *length)) return false;
  }
  return SkipSubBlocks(file);
}

// The LZW codes of an image's sub-blocks, least significant bit first, as the library
// reads them: a code is read only when all its bits lie inside the data, and a sub-block
// that runs past the end of the file gives none of its bytes.
class CodeReader {
 public:
  explicit CodeReader(std::FILE* file) : file_(file) {}

  // The next code, or nothing when the data has ended (its terminator reached, or a
  // sub-block cut short: then damaged()).
  std::optional<int> Next(int bits) {
    while (bitCount_ < bits) {
      if (!TakeByte()) return std::nullopt;
    }
    const int code = static_cast<int>(bitBuffer_ & ((1u << bits) - 1));
    bitBuffer_ >>= bits;
    bitCount_ -= bits;
    return code;
  }
  bool damaged() const { return damaged_; }

 private:
  bool TakeByte() {
    if (taken_ == length_ && !ReadSubBlock()) return false;
    bitBuffer_ |= static_cast<uint32_t>(block_[taken_++]) << bitCount_;
    bitCount_ += 8;
    return true;
  }
  bool ReadSubBlock() {
    if (ended_) return false;
    const std::optional<uint8_t> length = ReadByte(file_);
    ended_ = !length || *length == 0;
    if (!length || (*length != 0 && !ReadBytes(file_, block_.data(), *length))) damaged_ = true;
    if (ended_ || damaged_) return false;
    length_ = *length;
    taken_ = 0;
    return true;
  }

  std::FILE* file_;
  std::array<uint8_t, 255> block_{};
  std::size_t length_ = 0, taken_ = 0;
  uint32_t bitBuffer_ = 0;
  int bitCount_ = 0;
  bool ended_ = false;
  bool damaged_ = false;
};

// Whether the LZW data after the code size byte gives at least `pixels` pixels, decoded as
// the library decodes it (its code table, code width growth, first code after a clear).
// Only the length of each table entry's string is kept: the pixels themselves do not
// matter here.
bool LzwGivesPixels(std::FILE* file, int codeSize, int64_t pixels) {
  const int clear = 1 << codeSize;
  const int end = clear + 1;
  std::array<uint16_t, kCodeTableSize> length{};
  CodeReader codes(file);
  int bits = 0, next = 0, growAt = 0;
  const auto reset = [&] {
    bits = codeSize + 1;
    next = clear + 2;
    growAt = 2 * clear;
  };
  reset();
  for (int root = 0; root < clear; ++root) length[root] = 1;

  // The first code of the stream (after any clear codes), and the first after each clear
  // code, is taken as a pixel value: only a root code is one.
  std::optional<int> code;
  do {
    code = codes.Next(bits);
  } while (code && *code == clear);
  if (!code || *code >= clear) return false;
  int64_t given = 1;
  int previous = *code;
  while (given < pixels) {
    code = codes.Next(bits);
    if (!code || *code == end) return false;  // ended early
    if (*code == clear) {
      reset();
      code = codes.Next(bits);
      if (!code || *code >= clear) return false;
      ++given;
      previous = *code;
      continue;
    }
    if (*code > next) return false;  // a code the table does not hold yet
    // A code equal to the next entry is the previous string and its own first pixel.
    const int stringLength = *code == next ? length[previous] + 1 : length[*code];
    given += stringLength;
    if (next < kCodeTableSize) {
      length[next] = static_cast<uint16_t>(length[previous] + 1);
      ++next;
      if (next >= growAt && growAt < kCodeTableSize) {
        growAt *= 2;
        ++bits;
      }
    }
    previous = *code;
  }
  return !codes.damaged();
}

// The first image, from its descriptor on; fills the structure.
void ReadFirstImage(std::FILE* file, uint16_t screenWidth, uint16_t screenHeight,
                    bool globalColourTable, GifStructure& gif) {
  uint8_t descriptor[kImageDescriptorSize];
  if (!ReadBytes(file, descriptor, sizeof descriptor)) return;
  const int64_t left = LittleEndian16(descriptor);
  const int64_t top = LittleEndian16(descriptor + 2);
  gif.width = LittleEndian16(descriptor + 4);
  gif.height = LittleEndian16(descriptor + 6);
  const uint8_t flags = descriptor[8];
  if (gif.width == 0 || gif.height == 0 || left + gif.width > screenWidth ||
      top + gif.height > screenHeight)
    return;
  // A picture too large to be decoded at all is refused for its size; its data is not
  // worth walking.
  if (gif.width * gif.height > kMaxPicturePixels) {
    gif.damaged = false;
    return;
  }
  const bool interlaced = (flags & kInterlaceFlag) != 0;
  if (interlaced && gif.height > 1 && gif.height <= kFirstRowOfSecondPass) return;
  if ((flags & kColourTableFlag) != 0) {
    if (!SkipColourTable(file, flags)) return;
  } else if (!globalColourTable) {
    return;
  }
  const std::optional<uint8_t> codeSize = ReadByte(file);
  if (!codeSize || *codeSize > kMaxLzwCodeSize) return;
  gif.damaged = !LzwGivesPixels(file, *codeSize, gif.width * gif.height);
}

}  // namespace

GifStructure ReadGifStructure(std::FILE* file) {
  GifStructure gif;
  if (std::fseek(file, 0, SEEK_SET) != 0) return gif;
  uint8_t head[kSignatureSize + kScreenDescriptorSize];
  if (!ReadBytes(file, head, sizeof head)) return gif;
  const uint16_t screenWidth = LittleEndian16(head + kSignatureSize);
  const uint16_t screenHeight = LittleEndian16(head + kSignatureSize + 2);
  const uint8_t screenFlags = head[kSignatureSize + 4];
  const bool globalColourTable = (screenFlags & kColourTableFlag) != 0;
  if (globalColourTable && !SkipColourTable(file, screenFlags)) return gif;
  for (;;) {
    const std::optional<uint8_t> introducer = ReadByte(file);
    if (!introducer || *introducer == kTrailer) return gif;  // no image
    if (*introducer == kExtensionIntroducer) {
      if (!SkipExtension(file)) return gif;
    } else if (*introducer == kImageSeparator) {
      ReadFirstImage(file, screenWidth, screenHeight, globalColourTable, gif);
      return gif;
    }
  }
}

}  // namespace varnel
