#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "builder/bitmap.h"
#include "builder/build_host.h"
#include "ui/model/build_report.h"
#include "ui/model/dialog_units.h"
#include "ui/model/progress_bar_state.h"

namespace varnel {

// The builder's host while a build runs on a worker thread. It answers the builder from
// a copy of the document taken before the build, and keeps what the build shows
// (progress, preview, pictures left out, errors) for the window's thread, which takes it
// with TakeUpdates and shows it. Only the latest progress and preview are kept: the
// window shows the state of the build, not every step of it.
class BuildRelay final : public BuildHost {
 public:
  struct ProgressState {
    int maximum = 0;
    int position = 0;
    int step = 1;
  };
  struct PreviewState {
    PixelRect rect;
    std::optional<Bitmap> picture;  // only the part the preview area shows
  };
  // What changed since the window last took the updates.
  struct Updates {
    std::optional<ProgressState> progress;
    std::optional<PreviewState> preview;
    bool clearPictureInfo = false;
    bool repaintPreview = false;
  };

  BuildRelay(SlideshowDocument document, std::string workDirectory);

  // ---- The window's thread ----

  // Waits until the build has finished, at most timeout; true once it has. News that
  // comes meanwhile waits for the end of the timeout: the window shows it all at once,
  // as showing one step costs about as much as showing several.
  bool WaitForUpdates(std::chrono::milliseconds timeout);
  Updates TakeUpdates();
  void RequestCancel() { cancel_ = true; }
  // The builder's thread has returned from the build.
  void Finish();
  // Pictures left out and versions not made, in the order the build met them.
  std::vector<BuildProblem> LeftOut() const;
  std::vector<BuildProblem> Notes() const;

  // ---- BuildHost, for the builder's thread ----

  const SlideshowDocument& CurrentDocument() override { return document_; }
  void ClearPictureInfo() override;
  ProgressSink& Progress() override { return progress_; }
  PreviewSink& Preview() override { return preview_; }
  void RepaintPreview() override;
  std::string WorkDirectory() override { return workDirectory_; }
  // The build's outcome carries the message; the window tells it when the build ends.
  void ShowError(const std::string& message) override { (void)message; }
  void PictureLeftOut(const std::string& path, const std::string& reason) override;
  void PictureNote(const std::string& path, const std::string& note) override;
  bool CancelRequested() override { return cancel_; }

 private:
  class RelayedProgress final : public ProgressSink {
   public:
    explicit RelayedProgress(BuildRelay& relay) : relay_(relay) {}
    void SetRange(int maximum) override;
    void SetPosition(int position) override;
    void SetStep(int step) override;
    void StepIt() override;

   private:
    BuildRelay& relay_;
  };
  class RelayedPreview final : public PreviewSink {
   public:
    explicit RelayedPreview(BuildRelay& relay) : relay_(relay) {}
    void ShowPicture(const BitmapView& picture, int x, int y, int width, int height) override;
    void RestorePreview() override;

   private:
    BuildRelay& relay_;
  };

  // Runs change under the lock.
  template <typename Change>
  void Post(Change change);
  // Changes the builder's view of the bar and keeps it for the window.
  template <typename Change>
  void PostProgress(Change change);

  const SlideshowDocument document_;
  const std::string workDirectory_;
  RelayedProgress progress_{*this};
  RelayedPreview preview_{*this};
  std::atomic<bool> cancel_{false};

  mutable std::mutex mutex_;
  std::condition_variable finishedNews_;
  ProgressBarState bar_{nullptr};  // the bar as the builder drives it
  Updates pending_;
  std::vector<BuildProblem> leftOut_;
  std::vector<BuildProblem> notes_;
  bool finished_ = false;
};

}  // namespace varnel
