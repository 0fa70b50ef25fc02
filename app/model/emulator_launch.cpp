#include "app/model/emulator_launch.h"

#include <glob.h>

#include "app/model/known_emulators.h"
#include "builder/build_slideshow.h"

namespace varnel {

namespace {

// glob() gives brackets and backslashes a meaning of their own; a location keeps them as
// plain characters of the name, so only "*" and "?" stay wildcards.
std::string WithOnlyStarAndQuestionMark(const std::string& location) {
  std::string pattern;
  pattern.reserve(location.size());
  for (const char c : location) {
    if (c == '[' || c == ']' || c == '\\') pattern += '\\';
    pattern += c;
  }
  return pattern;
}

}  // namespace

bool EmulatorLocationMatches(const std::string& location) {
  if (location.empty()) return false;
  glob_t found{};
  // GLOB_PERIOD: a wildcard also matches names beginning with a dot.
  const int result = glob(WithOnlyStarAndQuestionMark(location).c_str(), GLOB_NOSORT | GLOB_PERIOD,
                          nullptr, &found);
  const bool matches = result == 0 && found.gl_pathc > 0;
  globfree(&found);
  return matches;
}

std::string FoundEmulatorQuestion(const std::string& found) {
  return "No Gameboy Advance Emulator is set, but Varnel found this one:\n" + found +
         "\n\nStart the SlideShow in it? It is kept under the menu \"File->Settings\".";
}

EmulatorCommand MakeEmulatorCommand(const std::string& location, const std::string& workDirectory,
                                    const std::vector<std::string>& coreFolders) {
  EmulatorCommand command;
  command.program = location.find('/') == std::string::npos ? "./" + location : location;
  const std::string image = DefaultBuildFiles(workDirectory).outputPath;
  switch (KindOfEmulator(location)) {
    case EmulatorKind::kMednafen:
      command.arguments = {"-video.fs", "1", image};
      return command;
    case EmulatorKind::kRetroArch:
      if (const std::string core = FindMgbaCore(coreFolders); !core.empty()) {
        command.arguments = {kEmulatorFullScreenOption, "-L", core, image};
        return command;
      }
      break;
    case EmulatorKind::kMgba:
    case EmulatorKind::kOther:
      break;
  }
  command.arguments = {kEmulatorFullScreenOption, image};
  return command;
}

}  // namespace varnel
