// varnel-play: plays a built show on the console emulator, in the player window or, for
// scripts, without one for a number of frames, saving the screen.
#include <QApplication>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "emulator/console_emulator.h"
#include "files/output_conflict.h"
#include "files/program_output.h"
#include "player/model/play_arguments.h"
#include "player/model/scripted_run.h"
#include "player/qt/player_window.h"

namespace varnel {
namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr const char* kProgramName = "varnel-play";

void Say(const std::string& message) {
  SayOnStandardError(kProgramName, message);
}

int RunWithoutWindow(const PlayArguments& arguments) {
  // The screenshot must not take the place of the image it is made from.
  if (const std::optional<std::string> conflict = OutputOverwritesInput(
          {"the screenshot", *arguments.screenshotPath}, {{"the image", arguments.imagePath}})) {
    Say(*conflict);
    return kExitFailed;
  }
  try {
    ConsoleEmulator emulator(arguments.imagePath);
    RunScripted(emulator, *arguments.frames, arguments.presses);
    emulator.SavePng(*arguments.screenshotPath);
    return kExitDone;
  } catch (const std::exception& error) {
    Say(error.what());
    return kExitFailed;
  }
}

bool HaveDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

int RunWindow(int argc, char** argv, const PlayArguments& arguments) {
  if (!HaveDisplay()) {
    Say("no display to open the player window on; run without one with --frames N "
        "--screenshot OUT.png");
    return kExitFailed;
  }
  QApplication application(argc, argv);
  PlayerWindow window;
  std::string error;
  if (!window.Open(arguments.imagePath, error)) {
    Say(error);
    return kExitFailed;
  }
  window.show();
  return application.exec() == 0 ? kExitDone : kExitFailed;
}

int Run(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const PlayArgumentsResult parsed = ParsePlayArguments(arguments);
  if (!parsed.ok()) {
    Say(parsed.error + "\n(" + kProgramName + " --help lists the options)");
    return kExitUsage;
  }
  if (parsed.arguments.help) {
    WriteToStandardOutput(PlayUsageText());
    return kExitDone;
  }
  if (parsed.arguments.screenshotPath) return RunWithoutWindow(parsed.arguments);
  return RunWindow(argc, argv, parsed.arguments);
}

}  // namespace
}  // namespace varnel

int main(int argc, char** argv) {
  const int status = varnel::Run(argc, argv);
  return varnel::StatusAfterStandardOutput(varnel::kProgramName, status);
}
