#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "builder/build_slideshow.h"
#include "document/slideshow_document.h"
#include "ui/model/build_relay.h"
#include "ui/model/build_report.h"

namespace varnel {

class CSlideshowDlg;

// Build SlideShow from the window: the build runs on a worker thread, as the window's long
// command, while the window's thread shows its progress and preview and the Cancel button
// stops it. Remembers what it built, so Play knows whether the image on disk is the show
// as it is now.
class BuildCommands {
 public:
  explicit BuildCommands(CSlideshowDlg& window) : window_(window) {}
  BuildCommands(const BuildCommands&) = delete;
  BuildCommands& operator=(const BuildCommands&) = delete;

  // afterwards runs once the build has ended, written or not; not when it did not begin.
  void OnBuildSlideShow(std::function<void()> afterwards);
  bool BuiltImageIsCurrent() const;
  bool buildRunning() const { return buildRunning_; }

 private:
  // How a build ended, with what it left out.
  struct Ending {
    BuildOutcome outcome;
    bool stopped = false;
    std::vector<BuildProblem> leftOut;
    std::vector<BuildProblem> notes;
  };
  // Runs the build as the window's long command; then runs on the window's thread once it
  // has ended. The status line says `statusWhileRunning` meanwhile, of which `imageShown`
  // may be shortened from its start.
  void RunBuild(const BuildFiles& files, const std::string& statusWhileRunning,
                const std::string& imageShown, std::function<void(const Ending&)> then);
  void Report(const BuildReport& report);
  void ShowBuildUpdates(BuildRelay::Updates updates);
  void ClearPictureInfo();

  CSlideshowDlg& window_;
  std::optional<SlideshowDocument> builtDocument_;  // as the last successful build took it
  bool buildRunning_ = false;
};

}  // namespace varnel
