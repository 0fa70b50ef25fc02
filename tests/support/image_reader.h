#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "builder/rom_layout.h"

namespace varnel::testing {

// Reads a built image back: the header, the table and the blocks the pointers name.
class ImageReader {
 public:
  explicit ImageReader(const std::string& path);
  explicit ImageReader(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }
  RomHeader header() const;
  SlideRecord record(uint32_t slot) const;
  // True when every byte of the slot is zero.
  bool slotIsEmpty(uint32_t slot) const;
  // The file offset of a cartridge address.
  static uint64_t OffsetOf(uint32_t address) { return address - kCartridgeBase; }
  // width x height 15-bit pixels starting at a cartridge address, rows from the top.
  std::vector<uint16_t> pixels(uint32_t address, int width, int height) const;
  // The caption block at a cartridge address, without its 0 byte.
  std::string caption(uint32_t address) const;

 private:
  std::vector<uint8_t> bytes_;
};

// A 15-bit pixel from 8-bit channels: the top five bits of each.
inline uint16_t Pixel15(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint16_t>((r >> 3) | ((g >> 3) << 5) | ((b >> 3) << 10));
}

}  // namespace varnel::testing
