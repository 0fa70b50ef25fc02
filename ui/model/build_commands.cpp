#include "ui/model/build_commands.h"

#include <exception>
#include <filesystem>
#include <memory>
#include <thread>
#include <utility>

#include "builder/build_slideshow.h"
#include "document/picture_row.h"
#include "files/display_text.h"
#include "ui/model/build_relay.h"
#include "ui/model/build_report.h"
#include "ui/model/command_thread.h"
#include "ui/model/image_contents.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

namespace {

constexpr std::chrono::milliseconds kShowInterval{kCommandShowIntervalMs};

// Runs the build on its own thread; whatever ends the command, the build is stopped and
// waited for before the relay it reports to goes away.
class BuildThread {
 public:
  BuildThread(BuildRelay& relay, const BuildFiles& files)
      : relay_(relay), thread_([this, files] { Run(files); }) {}
  ~BuildThread() {
    if (!thread_.joinable()) return;
    relay_.RequestCancel();
    thread_.join();
  }
  BuildThread(const BuildThread&) = delete;
  BuildThread& operator=(const BuildThread&) = delete;

  // After the relay said the build finished.
  BuildOutcome Join() {
    thread_.join();
    return outcome_;
  }

 private:
  void Run(const BuildFiles& files) {
    try {
      outcome_ = BuildSlideShow(relay_, files);
    } catch (const std::exception& error) {
      outcome_.ok = false;
      outcome_.message = error.what();
    }
    relay_.Finish();
  }

  BuildRelay& relay_;
  BuildOutcome outcome_;
  std::thread thread_;
};

}  // namespace

void BuildCommands::OnBuildSlideShow() {
  // A box holding more than it may would build from values the window does not show;
  // the exchange has told the user and put the focus on that box.
  if (!window_.UpdateData(true)) return;
  const BuildFiles files = DefaultBuildFiles(window_.workDirectory());
  if (window_.RowCount() == 0 && !MayReplaceWithEmptyShow(files.outputPath)) return;
  const std::string imageShown = DisplayPath(files.outputPath);
  RunBuild(files, "Building " + imageShown + " ...", imageShown,
           [this, files](const Ending& ending) {
             Report(MakeBuildReport(ending.outcome, files.outputPath, ending.stopped,
                                    ending.leftOut, ending.notes));
           });
}

void BuildCommands::BuildForPlayer(const std::string& imagePath,
                                   std::function<void(bool rebuilt)> play) {
  std::error_code error;
  if (playerDocument_ == window_.document() && playerImage_ == imagePath &&
      std::filesystem::is_regular_file(imagePath, error)) {
    play(false);
    return;
  }
  BuildFiles files = DefaultBuildFiles(window_.workDirectory());
  files.outputPath = imagePath;
  playerDocument_.reset();
  RunBuild(
      files, "Building the show for the player ...", {},
      [this, imagePath, play = std::move(play)](const Ending& ending) {
        Report(MakePlayerBuildReport(ending.outcome, ending.stopped, ending.leftOut, ending.notes));
        if (!ending.outcome.ok) return;
        // The window took no input meanwhile: the show is the one built.
        playerDocument_ = window_.document();
        playerImage_ = imagePath;
        play(true);
      });
}

void BuildCommands::RunBuild(const BuildFiles& files, const std::string& statusWhileRunning,
                             const std::string& imageShown,
                             std::function<void(const Ending&)> then) {
  buildRunning_ = true;
  window_.SetStatusText(statusWhileRunning, imageShown);
  auto relay = std::make_shared<BuildRelay>(window_.document(), window_.workDirectory());
  auto ending = std::make_shared<Ending>();
  window_.RunCommand(
      [this, relay, files, ending](CommandThread& command) {
        BuildThread builder(*relay, files);
        // The news of the build goes to the window's thread at most every kShowInterval:
        // showing one step costs about as much as showing several.
        for (bool finished = false; !finished;) {
          finished = relay->WaitForUpdates(kShowInterval);
          command.Post([this, relay] { ShowBuildUpdates(relay->TakeUpdates()); });
        }
        ending->outcome = builder.Join();
        ending->stopped = relay->CancelRequested();
        ending->leftOut = relay->LeftOut();
        ending->notes = relay->Notes();
      },
      [this, relay, ending, then = std::move(then)] {
        ShowBuildUpdates(relay->TakeUpdates());
        buildRunning_ = false;
        window_.Changed(kIdCancelBuild);
        then(*ending);
      },
      [relay] { relay->RequestCancel(); });
  // The Cancel button shows once the command runs.
  window_.Changed(kIdCancelBuild);
}

void BuildCommands::Report(const BuildReport& report) {
  window_.SetStatusText(report.statusLine, report.imageShown);
  if (!report.message.empty())
    window_.ShowMessage(report.message,
                        report.failed ? MessageBoxIcon::kStop : MessageBoxIcon::kExclamation);
}

bool BuildCommands::buildRunning() const {
  return buildRunning_ && window_.busy();
}

bool BuildCommands::MayReplaceWithEmptyShow(const std::string& imagePath) {
  if (!ImageHoldsPictures(imagePath)) return true;
  return window_.platform().AskToReplace(FileNameOfPath(imagePath) +
                                         " holds a show. Replace it with a show of no pictures?");
}

void BuildCommands::ShowBuildUpdates(BuildRelay::Updates updates) {
  if (updates.clearPictureInfo) ClearPictureInfo();
  if (updates.progress) {
    ProgressBarState& progress = window_.progressBar();
    progress.SetRange(updates.progress->maximum);
    progress.SetPosition(updates.progress->position);
    progress.SetStep(updates.progress->step);
  }
  if (updates.preview) {
    PreviewArea& preview = window_.previewArea();
    BuildRelay::PreviewState& shown = *updates.preview;
    if (shown.picture) {
      preview.ShowPicture(*shown.picture, shown.rect.x, shown.rect.y, shown.rect.width,
                          shown.rect.height);
    } else {
      preview.RestorePreview();
    }
  }
  if (updates.repaintPreview) window_.Changed(kIdPreview);
}

void BuildCommands::ClearPictureInfo() {
  window_.fields().sizeInfo.clear();
  window_.fields().colorInfo.clear();
  window_.UpdateData(false);
}

}  // namespace varnel
