// varnel-play: plays a built show on the console emulator, in the player window or, for
// scripts, without one for a number of frames, saving the screen.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "emulator/console_emulator.h"
#include "player/model/play_arguments.h"
#include "player/model/scripted_run.h"
#include "player/qt/player_window.h"

namespace varnel {
namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr const char* kProgramName = "varnel-play";

int RunWithoutWindow(const PlayArguments& arguments) {
  try {
    ConsoleEmulator emulator(arguments.imagePath);
    RunScripted(emulator, *arguments.frames, arguments.presses);
    emulator.SavePng(*arguments.screenshotPath);
    return kExitDone;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", kProgramName, error.what());
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
    std::fprintf(stderr,
                 "%s: no display to open the player window on; run without one with "
                 "--frames N --screenshot OUT.png\n",
                 kProgramName);
    return kExitFailed;
  }
  QApplication application(argc, argv);
  PlayerWindow window;
  std::string error;
  if (!window.Open(arguments.imagePath, error)) {
    std::fprintf(stderr, "%s: %s\n", kProgramName, error.c_str());
    return kExitFailed;
  }
  window.show();
  return application.exec() == 0 ? kExitDone : kExitFailed;
}

}  // namespace
}  // namespace varnel

int main(int argc, char** argv) {
  using namespace varnel;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const PlayArgumentsResult parsed = ParsePlayArguments(arguments);
  if (!parsed.ok()) {
    std::fprintf(stderr, "%s: %s\n(%s --help lists the options)\n", kProgramName,
                 parsed.error.c_str(), kProgramName);
    return kExitUsage;
  }
  if (parsed.arguments.help) {
    std::fputs(PlayUsageText().c_str(), stdout);
    return kExitDone;
  }
  if (parsed.arguments.screenshotPath) return RunWithoutWindow(parsed.arguments);
  return RunWindow(argc, argv, parsed.arguments);
}
