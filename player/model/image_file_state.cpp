#include "player/model/image_file_state.h"

#include <array>

#include "files/binary_file.h"
#include "files/file_error.h"
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
  std::array<uint8_t, 2> tag{};  // little-endian
  try {
    // Opened as the image itself is: a FIFO put in its place must not stop the window.
    BinaryFile file = BinaryFile::OpenForReading(path);
    file.Seek(kHeaderOffset + kHeaderTagAt);
    if (file.Read(tag.data(), tag.size()) != tag.size()) return true;
  } catch (const FileError&) {
    return false;
  }
  return (tag[0] | tag[1] << 8) == kHeaderTag;
}

}  // namespace varnel
