#pragma once

#include "builder/build_host.h"
#include "builder/build_outcome.h"

namespace varnel {

// Stands between a build and its host: passes everything on, and keeps what was left out
// and what could not be made in the build's outcome, so every caller can list them.
class OutcomeRecordingHost final : public BuildHost {
 public:
  OutcomeRecordingHost(BuildHost& host, BuildOutcome& outcome) : host_(host), outcome_(outcome) {}

  const SlideshowDocument& CurrentDocument() override { return host_.CurrentDocument(); }
  void ClearPictureInfo() override { host_.ClearPictureInfo(); }
  ProgressSink& Progress() override { return host_.Progress(); }
  PreviewSink& Preview() override { return host_.Preview(); }
  void RepaintPreview() override { host_.RepaintPreview(); }
  std::string WorkDirectory() override { return host_.WorkDirectory(); }
  void ShowError(const std::string& message) override { host_.ShowError(message); }
  void PictureLeftOut(const std::string& path, const std::string& reason) override {
    outcome_.shortfalls.push_back({path, reason, true});
    host_.PictureLeftOut(path, reason);
  }
  void PictureNote(const std::string& path, const std::string& note) override {
    outcome_.shortfalls.push_back({path, note, false});
    host_.PictureNote(path, note);
  }
  bool CancelRequested() override { return host_.CancelRequested(); }
  unsigned BuildWorkers() override { return host_.BuildWorkers(); }

 private:
  BuildHost& host_;
  BuildOutcome& outcome_;
};

}  // namespace varnel
