#include "app/app_commands.h"

#include <exception>

#include "app/emulator_launch.h"
#include "document/file_error.h"

namespace varnel {

namespace {

constexpr int kCommands[] = {kCmdSettings, kCmdStartSlideShow, kCmdAbout};

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
  window_.SetCommandHandler(kCmdAbout, [this] { OnAbout(); });
}

AppCommands::~AppCommands() {
  for (const int command : kCommands) window_.SetCommandHandler(command, nullptr);
}

void AppCommands::OnSettings() {
  const std::optional<std::string> location = platform_.RunSettingsDialog(window_.emulatorPath());
  if (!location) return;
  // The window keeps the new location for this run even when the profile refuses it.
  window_.SetEmulatorPath(*location);
  try {
    platform_.WriteProfileString(kProfileSection, kProfileEmulatorKey, *location);
  } catch (const FileError& error) {
    window_.ShowMessage(NotStoredMessage(error), MessageBoxIcon::kExclamation);
  }
}

void AppCommands::OnStartSlideShow() {
  const std::string& location = window_.emulatorPath();
  if (!EmulatorLocationMatches(location)) {
    window_.ShowMessage(kNoEmulatorMessage, MessageBoxIcon::kExclamation);
    return;
  }
  const EmulatorCommand command = MakeEmulatorCommand(location, window_.workDirectory());
  try {
    platform_.StartDetachedProcess(command.program, command.arguments);
  } catch (const std::exception& error) {
    window_.ShowMessage(NotStartedMessage(location, error.what()), MessageBoxIcon::kExclamation);
  }
}

void AppCommands::OnAbout() {
  platform_.RunAboutDialog();
}

}  // namespace varnel
