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

// Build SlideShow from the window, and Play's build: a build runs on a worker thread, as
// the window's long command, while the window's thread shows its progress and preview and
// the Cancel button stops it. Only Build SlideShow writes the work folder's slide.gba;
// Play builds into an image of its own, and is told whether that image is the show as it
// is now.
class BuildCommands {
 public:
  explicit BuildCommands(CSlideshowDlg& window) : window_(window) {}
  BuildCommands(const BuildCommands&) = delete;
  BuildCommands& operator=(const BuildCommands&) = delete;

  void OnBuildSlideShow();
  // Builds the show as it is now (the options as last taken from the controls) into
  // `imagePath` for the player, unless that file already holds it. Once the file holds
  // the show as it is now, play runs, told whether the file was written now; it does not
  // run when the build failed or was stopped (the user has been told why).
  void BuildForPlayer(const std::string& imagePath, std::function<void(bool rebuilt)> play);
  // A build runs as the window's long command (one abandoned with its window does not).
  bool buildRunning() const;

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
  // An empty list would replace an image that holds pictures: the user is asked first.
  bool MayReplaceWithEmptyShow(const std::string& imagePath);
  void ShowBuildUpdates(BuildRelay::Updates updates);
  void ClearPictureInfo();

  CSlideshowDlg& window_;
  // What the player's image holds: the show as the last successful build for the player
  // took it, and where it went.
  std::optional<SlideshowDocument> playerDocument_;
  std::string playerImage_;
  bool buildRunning_ = false;
};

}  // namespace varnel
