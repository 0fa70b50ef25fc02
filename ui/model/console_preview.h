#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "builder/bitmap.h"
#include "builder/first_screen.h"

namespace varnel {

class CSlideshowDlg;

// The preview "As on Console": while its check box is on, the preview shows the screen the
// console shows first when the show reaches the selected picture (first_screen.h), from
// the pixels a build writes; once it is turned off, the picture itself again. The screen is
// made anew only when something it depends on changed (the picture, its fit, its sizing,
// whether it is an intro picture) or when the preview was given another picture meanwhile
// (a row click, a build).
class ConsolePreview {
 public:
  explicit ConsolePreview(CSlideshowDlg& window) : window_(window) {}
  ConsolePreview(const ConsolePreview&) = delete;
  ConsolePreview& operator=(const ConsolePreview&) = delete;

  void Refresh();

 private:
  struct Shown {
    std::string path;
    std::string fitLabel;
    int sizing = 0;
    bool intro = false;
    bool operator==(const Shown&) const = default;
  };

  CSlideshowDlg& window_;
  std::optional<Shown> shown_;
  uint64_t previewChanges_ = 0;  // the preview's count of changes right after it was shown
};

// The console's screen as the preview shows it: each 5-bit channel widened to 8 bits as
// the console's display widens it (its top bits repeated below it).
Bitmap ScreenAsBitmap(const ScreenPixels& screen);

}  // namespace varnel
