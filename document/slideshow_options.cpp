#include "document/slideshow_options.h"

namespace varnel {

SlideshowOptions SlideshowOptions::DefaultsAfterNew() {
  SlideshowOptions o;
  o.helpScreen = 1;
  o.textDisplay = 1;
  o.sizingOverride = 0;
  o.thumbnails = 1;
  o.timeLimit = 0;
  o.keyUse = 1;
  o.effectOverride = 0;
  o.secondsText = "5";
  o.sizingOverrideIndex = 0;
  o.effectOverrideIndex = 0;
  o.introCountText = "";
  return o;
}

}  // namespace varnel
