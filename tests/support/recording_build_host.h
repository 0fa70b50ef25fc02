#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "builder/build_host.h"
#include "document/picture_row.h"

namespace varnel::testing {

// Progress calls in order, for tests that check where the steps fall.
class RecordingProgress final : public ProgressSink {
 public:
  void SetRange(int maximum) override { range = maximum; }
  void SetPosition(int p) override { position = p; }
  void SetStep(int s) override { step = s; }
  void StepIt() override {
    position += step;
    ++steps;
  }
  int range = -1, position = -1, step = 0, steps = 0;
};

// A window stand-in for builds: holds a document and records what the build reports.
class RecordingBuildHost : public BuildHost {
 public:
  explicit RecordingBuildHost(std::string workDirectory)
      : workDirectory_(std::move(workDirectory)) {
    document.options = SlideshowOptions::DefaultsAfterNew();
  }
  // Appends a row made by the row rule; throws when the picture does not load.
  void AddPicture(const std::string& path, int sizing = 0, int effect = 0,
                  const std::string& caption = "") {
    MakeRowResult made = MakePictureRow(path, sizing, effect, caption);
    if (!made.ok()) throw std::runtime_error("test picture did not load: " + path);
    document.rows.push_back(made.row);
  }

  const SlideshowDocument& CurrentDocument() override { return document; }
  void ClearPictureInfo() override { ++infoCleared; }
  ProgressSink& Progress() override { return progress; }
  PreviewSink& Preview() override { return preview; }
  void RepaintPreview() override { ++repaints; }
  std::string WorkDirectory() override { return workDirectory_; }
  void ShowError(const std::string& message) override { errors.push_back(message); }
  void PictureLeftOut(const std::string& path, const std::string& reason) override {
    leftOut.push_back(path + ": " + reason);
  }
  void PictureNote(const std::string& path, const std::string& note) override {
    notes.push_back(path + ": " + note);
  }
  unsigned BuildWorkers() override { return workers; }

  SlideshowDocument document;
  RecordingProgress progress;
  NullPreview preview;
  unsigned workers = 0;  // 0: one per processor core
  int infoCleared = 0;
  int repaints = 0;
  std::vector<std::string> errors, leftOut, notes;

 private:
  std::string workDirectory_;
};

}  // namespace varnel::testing
