#pragma once

#include <string>

#include "document/label_tables.h"
#include "format/image_layout.h"

namespace varnel {

// One row of the picture list: its texts in column order. Strings are byte strings:
// paths as the platform gives them (UTF-8 here), captions as Latin-1 bytes with line
// breaks held as a carriage return and a line feed.
struct PictureEntry {
  std::string fileName;     // column 0 "File"
  std::string effectLabel;  // column 1 "Effect"
  std::string sizingLabel;  // column 2 "Resizing"
  std::string sizeText;     // column 3 "Size": "%ix%i (%iBits)"
  std::string path;         // column 4 "Directory": the full path as given to Add row
  std::string caption;      // column 5, hidden
  std::string fitLabel = std::string(kFitLabels[kFitStretch]);  // column 6 "Fit"
  // The loaded picture's size in pixels when the row was made, so a show can be planned
  // without loading its pictures again; 0 when not known. Not a column of the list.
  int pictureWidth = 0;
  int pictureHeight = 0;

  // Rows compare by their columns, the texts the list shows and a project stores.
  bool operator==(const PictureEntry& other) const {
    return fileName == other.fileName && effectLabel == other.effectLabel &&
           sizingLabel == other.sizingLabel && sizeText == other.sizeText && path == other.path &&
           caption == other.caption && fitLabel == other.fitLabel;
  }
};

inline constexpr int kPictureEntryColumns = 7;
inline constexpr std::size_t kCaptionLimit = kCaptionCharacters;  // characters a caption may hold

}  // namespace varnel
