#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "files/binary_file.h"
#include "format/image_layout.h"

namespace varnel {

// The show header and the picture records of slide.gba as values, and the one writer and
// reader of their bytes; where everything lies is format/image_layout.h.

inline constexpr std::size_t kCopyBlockBytes = 1024;  // template copy and zero fill

// The header at kHeaderOffset, 14 bytes.
struct RomHeader {
  uint16_t tag = kHeaderTag;
  uint16_t pictureCount = 0;
  uint16_t introCount = 0;
  uint8_t thumbnails = 0;
  uint8_t helpScreen = 0;
  uint8_t timeLimit = 0;
  uint16_t slideTimeMs = 0;
  uint8_t keyUse = 0;
  bool operator==(const RomHeader&) const = default;
};

// One slot of the picture table, 32 bytes. Note the stored order: the thumbnail pointer
// lies between the full-size and the resized pointer, and height comes before width.
struct SlideRecord {
  uint32_t fullSizeData = 0;
  uint32_t thumbnailData = 0;
  uint32_t resizedData = 0;
  uint32_t captionText = 0;
  uint16_t height = 0;
  uint16_t width = 0;  // full-size width, a multiple of 4
  uint8_t effect = 0;
  bool operator==(const SlideRecord&) const = default;
};

// A cartridge address from a file offset, and back.
inline uint32_t AddressOf(uint64_t offset) {
  return static_cast<uint32_t>(offset + kCartridgeBase);
}

// The only writers and readers of the two layouts.
std::array<uint8_t, kHeaderBytes> EncodeRomHeader(const RomHeader& header);
std::array<uint8_t, kRecordBytes> EncodeSlideRecord(const SlideRecord& record);
RomHeader DecodeRomHeader(std::span<const uint8_t, kHeaderBytes> bytes);
SlideRecord DecodeSlideRecord(std::span<const uint8_t, kRecordBytes> bytes);

void WriteRomHeader(BinaryFile& file, const RomHeader& header);
void WriteSlideRecord(BinaryFile& file, uint32_t slot, const SlideRecord& record);
// Reads back a record the file holds (a file open for writing is read as written so far).
SlideRecord ReadSlideRecord(BinaryFile& file, uint32_t slot);

// True when the record points at pixels of at least one version of its picture.
inline bool HasPictureVersion(const SlideRecord& record) {
  return record.fullSizeData != 0 || record.resizedData != 0 || record.thumbnailData != 0;
}

// Zero bytes put before a picture data block or a caption block: the file length AND 15
// (not the count that reaches the next multiple of 16). A length 16q + r becomes
// 16q + 2r, so blocks always begin at an even offset.
inline uint64_t AlignmentBytesFor(uint64_t length) {
  return length & 15u;
}

}  // namespace varnel
