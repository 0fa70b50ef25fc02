// Build SlideShow with the window as the builder's host: the build runs on a worker
// thread while the window's thread shows its progress and preview and keeps the Cancel
// button working; the info texts, the work directory and the error box.
#include <exception>
#include <filesystem>
#include <thread>

#include "builder/build_slideshow.h"
#include "files/display_text.h"
#include "ui/model/build_relay.h"
#include "ui/model/build_report.h"
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

CSlideshowDlg::LongCommand::LongCommand(CSlideshowDlg& window, Painting painting)
    : window_(window), wasBusy_(window.busy_), wasPaintingEachChange_(window.paintEachChange_) {
  window_.busy_ = true;
  window_.paintEachChange_ = painting == Painting::kEachChange;
  if (!wasBusy_) window_.stopRequested_ = false;
}

CSlideshowDlg::LongCommand::~LongCommand() {
  window_.busy_ = wasBusy_;
  window_.paintEachChange_ = wasPaintingEachChange_;
}

void CSlideshowDlg::OnBuildSlideShow() {
  // A box holding more than it may would build from values the window does not show;
  // the exchange has told the user and put the focus on that box.
  if (!UpdateData(true)) return;
  const BuildFiles files = DefaultBuildFiles(workDirectory_);
  LongCommand running(*this, LongCommand::Painting::kWhileWaiting);
  builtDocument_.reset();
  buildRunning_ = true;
  Changed(kIdCancelBuild);
  SetStatusText("Building " + DisplayPath(files.outputPath) + " ...");

  BuildRelay relay(document_, workDirectory_);
  BuildOutcome outcome;
  {
    BuildThread builder(relay, files);
    platform_->UpdateNow();
    for (bool finished = false; !finished;) {
      // A Cancel the window has just taken goes to the builder before the wait.
      if (stopRequested_) relay.RequestCancel();
      finished = relay.WaitForUpdates(kShowInterval);
      ShowBuildUpdates(relay.TakeUpdates());
      platform_->UpdateNow();
    }
    outcome = builder.Join();
  }
  ShowBuildUpdates(relay.TakeUpdates());
  buildRunning_ = false;
  Changed(kIdCancelBuild);
  if (outcome.ok) builtDocument_ = document_;

  const BuildReport report = MakeBuildReport(outcome, files.outputPath, relay.CancelRequested(),
                                             relay.LeftOut(), relay.Notes());
  SetStatusText(report.statusLine);
  platform_->UpdateNow();
  if (!report.message.empty())
    ShowMessage(report.message,
                report.failed ? MessageBoxIcon::kStop : MessageBoxIcon::kExclamation);
}

void CSlideshowDlg::ShowBuildUpdates(BuildRelay::Updates updates) {
  if (updates.clearPictureInfo) ClearPictureInfo();
  if (updates.progress) {
    progress_.SetRange(updates.progress->maximum);
    progress_.SetPosition(updates.progress->position);
    progress_.SetStep(updates.progress->step);
  }
  if (updates.preview) {
    BuildRelay::PreviewState& shown = *updates.preview;
    if (shown.picture) {
      preview_.ShowPicture(*shown.picture, shown.rect.x, shown.rect.y, shown.rect.width,
                           shown.rect.height);
    } else {
      preview_.RestorePreview();
    }
  }
  if (updates.repaintPreview) Changed(kIdPreview);
}

bool CSlideshowDlg::BuiltImageIsCurrent() const {
  std::error_code error;
  return builtDocument_ == document_ &&
         std::filesystem::is_regular_file(DefaultBuildFiles(workDirectory_).outputPath, error);
}

const SlideshowDocument& CSlideshowDlg::CurrentDocument() {
  UpdateData(true);
  return document_;
}

void CSlideshowDlg::ClearPictureInfo() {
  fields_.sizeInfo.clear();
  fields_.colorInfo.clear();
  UpdateData(false);
  PaintIfBusy();
}

void CSlideshowDlg::RepaintPreview() {
  Changed(kIdPreview);
  platform_->UpdateNow();
}

void CSlideshowDlg::ShowError(const std::string& message) {
  ShowMessage(message, MessageBoxIcon::kStop);
}

}  // namespace varnel
