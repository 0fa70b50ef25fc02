#pragma once

#include <optional>

#include "document/slideshow_document.h"
#include "ui/model/build_relay.h"

namespace varnel {

class CSlideshowDlg;

// Build SlideShow from the window: the build runs on a worker thread while the window's
// thread shows its progress and preview and keeps the Cancel button working. Remembers
// what it built, so Play knows whether the image on disk is the show as it is now.
class BuildCommands {
 public:
  explicit BuildCommands(CSlideshowDlg& window) : window_(window) {}
  BuildCommands(const BuildCommands&) = delete;
  BuildCommands& operator=(const BuildCommands&) = delete;

  void OnBuildSlideShow();
  bool BuiltImageIsCurrent() const;
  bool buildRunning() const { return buildRunning_; }

 private:
  void ShowBuildUpdates(BuildRelay::Updates updates);
  void ClearPictureInfo();

  CSlideshowDlg& window_;
  std::optional<SlideshowDocument> builtDocument_;  // as the last successful build took it
  bool buildRunning_ = false;
};

}  // namespace varnel
