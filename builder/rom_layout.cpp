#include "builder/rom_layout.h"

#include "files/file_error.h"

namespace varnel {

namespace {

void Put16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint16_t Get16(const uint8_t* at) {
  return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

uint32_t Get32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
         (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

// Field offsets inside the header.
constexpr std::size_t kTagAt = 0, kPictureCountAt = 2, kIntroCountAt = 4, kThumbnailsAt = 6,
                      kHelpScreenAt = 7, kTimeLimitAt = 8, kSlideTimeAt = 10, kKeyUseAt = 12;
// Field offsets inside a record; bytes 21-31 are reserved zeros.
constexpr std::size_t kFullSizeAt = 0, kThumbnailAt = 4, kResizedAt = 8, kCaptionAt = 12,
                      kHeightAt = 16, kWidthAt = 18, kEffectAt = 20;

}  // namespace

std::array<uint8_t, kHeaderBytes> EncodeRomHeader(const RomHeader& header) {
  std::array<uint8_t, kHeaderBytes> bytes{};
  Put16(&bytes[kTagAt], header.tag);
  Put16(&bytes[kPictureCountAt], header.pictureCount);
  Put16(&bytes[kIntroCountAt], header.introCount);
  bytes[kThumbnailsAt] = header.thumbnails;
  bytes[kHelpScreenAt] = header.helpScreen;
  bytes[kTimeLimitAt] = header.timeLimit;
  Put16(&bytes[kSlideTimeAt], header.slideTimeMs);
  bytes[kKeyUseAt] = header.keyUse;
  return bytes;
}

RomHeader DecodeRomHeader(std::span<const uint8_t, kHeaderBytes> bytes) {
  RomHeader header;
  header.tag = Get16(&bytes[kTagAt]);
  header.pictureCount = Get16(&bytes[kPictureCountAt]);
  header.introCount = Get16(&bytes[kIntroCountAt]);
  header.thumbnails = bytes[kThumbnailsAt];
  header.helpScreen = bytes[kHelpScreenAt];
  header.timeLimit = bytes[kTimeLimitAt];
  header.slideTimeMs = Get16(&bytes[kSlideTimeAt]);
  header.keyUse = bytes[kKeyUseAt];
  return header;
}

std::array<uint8_t, kRecordBytes> EncodeSlideRecord(const SlideRecord& record) {
  std::array<uint8_t, kRecordBytes> bytes{};
  Put32(&bytes[kFullSizeAt], record.fullSizeData);
  Put32(&bytes[kThumbnailAt], record.thumbnailData);
  Put32(&bytes[kResizedAt], record.resizedData);
  Put32(&bytes[kCaptionAt], record.captionText);
  Put16(&bytes[kHeightAt], record.height);
  Put16(&bytes[kWidthAt], record.width);
  bytes[kEffectAt] = record.effect;
  return bytes;
}

SlideRecord DecodeSlideRecord(std::span<const uint8_t, kRecordBytes> bytes) {
  SlideRecord record;
  record.fullSizeData = Get32(&bytes[kFullSizeAt]);
  record.thumbnailData = Get32(&bytes[kThumbnailAt]);
  record.resizedData = Get32(&bytes[kResizedAt]);
  record.captionText = Get32(&bytes[kCaptionAt]);
  record.height = Get16(&bytes[kHeightAt]);
  record.width = Get16(&bytes[kWidthAt]);
  record.effect = bytes[kEffectAt];
  return record;
}

void WriteRomHeader(BinaryFile& file, const RomHeader& header) {
  const auto bytes = EncodeRomHeader(header);
  file.Seek(kHeaderOffset);
  file.Write(bytes.data(), bytes.size());
}

void WriteSlideRecord(BinaryFile& file, uint32_t slot, const SlideRecord& record) {
  const auto bytes = EncodeSlideRecord(record);
  file.Seek(kTableOffset + uint64_t{kRecordBytes} * slot);
  file.Write(bytes.data(), bytes.size());
}

SlideRecord ReadSlideRecord(BinaryFile& file, uint32_t slot) {
  std::array<uint8_t, kRecordBytes> bytes{};
  file.Seek(kTableOffset + uint64_t{kRecordBytes} * slot);
  if (file.Read(bytes.data(), bytes.size()) != bytes.size())
    throw FileError(file.path(), "Could not read the picture table of " + file.path() + ".");
  return DecodeSlideRecord(bytes);
}

}  // namespace varnel
