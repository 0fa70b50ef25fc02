#include "app/model/app_commands.h"

#include <exception>

#include "app/model/emulator_launch.h"
#include "app/model/known_emulators.h"
#include "builder/build_slideshow.h"
#include "files/file_error.h"

namespace varnel {

namespace {

constexpr int kCommands[] = {kCmdSettings, kCmdStartSlideShow, kCmdPlay, kCmdAbout};

constexpr const char* kNothingToPlayMessage =
    "There is nothing to play: the list holds no pictures.";

std::string NotStoredMessage(const FileError& error) {
  std::string message = "The emulator location could not be stored in " + error.path();
  if (!error.cause().empty()) message += " (" + error.cause() + ")";
  return message + ".\nIt is used until Varnel ends.";
}

std::string NotStartedMessage(const std::string& program, const std::string& cause) {
  return "The emulator could not be started:\n" + program + "\n\n(" + cause + ")";
}

}  // namespace

AppCommands::AppCommands(CSlideshowDlg& window, AppPlatform& platform)
    : window_(window), platform_(platform) {
  window_.SetCommandHandler(kCmdSettings, [this] { OnSettings(); });
  window_.SetCommandHandler(kCmdStartSlideShow, [this] { OnStartSlideShow(); });
  window_.SetCommandHandler(kCmdPlay, [this] { OnPlay(); });
  window_.SetCommandHandler(kCmdAbout, [this] { OnAbout(); });
}

AppCommands::~AppCommands() {
  for (const int command : kCommands) window_.SetCommandHandler(command, nullptr);
}

void AppCommands::OnSettings() {
  std::string shown = window_.emulatorPath();
  bool suggested = false;
  if (shown.empty()) {
    shown = FindEmulator(platform_.SearchPlacesForEmulators());
    suggested = !shown.empty();
  }
  const std::optional<std::string> location = platform_.RunSettingsDialog(shown, suggested);
  if (location) KeepEmulatorLocation(*location);
}

void AppCommands::OnStartSlideShow() {
  const EmulatorSearchPlaces places = platform_.SearchPlacesForEmulators();
  if (window_.emulatorPath().empty() && !foundEmulatorOffered_) {
    if (const std::string found = FindEmulator(places); !found.empty()) {
      foundEmulatorOffered_ = true;
      if (!platform_.AskYesNo(FoundEmulatorQuestion(found))) return;
      KeepEmulatorLocation(found);
    }
  }
  const std::string& location = window_.emulatorPath();
  if (!EmulatorLocationMatches(location)) {
    if (platform_.ShowNoEmulatorMessageOfferingPlay(kNoEmulatorMessage)) OnPlay();
    return;
  }
  const EmulatorCommand command =
      MakeEmulatorCommand(location, window_.workDirectory(), places.coreFolders);
  try {
    platform_.StartDetachedProcess(command.program, command.arguments);
  } catch (const std::exception& error) {
    window_.ShowMessage(NotStartedMessage(location, error.what()), MessageBoxIcon::kExclamation);
  }
}

void AppCommands::OnPlay() {
  // A box holding more than it may has told the user and holds the focus.
  if (!window_.UpdateData(true)) return;
  if (window_.RowCount() == 0) {
    window_.ShowMessage(kNothingToPlayMessage, MessageBoxIcon::kInformation);
    return;
  }
  std::string image;
  try {
    image = playerImage_.Path();
  } catch (const std::exception& error) {
    window_.ShowMessage(error.what(), MessageBoxIcon::kStop);
    return;
  }
  // The builder has said why it made no show; an open player plays on the one it has.
  window_.BuildForPlayer(image, [this, image](bool rebuilt) { ShowPlayer(image, rebuilt); });
}

void AppCommands::ShowPlayer(const std::string& image, bool rebuilt) {
  try {
    platform_.ShowPlayer(image, rebuilt);
  } catch (const std::exception& error) {
    window_.ShowMessage(error.what(), MessageBoxIcon::kStop);
  }
}

void AppCommands::KeepEmulatorLocation(const std::string& location) {
  window_.SetEmulatorPath(location);
  try {
    platform_.WriteProfileString(kProfileSection, kProfileEmulatorKey, location);
  } catch (const FileError& error) {
    window_.ShowMessage(NotStoredMessage(error), MessageBoxIcon::kExclamation);
  }
}

void AppCommands::OnAbout() {
  platform_.RunAboutDialog();
}

}  // namespace varnel
