#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/picture_entry.h"

namespace varnel {

// What a project file keeps of a picture row: everything else of the row is worked out
// again from the picture when the project is loaded.
struct StoredPicture {
  std::string path;     // bytes as the platform gives them
  std::string caption;  // Latin-1 bytes, line breaks as CR LF
  uint16_t sizingIndex = 0;
  uint16_t effectIndex = 0;
  uint8_t fitIndex = 0;  // the first reserved byte of the record; 0 is Stretch

  bool operator==(const StoredPicture&) const = default;
};

// The stored fields of a row; the indices are the label indices of its two labels.
StoredPicture StoredPictureOfRow(const PictureEntry& row);
std::vector<StoredPicture> StoredPicturesOfRows(std::span<const PictureEntry> rows);

}  // namespace varnel
