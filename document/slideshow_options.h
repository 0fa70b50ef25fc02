#pragma once

#include <string>

namespace varnel {

// The eleven general options of a show, held as the controls show them: the two
// numbers as the texts of their edit boxes, the on/off options as check states.
struct SlideshowOptions {
  int helpScreen = 0;
  int textDisplay = 0;
  int sizingOverride = 0;
  int thumbnails = 0;
  int timeLimit = 0;
  int keyUse = 0;
  int effectOverride = 0;
  std::string secondsText;
  int sizingOverrideIndex = -1;  // -1: the override list selects nothing
  int effectOverrideIndex = -1;
  std::string introCountText;

  // The values a window holds before its first New.
  static SlideshowOptions BeforeFirstNew() { return {}; }
  // The values New sets.
  static SlideshowOptions DefaultsAfterNew();

  bool operator==(const SlideshowOptions&) const = default;
};

}  // namespace varnel
