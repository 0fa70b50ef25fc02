#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/model/app_platform.h"
#include "files/file_error.h"
#include "ui/model/window_platform.h"

namespace varnel::testing {

// A profile kept in memory, shared by the runs of one test as a file would be.
using ProfileValues = std::map<std::string, std::string>;  // "Section/Key" -> value

// The main window's toolkit, reduced to what the commands around it use: its messages, its
// current directory and its profile reads.
class ModelWindowPlatform final : public WindowPlatform {
 public:
  struct Message {
    std::string text;
    MessageBoxIcon icon;
  };

  ModelWindowPlatform(std::string currentDirectory, const ProfileValues& profile)
      : currentDirectory_(std::move(currentDirectory)), profile_(profile) {}

  void ControlChanged(int) override {}
  void WindowTextChanged() override {}
  void FocusControl(int, bool) override {}
  void ShowMessage(const std::string& text, MessageBoxIcon icon) override {
    messages.push_back({text, icon});
  }
  std::optional<std::vector<std::string>> ChooseFilesToOpen(const OpenFilesRequest&) override {
    return std::nullopt;
  }
  void UpdateNow() override {}
  void EndDialog(int) override {}
  void StartTimer(int, int) override {}
  std::string CurrentDirectory() override { return currentDirectory_; }
  std::string ReadProfileString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) override {
    ++profileReads;
    const auto found = profile_.find(section + "/" + key);
    return found == profile_.end() ? defaultValue : found->second;
  }

  std::vector<Message> messages;
  int profileReads = 0;

 private:
  std::string currentDirectory_;
  const ProfileValues& profile_;
};

// The dialogs answered as a test says, profile writes and process starts recorded.
class FakeAppPlatform final : public AppPlatform {
 public:
  struct Start {
    std::string program;
    std::vector<std::string> arguments;
  };

  explicit FakeAppPlatform(ProfileValues& profile) : profile_(profile) {}

  std::optional<std::string> RunSettingsDialog(const std::string& emulatorLocation,
                                               bool suggested) override {
    settingsShown.push_back(emulatorLocation);
    settingsSuggested.push_back(suggested);
    return settingsAnswer;
  }
  EmulatorSearchPlaces SearchPlacesForEmulators() override { return searchPlaces; }
  bool AskYesNo(const std::string& question) override {
    questions.push_back(question);
    return answerYes;
  }
  void RunAboutDialog() override { ++aboutRuns; }
  void WriteProfileString(const std::string& section, const std::string& key,
                          const std::string& value) override {
    ++profileWrites;
    if (!profileWriteFailure.empty()) {
      throw FileError("/home/user/.config/varnel.ini", "not written", profileWriteFailure);
    }
    profile_[section + "/" + key] = value;
  }
  void StartDetachedProcess(const std::string& program,
                            const std::vector<std::string>& arguments) override {
    starts.push_back({program, arguments});
    if (!startFailure.empty()) throw std::runtime_error(startFailure);
  }
  bool ShowNoEmulatorMessageOfferingPlay(const std::string& message) override {
    playOffers.push_back(message);
    return takePlayOffer;
  }
  void ShowPlayer(const std::string& imagePath, bool rebuilt) override {
    players.push_back({imagePath, rebuilt});
    if (!playerFailure.empty()) throw std::runtime_error(playerFailure);
  }

  struct PlayerShown {
    std::string imagePath;
    bool rebuilt;
    bool operator==(const PlayerShown&) const = default;
  };

  // Where emulators are looked for; by default nowhere, so none is found.
  EmulatorSearchPlaces searchPlaces;
  bool answerYes = false;  // the answer to every Yes/No question
  // What the Settings dialog ends with: the location on OK, nothing on Cancel.
  std::optional<std::string> settingsAnswer;
  std::string profileWriteFailure;  // the cause a failing write reports; empty: it works
  std::string startFailure;         // the cause a failing start reports; empty: it starts
  bool takePlayOffer = false;       // the answer to the no-emulator message's offer
  std::string playerFailure;        // why the image cannot be played; empty: it plays

  std::vector<std::string> settingsShown;
  std::vector<bool> settingsSuggested;
  std::vector<std::string> questions;
  int aboutRuns = 0;
  int profileWrites = 0;
  std::vector<Start> starts;
  std::vector<std::string> playOffers;
  std::vector<PlayerShown> players;

 private:
  ProfileValues& profile_;
};

}  // namespace varnel::testing
