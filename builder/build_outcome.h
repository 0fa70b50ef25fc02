#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

// Something the image lacks that the show asked for.
struct PictureShortfall {
  std::string path;      // the picture's path as the row holds it (not escaped)
  std::string reason;    // for the user
  bool leftOut = false;  // true: no slide at all; false: a slide that lacks a version
};

// What a build did, for the caller to tell the user.
struct BuildOutcome {
  bool ok = false;                 // true only when the image was written and put in place
  std::string message;             // why the build failed (also shown through BuildHost::ShowError)
  std::string outputPath;          // where the image was (or would have been) written
  uint16_t pictureCount = 0;       // slides in the image
  uint16_t slidesWithPicture = 0;  // of those, the ones with at least one picture version
  std::vector<PictureShortfall> shortfalls;  // in the order they happened

  // True when the image was written but without everything the show asked for.
  bool incomplete() const { return !shortfalls.empty() || slidesWithPicture < pictureCount; }
};

}  // namespace varnel
