#include "tests/support/image_reader.h"

#include <span>
#include <stdexcept>

#include "tests/support/test_support.h"

namespace varnel::testing {

ImageReader::ImageReader(const std::string& path) : bytes_(ReadAllBytes(path)) {}

RomHeader ImageReader::header() const {
  if (bytes_.size() < kHeaderOffset + kHeaderBytes) throw std::runtime_error("image too short");
  return DecodeRomHeader(
      std::span<const uint8_t, kHeaderBytes>(&bytes_[kHeaderOffset], kHeaderBytes));
}

SlideRecord ImageReader::record(uint32_t slot) const {
  const std::size_t at = kTableOffset + std::size_t{kRecordBytes} * slot;
  if (bytes_.size() < at + kRecordBytes) throw std::runtime_error("image too short");
  return DecodeSlideRecord(std::span<const uint8_t, kRecordBytes>(&bytes_[at], kRecordBytes));
}

bool ImageReader::slotIsEmpty(uint32_t slot) const {
  const std::size_t at = kTableOffset + std::size_t{kRecordBytes} * slot;
  for (std::size_t i = 0; i < kRecordBytes; ++i)
    if (bytes_.at(at + i) != 0) return false;
  return true;
}

std::vector<uint16_t> ImageReader::pixels(uint32_t address, int width, int height) const {
  const uint64_t at = OffsetOf(address);
  const uint64_t count = uint64_t(width) * height;
  if (at + count * 2 > bytes_.size()) throw std::runtime_error("pixel block outside the image");
  std::vector<uint16_t> out(count);
  for (uint64_t i = 0; i < count; ++i)
    out[i] = static_cast<uint16_t>(bytes_[at + 2 * i] | (bytes_[at + 2 * i + 1] << 8));
  return out;
}

std::string ImageReader::caption(uint32_t address) const {
  std::string text;
  for (uint64_t at = OffsetOf(address); at < bytes_.size() && bytes_[at] != 0; ++at)
    text.push_back(static_cast<char>(bytes_[at]));
  return text;
}

}  // namespace varnel::testing
