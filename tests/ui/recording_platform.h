#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/posted_tasks.h"
#include "ui/model/window_platform.h"

namespace varnel::testing {

// A toolkit stand-in that records what the window asks of it and answers the open
// dialog with files a test chooses.
class RecordingPlatform final : public WindowPlatform {
 public:
  struct Message {
    std::string text;
    MessageBoxIcon icon;
  };
  struct Focus {
    int id;
    bool selectAll;
  };

  void ControlChanged(int id) override { changed.push_back(id); }
  void WindowTextChanged() override { ++windowTextChanges; }
  void FocusControl(int id, bool selectAllText) override { focus.push_back({id, selectAllText}); }
  void ShowMessage(const std::string& text, MessageBoxIcon icon) override {
    messages.push_back({text, icon});
  }
  SaveChangesAnswer AskSaveChanges(const std::string& question) override {
    questions.push_back(question);
    return saveChangesAnswer;
  }
  bool AskToReplace(const std::string& question) override {
    questions.push_back(question);
    return replaceAnswer;
  }
  std::optional<std::vector<std::string>> ChooseFilesToOpen(
      const OpenFilesRequest& request) override {
    openRequests.push_back(request);
    return filesToChoose;
  }
  std::optional<std::string> ChooseProjectFileToSave(const std::string& showFile) override {
    ++saveDialogs;
    dialogShowFiles.push_back(showFile);
    return projectFileToSave;
  }
  std::optional<std::string> ChooseProjectFileToOpen(const std::string& showFile) override {
    ++openDialogs;
    dialogShowFiles.push_back(showFile);
    return projectFileToOpen;
  }
  void Post(std::function<void()> task) override { tasks.Post(std::move(task)); }
  void BusyChanged() override { ++busyChanges; }
  void EndDialog(int result) override { endResults.push_back(result); }
  void StartTimer(int timerId, int periodMs) override { timers.push_back({timerId, periodMs}); }
  std::string CurrentDirectory() override { return currentDirectory; }

  bool WasChanged(int id) const {
    for (int c : changed) {
      if (c == id) return true;
    }
    return false;
  }

  std::string currentDirectory = "/tmp";
  std::optional<std::vector<std::string>> filesToChoose;  // nothing: the user cancels
  SaveChangesAnswer saveChangesAnswer = SaveChangesAnswer::kDiscard;
  bool replaceAnswer = false;
  std::optional<std::string> projectFileToSave;  // nothing: the user cancels
  std::optional<std::string> projectFileToOpen;

  std::vector<int> changed;
  int windowTextChanges = 0;
  std::vector<Focus> focus;
  std::vector<Message> messages;
  std::vector<std::string> questions;
  std::vector<OpenFilesRequest> openRequests;
  int saveDialogs = 0;
  int openDialogs = 0;
  std::vector<std::string> dialogShowFiles;  // what each project file dialog was given
  PostedTasks tasks;                         // the window's event loop: a test runs it
  int busyChanges = 0;
  std::vector<int> endResults;
  std::vector<std::pair<int, int>> timers;
};

}  // namespace varnel::testing
