#pragma once

#include <optional>
#include <string>
#include <vector>

#include "emulator/console_keys.h"

namespace varnel {

// A key held for a few frames, starting before frame `frame` runs (frames count from 0).
struct ScriptedPress {
  int frame = 0;
  ConsoleKey key = kButtonA;
  bool operator==(const ScriptedPress&) const = default;
};

// What varnel-play is asked to do: run IMAGE headless for `frames` frames and save the
// screen, or, without a screenshot, open the player window on IMAGE.
struct PlayArguments {
  std::string imagePath;
  std::optional<int> frames;
  std::vector<ScriptedPress> presses;
  std::optional<std::string> screenshotPath;
  bool help = false;
};

struct PlayArgumentsResult {
  PlayArguments arguments;
  std::string error;  // empty when the arguments were understood
  bool ok() const { return error.empty(); }
};

PlayArgumentsResult ParsePlayArguments(const std::vector<std::string>& arguments);

// The text of --help.
std::string PlayUsageText();

}  // namespace varnel
