#include "player/model/image_file_state.h"

#include <array>
#include <fstream>

#include "format/image_layout.h"

namespace varnel {

std::optional<ImageFileStamp> StampOf(const std::string& path) {
  std::error_code error;
  ImageFileStamp stamp;
  stamp.modified = std::filesystem::last_write_time(path, error);
  if (error) return std::nullopt;
  stamp.size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  return stamp;
}

bool LooksFinished(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::array<uint8_t, 2> tag{};  // little-endian
  file.seekg(kHeaderOffset + kHeaderTagAt);
  if (!file.read(reinterpret_cast<char*>(tag.data()), tag.size())) return true;
  return (tag[0] | tag[1] << 8) == kHeaderTag;
}

}  // namespace varnel
