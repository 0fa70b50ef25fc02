#include "project/stored_picture.h"

#include "document/label_tables.h"
#include "document/number_rules.h"

namespace varnel {

StoredPicture StoredPictureOfRow(const PictureEntry& row) {
  StoredPicture stored;
  stored.path = row.path;
  stored.caption = row.caption;
  stored.sizingIndex = Low16(LabelIndex(row.sizingLabel));
  stored.effectIndex = Low16(LabelIndex(row.effectLabel));
  stored.fitIndex = static_cast<uint8_t>(FitOfLabel(row.fitLabel));
  return stored;
}

std::vector<StoredPicture> StoredPicturesOfRows(std::span<const PictureEntry> rows) {
  std::vector<StoredPicture> stored;
  stored.reserve(rows.size());
  for (const PictureEntry& row : rows) stored.push_back(StoredPictureOfRow(row));
  return stored;
}

}  // namespace varnel
