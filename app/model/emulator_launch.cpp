#include "app/model/emulator_launch.h"

#include <glob.h>

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

EmulatorCommand MakeEmulatorCommand(const std::string& location, const std::string& workDirectory) {
  EmulatorCommand command;
  command.program = location.find('/') == std::string::npos ? "./" + location : location;
  command.arguments = {kEmulatorFullScreenOption, DefaultBuildFiles(workDirectory).outputPath};
  return command;
}

}  // namespace varnel
