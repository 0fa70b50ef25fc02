#include "project/project_file_writer.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "format/project_file_layout.h"
#include "project/stored_values.h"

namespace varnel {

namespace {

void WriteU8(ByteSink& sink, uint8_t value) {
  sink.Write(&value, 1);
}

void WriteU16(ByteSink& sink, uint16_t value) {
  const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
  sink.Write(bytes, 2);
}

void WriteZeros(ByteSink& sink, std::size_t count) {
  static constexpr std::array<uint8_t, 512> kZeros{};
  while (count > 0) {
    const std::size_t take = std::min(count, kZeros.size());
    sink.Write(kZeros.data(), take);
    count -= take;
  }
}

// The string's bytes without any 0 byte, then the 0 byte that ends it.
void WriteString(ByteSink& sink, const std::string& text) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  std::size_t runStart = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || bytes[i] == 0) {
      if (i > runStart) sink.Write(bytes + runStart, i - runStart);
      runStart = i + 1;
    }
  }
  WriteU8(sink, 0);
}

void WriteHeader(ByteSink& sink, const SlideshowOptions& options, uint16_t pictureCount) {
  WriteU8(sink, kProjectFormatByte);
  WriteU16(sink, pictureCount);
  WriteU16(sink, StoredNumberOfText(options.introCountText));
  WriteU16(sink, StoredNumberOfText(options.secondsText));
  WriteU16(sink, StoredOverrideIndex(options.sizingOverrideIndex));
  WriteU16(sink, StoredOverrideIndex(options.effectOverrideIndex));
  const std::array<uint8_t, kProjectOptionBytes> optionBytes = {
      StoredOptionByte(options.helpScreen),     StoredOptionByte(options.keyUse),
      StoredOptionByte(options.timeLimit),      StoredOptionByte(options.sizingOverride),
      StoredOptionByte(options.effectOverride), StoredOptionByte(options.helpScreen),
      StoredOptionByte(options.thumbnails),     StoredOptionByte(options.textDisplay),
  };
  sink.Write(optionBytes.data(), optionBytes.size());
}

void WriteRecord(ByteSink& sink, const StoredPicture& picture) {
  WriteString(sink, picture.path);
  WriteString(sink, picture.caption);
  WriteU16(sink, picture.sizingIndex);
  WriteU16(sink, picture.effectIndex);
  WriteU8(sink, picture.fitIndex);
  WriteZeros(sink, kRecordReservedSize - 1);
  for (std::size_t i = 0; i < kRecordTrailerPairCount; ++i)
    sink.Write(kRecordTrailerPair, sizeof kRecordTrailerPair);
}

}  // namespace

void WriteProjectFile(const SlideshowOptions& options, std::span<const StoredPicture> pictures,
                      ByteSink& sink, const std::function<void()>& partWritten) {
  if (pictures.size() > kMaxStoredPictures)
    throw std::length_error("a project file holds at most " + std::to_string(kMaxStoredPictures) +
                            " pictures");
  WriteHeader(sink, options, static_cast<uint16_t>(pictures.size()));
  if (partWritten) partWritten();
  WriteZeros(sink, kProjectReservedBlockSize);
  for (const StoredPicture& picture : pictures) {
    WriteRecord(sink, picture);
    if (partWritten) partWritten();
  }
}

}  // namespace varnel
