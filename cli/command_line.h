#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/slideshow_options.h"

namespace varnel::cli {

// One picture named on the command line with the picture options given right before it.
struct PictureArgument {
  std::string path;
  int sizing = 0;
  int effect = 0;
  std::string caption;     // Latin-1 bytes, line breaks as CR LF like the editor's caption box
  std::optional<int> fit;  // --fit; without it the picture takes --default-fit, else Stretch
};

// General options given on the command line; each one that is set replaces the value of
// the defaults (or of a project file).
struct GeneralOptionChanges {
  std::optional<std::string> introCountText;
  std::optional<std::string> secondsText;
  std::optional<int> timeLimit;
  std::optional<int> keyUse;
  std::optional<int> helpScreen;
  std::optional<int> thumbnails;
  std::optional<int> textDisplay;
  std::optional<int> sizingOverride;
  std::optional<int> sizingOverrideIndex;
  std::optional<int> effectOverride;
  std::optional<int> effectOverrideIndex;

  void ApplyTo(SlideshowOptions& options) const;
};

struct CommandLine {
  std::vector<PictureArgument> pictures;
  std::optional<std::string> projectPath;  // a .vrn given in place of the pictures
  GeneralOptionChanges changes;
  std::optional<std::string> templatePath;
  std::optional<std::string> outputPath;
  // --default-fit: the fit of every picture without a --fit of its own, and of every
  // picture a project stores as stretched.
  std::optional<int> defaultFit;
  unsigned jobs = 0;  // threads preparing pictures; 0: one per processor core
  bool plan = false;  // print what the image would hold instead of building it
  std::optional<std::string> saveProjectPath;  // the show written as a .vrn project too
  bool help = false;
  bool version = false;
};

struct ParseResult {
  CommandLine commandLine;
  std::string error;  // empty when the arguments were understood
  bool ok() const { return error.empty(); }
};

ParseResult ParseCommandLine(const std::vector<std::string>& arguments);

// The fit a --fit or --default-fit value names ("stretch", "whole", "fill").
std::optional<int> FitOfArgument(const std::string& value);
// The fit a picture named on the command line gets.
int FitOfPicture(const PictureArgument& picture, const CommandLine& line);

// The text of --help.
std::string UsageText();

// A caption from the command line (UTF-8) as the editor holds it: Latin-1 bytes, every
// line break as CR LF. Empty optional with a reason when it cannot be held.
std::optional<std::string> CaptionFromArgument(const std::string& utf8, std::string& reason);

}  // namespace varnel::cli
