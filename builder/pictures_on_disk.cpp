#include "builder/pictures_on_disk.h"

#include <filesystem>
#include <system_error>

namespace varnel {

std::vector<bool> PicturesOnDisk(const SlideshowDocument& document) {
  std::vector<bool> onDisk;
  onDisk.reserve(document.rows.size());
  for (const PictureEntry& row : document.rows) {
    std::error_code error;
    onDisk.push_back(std::filesystem::is_regular_file(row.path, error));
  }
  return onDisk;
}

}  // namespace varnel
