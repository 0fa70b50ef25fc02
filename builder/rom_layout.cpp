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

}  // namespace

std::array<uint8_t, kHeaderBytes> EncodeRomHeader(const RomHeader& header) {
  std::array<uint8_t, kHeaderBytes> bytes{};
  Put16(&bytes[kHeaderTagAt], header.tag);
  Put16(&bytes[kHeaderPictureCountAt], header.pictureCount);
  Put16(&bytes[kHeaderIntroCountAt], header.introCount);
  bytes[kHeaderThumbnailsAt] = header.thumbnails;
  bytes[kHeaderHelpScreenAt] = header.helpScreen;
  bytes[kHeaderTimeLimitAt] = header.timeLimit;
  Put16(&bytes[kHeaderSlideTimeMsAt], header.slideTimeMs);
  bytes[kHeaderKeyUseAt] = header.keyUse;
  return bytes;
}

RomHeader DecodeRomHeader(std::span<const uint8_t, kHeaderBytes> bytes) {
  RomHeader header;
  header.tag = Get16(&bytes[kHeaderTagAt]);
  header.pictureCount = Get16(&bytes[kHeaderPictureCountAt]);
  header.introCount = Get16(&bytes[kHeaderIntroCountAt]);
  header.thumbnails = bytes[kHeaderThumbnailsAt];
  header.helpScreen = bytes[kHeaderHelpScreenAt];
  header.timeLimit = bytes[kHeaderTimeLimitAt];
  header.slideTimeMs = Get16(&bytes[kHeaderSlideTimeMsAt]);
  header.keyUse = bytes[kHeaderKeyUseAt];
  return header;
}

std::array<uint8_t, kRecordBytes> EncodeSlideRecord(const SlideRecord& record) {
  std::array<uint8_t, kRecordBytes> bytes{};
  Put32(&bytes[kRecordFullSizeAt], record.fullSizeData);
  Put32(&bytes[kRecordThumbnailAt], record.thumbnailData);
  Put32(&bytes[kRecordResizedAt], record.resizedData);
  Put32(&bytes[kRecordCaptionAt], record.captionText);
  Put16(&bytes[kRecordHeightAt], record.height);
  Put16(&bytes[kRecordWidthAt], record.width);
  bytes[kRecordEffectAt] = record.effect;
  return bytes;
}

SlideRecord DecodeSlideRecord(std::span<const uint8_t, kRecordBytes> bytes) {
  SlideRecord record;
  record.fullSizeData = Get32(&bytes[kRecordFullSizeAt]);
  record.thumbnailData = Get32(&bytes[kRecordThumbnailAt]);
  record.resizedData = Get32(&bytes[kRecordResizedAt]);
  record.captionText = Get32(&bytes[kRecordCaptionAt]);
  record.height = Get16(&bytes[kRecordHeightAt]);
  record.width = Get16(&bytes[kRecordWidthAt]);
  record.effect = bytes[kRecordEffectAt];
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
