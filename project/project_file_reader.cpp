#include "project/project_file_reader.h"

#include <algorithm>
#include <array>
#include <string>

#include "format/project_file_layout.h"
#include "project/stored_values.h"

namespace varnel {

namespace {

// Takes the source in blocks and hands out fields; every read says whether the data
// held the whole field.
class FieldReader {
 public:
  explicit FieldReader(ByteSource& source) : source_(source) {}

  bool ReadByte(uint8_t& value) {
    if (next_ == filled_ && !Refill()) return false;
    value = block_[next_++];
    return true;
  }

  bool ReadU16(uint16_t& value) {
    uint8_t low = 0, high = 0;
    if (!ReadByte(low) || !ReadByte(high)) return false;
    value = static_cast<uint16_t>(low | (high << 8));
    return true;
  }

  // The bytes up to and without the 0 byte that ends the string.
  bool ReadString(std::string& text) {
    text.clear();
    for (;;) {
      if (next_ == filled_ && !Refill()) return false;
      const uint8_t* start = block_.data() + next_;
      const uint8_t* end = block_.data() + filled_;
      const uint8_t* zero = std::find(start, end, uint8_t{0});
      text.append(reinterpret_cast<const char*>(start), static_cast<std::size_t>(zero - start));
      next_ = static_cast<std::size_t>(zero - block_.data());
      if (zero != end) {
        ++next_;
        return true;
      }
    }
  }

  bool Skip(std::size_t count) {
    while (count > 0) {
      if (next_ == filled_ && !Refill()) return false;
      const std::size_t take = std::min(count, filled_ - next_);
      next_ += take;
      count -= take;
    }
    return true;
  }

 private:
  bool Refill() {
    next_ = 0;
    filled_ = source_.Read(block_.data(), block_.size());
    return filled_ > 0;
  }

  ByteSource& source_;
  std::array<uint8_t, 4096> block_{};
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
};

bool ReadHeader(FieldReader& in, ProjectHeader& header) {
  uint16_t introCount = 0, seconds = 0, sizingOverride = 0, effectOverride = 0;
  std::array<uint8_t, kProjectOptionBytes> optionBytes{};
  if (!in.ReadByte(header.formatByte) || !in.ReadU16(header.pictureCount) ||
      !in.ReadU16(introCount) || !in.ReadU16(seconds) || !in.ReadU16(sizingOverride) ||
      !in.ReadU16(effectOverride))
    return false;
  for (uint8_t& byte : optionBytes)
    if (!in.ReadByte(byte)) return false;

  SlideshowOptions& o = header.options;
  o.introCountText = IntroCountTextOfStored(introCount);
  o.secondsText = SecondsTextOfStored(seconds);
  o.sizingOverrideIndex = SizingOverrideIndexOfStored(sizingOverride);
  o.effectOverrideIndex = EffectOverrideIndexOfStored(effectOverride);
  // helpScreen is stored at offsets 11 and 16; the second copy is the one that stays.
  o.helpScreen = OptionOfStoredByte(optionBytes[0]);
  o.keyUse = OptionOfStoredByte(optionBytes[1]);
  o.timeLimit = OptionOfStoredByte(optionBytes[2]);
  o.sizingOverride = OptionOfStoredByte(optionBytes[3]);
  o.effectOverride = OptionOfStoredByte(optionBytes[4]);
  o.helpScreen = OptionOfStoredByte(optionBytes[5]);
  o.thumbnails = OptionOfStoredByte(optionBytes[6]);
  o.textDisplay = OptionOfStoredByte(optionBytes[7]);
  return true;
}

bool ReadRecord(FieldReader& in, StoredPicture& picture) {
  uint16_t sizingIndex = 0, effectIndex = 0;
  uint8_t fitIndex = 0;
  if (!in.ReadString(picture.path) || !in.ReadString(picture.caption) || !in.ReadU16(sizingIndex) ||
      !in.ReadU16(effectIndex) || !in.ReadByte(fitIndex) ||
      !in.Skip(kRecordReservedSize - 1 + kRecordTrailerSize))
    return false;
  picture.sizingIndex = SizingIndexOfStored(sizingIndex);
  picture.effectIndex = EffectIndexOfStored(effectIndex);
  picture.fitIndex = FitIndexOfStored(fitIndex);
  return true;
}

}  // namespace

ProjectReadResult ReadProjectFile(ByteSource& source, const ProjectFileHandlers& handlers) {
  FieldReader in(source);
  ProjectReadResult result;
  ProjectHeader header;
  if (!ReadHeader(in, header)) {
    result.end = ProjectFileEnd::kCutShortInHeader;
    return result;
  }
  result.announcedPictures = header.pictureCount;
  if (handlers.header) handlers.header(header);

  if (!in.Skip(kProjectReservedBlockSize)) {
    result.end = ProjectFileEnd::kCutShortInReservedBlock;
    return result;
  }
  StoredPicture picture;
  for (uint16_t i = 0; i < header.pictureCount; ++i) {
    if (!ReadRecord(in, picture)) {
      result.end = ProjectFileEnd::kCutShortInPicture;
      return result;
    }
    ++result.picturesRead;
    if (handlers.picture) handlers.picture(picture);
  }
  return result;
}

}  // namespace varnel
