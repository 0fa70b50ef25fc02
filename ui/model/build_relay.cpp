#include "ui/model/build_relay.h"

#include <utility>

#include "ui/model/preview_area.h"

namespace varnel {

BuildRelay::BuildRelay(SlideshowDocument document, std::string workDirectory)
    : document_(std::move(document)), workDirectory_(std::move(workDirectory)) {}

template <typename Change>
void BuildRelay::Post(Change change) {
  std::lock_guard lock(mutex_);
  change();
}

// ---- The window's thread ----

bool BuildRelay::WaitForUpdates(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  finishedNews_.wait_for(lock, timeout, [this] { return finished_; });
  return finished_;
}

BuildRelay::Updates BuildRelay::TakeUpdates() {
  std::lock_guard lock(mutex_);
  return std::exchange(pending_, Updates{});
}

void BuildRelay::Finish() {
  Post([this] { finished_ = true; });
  finishedNews_.notify_one();
}

std::vector<BuildProblem> BuildRelay::LeftOut() const {
  std::lock_guard lock(mutex_);
  return leftOut_;
}

std::vector<BuildProblem> BuildRelay::Notes() const {
  std::lock_guard lock(mutex_);
  return notes_;
}

// ---- The builder's thread ----

void BuildRelay::ClearPictureInfo() {
  Post([this] { pending_.clearPictureInfo = true; });
}

void BuildRelay::RepaintPreview() {
  Post([this] { pending_.repaintPreview = true; });
}

void BuildRelay::PictureLeftOut(const std::string& path, const std::string& reason) {
  Post([&] { leftOut_.push_back({path, reason}); });
}

void BuildRelay::PictureNote(const std::string& path, const std::string& note) {
  Post([&] { notes_.push_back({path, note}); });
}

template <typename Change>
void BuildRelay::PostProgress(Change change) {
  Post([&] {
    change(bar_);
    pending_.progress = ProgressState{bar_.maximum(), bar_.position(), bar_.step()};
  });
}

void BuildRelay::RelayedProgress::SetRange(int maximum) {
  relay_.PostProgress([&](ProgressBarState& bar) { bar.SetRange(maximum); });
}

void BuildRelay::RelayedProgress::SetPosition(int position) {
  relay_.PostProgress([&](ProgressBarState& bar) { bar.SetPosition(position); });
}

void BuildRelay::RelayedProgress::SetStep(int step) {
  relay_.PostProgress([&](ProgressBarState& bar) { bar.SetStep(step); });
}

void BuildRelay::RelayedProgress::StepIt() {
  relay_.PostProgress([](ProgressBarState& bar) { bar.StepIt(); });
}

void BuildRelay::RelayedPreview::ShowPicture(const BitmapView& picture, int x, int y, int width,
                                             int height) {
  // Cut here, on the builder's thread: only the middle of a large picture is shown.
  PreviewState state{{x, y, width, height}, CentredPart(picture, width, height)};
  relay_.Post([&] { relay_.pending_.preview = std::move(state); });
}

void BuildRelay::RelayedPreview::RestorePreview() {
  relay_.Post([&] { relay_.pending_.preview = PreviewState{kNormalPreviewRect, std::nullopt}; });
}

}  // namespace varnel
