#include "ui/model/image_contents.h"

#include <array>
#include <filesystem>
#include <fstream>

#include "builder/rom_layout.h"

namespace varnel {

bool ImageHoldsPictures(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return false;
  // Only an ordinary file is read: opening a FIFO would wait for a writer.
  if (!std::filesystem::is_regular_file(status)) return true;
  std::ifstream file(path, std::ios::binary);
  std::array<uint8_t, kHeaderBytes> bytes{};
  file.seekg(kHeaderOffset);
  if (!file.read(reinterpret_cast<char*>(bytes.data()), bytes.size())) return true;
  const RomHeader header = DecodeRomHeader(bytes);
  return header.tag != kHeaderTag || header.pictureCount > 0;
}

}  // namespace varnel
