#pragma once

#include <string>
#include <utility>
#include <vector>

#include "document/picture_row.h"
#include "project/project_host.h"

namespace varnel::testing {

// A window stand-in that records what Save and Load do to it. Add row follows the row
// rule of the document, so pictures must exist to become rows.
class FakeProjectHost : public ProjectHost, public ProjectProgress {
 public:
  SlideshowOptions options = SlideshowOptions::DefaultsAfterNew();
  std::vector<PictureEntry> rows;
  std::string saveName;
  std::string openName;
  std::string caption = "Varnel 1.3 (New SlideShow)";
  std::vector<std::pair<MessageIcon, std::string>> messages;
  int saveDialogs = 0;
  int refreshes = 0;
  int range = -1;
  int position = -1;
  int step = -1;

  SlideshowOptions OptionsFromControls() override { return options; }
  std::vector<PictureEntry> Rows() override { return rows; }
  std::string AskSaveFileName() override {
    ++saveDialogs;
    return saveName;
  }
  std::string AskOpenFileName() override { return openName; }
  ProjectProgress& Progress() override { return *this; }
  bool AddRow(const std::string& path, int sizingIndex, int effectIndex, const std::string& text,
              int fitIndex = kFitStretch) override {
    MakeRowResult made = MakePictureRow(path, sizingIndex, effectIndex, text, fitIndex);
    if (made.ok()) rows.push_back(std::move(made.row));
    return made.ok();
  }
  void ClearRows() override { rows.clear(); }
  void SetOptions(const SlideshowOptions& o) override { options = o; }
  void RefreshControls() override { ++refreshes; }
  std::string TitleBase() override { return "Varnel 1.3"; }
  void SetCaption(const std::string& text) override { caption = text; }
  void ShowMessage(MessageIcon icon, const std::string& message) override {
    messages.emplace_back(icon, message);
  }

  void SetRange(int maximum) override { range = maximum; }
  void SetPosition(int value) override { position = value; }
  void SetStep(int value) override { step = value; }
  void StepIt() override { position += step; }
};

}  // namespace varnel::testing
