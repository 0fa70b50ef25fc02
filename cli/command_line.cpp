#include "cli/command_line.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <string_view>

#include "document/caption_characters.h"
#include "document/label_tables.h"
#include "document/picture_entry.h"
#include "files/display_text.h"
#include "project/project_file_name.h"

namespace varnel::cli {

namespace {

// The limits the editor's boxes enforce, so a show built here could be typed there.
constexpr int kMaxIntroCount = 99;
constexpr int kMaxSeconds = 60;
constexpr int kMaxJobs = 64;

std::optional<int> ParseWholeNumber(const std::string& text, int lowest, int highest) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || at != end || text.empty()) return std::nullopt;
  if (value < lowest || value > highest) return std::nullopt;
  return value;
}

std::string RangeError(const std::string& option, const std::string& value, int lowest,
                       int highest) {
  return option + " takes a whole number from " + std::to_string(lowest) + " to " +
         std::to_string(highest) + ", not '" + DisplayPath(value) + "'";
}

// A long option and the value given with it, as in --effect=5: the name before the first
// '=' and what follows it.
struct SplitOption {
  std::string name;
  std::optional<std::string> value;
};

SplitOption SplitLongOption(const std::string& arg) {
  const std::size_t equals = arg.find('=');
  if (!arg.starts_with("--") || equals == std::string::npos) return {arg, std::nullopt};
  return {arg.substr(0, equals), arg.substr(equals + 1)};
}

// The on/off options of the show: each has both forms, --NAME and --no-NAME, so that a
// project's setting can be turned either way. The overrides are turned on by giving
// their index (--sizing-override N), off by their --no- form.
struct Switch {
  std::string_view name;
  std::optional<int> GeneralOptionChanges::*change;
  bool onTakesIndex = false;
};

constexpr Switch kSwitches[] = {
    {"time-limit", &GeneralOptionChanges::timeLimit},
    {"key-use", &GeneralOptionChanges::keyUse},
    {"help-screen", &GeneralOptionChanges::helpScreen},
    {"thumbnails", &GeneralOptionChanges::thumbnails},
    {"text-display", &GeneralOptionChanges::textDisplay},
    {"sizing-override", &GeneralOptionChanges::sizingOverride, true},
    {"effect-override", &GeneralOptionChanges::effectOverride, true},
};

// Sets the switch an option names by either form: true when it named one.
bool SetSwitch(std::string_view option, GeneralOptionChanges& changes) {
  if (!option.starts_with("--")) return false;
  option.remove_prefix(2);
  const bool off = option.starts_with("no-");
  if (off) option.remove_prefix(3);
  for (const Switch& entry : kSwitches) {
    if (option != entry.name || (!off && entry.onTakesIndex)) continue;
    changes.*entry.change = off ? 0 : 1;
    return true;
  }
  return false;
}

// Decodes one UTF-8 sequence at text[i]; -1 for a malformed one.
long DecodeUtf8(const std::string& text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return text[i++];
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (extra < 0) return -1;
  long value = lead & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    if (i + k >= text.size() || (byte(i + k) & 0xC0) != 0x80) return -1;
    value = (value << 6) | (byte(i + k) & 0x3F);
  }
  i += static_cast<std::size_t>(extra) + 1;
  return value;
}

// A project file by its name: ".vrn" in any case (UP.VRN too), with a name before it.
bool HasProjectExtension(const std::string& arg) {
  const std::size_t suffix = kProjectExtension.size() + 1;
  if (arg.size() <= suffix || arg[arg.size() - suffix] != '.') return false;
  const std::string_view end = std::string_view(arg).substr(arg.size() - kProjectExtension.size());
  return std::equal(end.begin(), end.end(), kProjectExtension.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

// The values of --fit and --default-fit, by fit index.
constexpr std::array<std::string_view, 3> kFitArguments = {"stretch", "whole", "fill"};

}  // namespace

std::optional<int> FitOfArgument(const std::string& value) {
  for (std::size_t i = 0; i < kFitArguments.size(); ++i)
    if (value == kFitArguments[i]) return static_cast<int>(i);
  return std::nullopt;
}

int FitOfPicture(const PictureArgument& picture, const CommandLine& line) {
  return picture.fit.value_or(line.defaultFit.value_or(kFitStretch));
}

void GeneralOptionChanges::ApplyTo(SlideshowOptions& options) const {
  if (introCountText) options.introCountText = *introCountText;
  if (secondsText) options.secondsText = *secondsText;
  if (timeLimit) options.timeLimit = *timeLimit;
  if (keyUse) options.keyUse = *keyUse;
  if (helpScreen) options.helpScreen = *helpScreen;
  if (thumbnails) options.thumbnails = *thumbnails;
  if (textDisplay) options.textDisplay = *textDisplay;
  if (sizingOverrideIndex) options.sizingOverrideIndex = *sizingOverrideIndex;
  if (sizingOverride) options.sizingOverride = *sizingOverride;
  if (effectOverrideIndex) options.effectOverrideIndex = *effectOverrideIndex;
  if (effectOverride) options.effectOverride = *effectOverride;
}

std::optional<std::string> CaptionFromArgument(const std::string& utf8, std::string& reason) {
  std::string latin1;
  for (std::size_t i = 0; i < utf8.size();) {
    const long c = DecodeUtf8(utf8, i);
    if (c < 0) {
      reason = "it is not valid UTF-8 text";
      return std::nullopt;
    }
    if (!IsCaptionCharacter(static_cast<char32_t>(c))) {
      reason = NotInConsoleFontMessage(static_cast<char32_t>(c));
      return std::nullopt;
    }
    if (c == '\n' && (latin1.empty() || latin1.back() != '\r')) latin1.push_back('\r');
    latin1.push_back(static_cast<char>(c));
  }
  if (latin1.size() > kCaptionLimit) {
    reason = "it is " + std::to_string(latin1.size()) +
             " characters long (line breaks count "
             "two) and a caption holds at most " +
             std::to_string(kCaptionLimit);
    return std::nullopt;
  }
  return latin1;
}

ParseResult ParseCommandLine(const std::vector<std::string>& arguments) {
  ParseResult result;
  CommandLine& line = result.commandLine;
  PictureArgument next;
  bool pictureOptionsPending = false;

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const auto [arg, given] = SplitLongOption(arguments[i]);
    // Options that take a value read it after their '=' or from the next argument.
    bool valueTaken = false;
    auto value = [&](std::string& out) {
      valueTaken = true;
      if (given) {
        out = *given;
        return true;
      }
      if (i + 1 >= arguments.size()) {
        result.error = arg + " needs a value";
        return false;
      }
      out = arguments[++i];
      return true;
    };
    auto number = [&](int lowest, int highest, int& out) {
      std::string text;
      if (!value(text)) return false;
      const auto parsed = ParseWholeNumber(text, lowest, highest);
      if (!parsed) {
        result.error = RangeError(arg, text, lowest, highest);
        return false;
      }
      out = *parsed;
      return true;
    };
    auto fit = [&](std::optional<int>& out) {
      std::string text;
      if (!value(text)) return false;
      out = FitOfArgument(text);
      if (!out)
        result.error = arg + " takes stretch, whole or fill, not '" + DisplayPath(text) + "'";
      return out.has_value();
    };
    const int lastEffect = static_cast<int>(kEffectLabels.size()) - 1;
    const int lastSizing = static_cast<int>(kSizingLabels.size()) - 1;
    int n = 0;
    std::string text;

    if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--version") {
      line.version = true;
    } else if (arg == "--plan") {
      line.plan = true;
    } else if (arg == "--jobs" || arg == "-j") {
      if (!number(1, kMaxJobs, n)) return result;
      line.jobs = static_cast<unsigned>(n);
    } else if (arg == "--effect") {
      if (!number(0, lastEffect, next.effect)) return result;
      pictureOptionsPending = true;
    } else if (arg == "--sizing") {
      if (!number(0, lastSizing, next.sizing)) return result;
      pictureOptionsPending = true;
    } else if (arg == "--fit") {
      if (!fit(next.fit)) return result;
      pictureOptionsPending = true;
    } else if (arg == "--default-fit") {
      if (!fit(line.defaultFit)) return result;
    } else if (arg == "--caption") {
      if (!value(text)) return result;
      std::string reason;
      const auto caption = CaptionFromArgument(text, reason);
      if (!caption) {
        result.error = "the caption '" + DisplayPath(text) + "' cannot be used: " + reason;
        return result;
      }
      next.caption = *caption;
      pictureOptionsPending = true;
    } else if (arg == "--intro") {
      if (!number(0, kMaxIntroCount, n)) return result;
      line.changes.introCountText = std::to_string(n);
    } else if (arg == "--seconds") {
      if (!number(0, kMaxSeconds, n)) return result;
      line.changes.secondsText = std::to_string(n);
    } else if (SetSwitch(arg, line.changes)) {
    } else if (arg == "--sizing-override") {
      if (!number(0, lastSizing, n)) return result;
      line.changes.sizingOverride = 1;
      line.changes.sizingOverrideIndex = n;
    } else if (arg == "--effect-override") {
      if (!number(0, lastEffect, n)) return result;
      line.changes.effectOverride = 1;
      line.changes.effectOverrideIndex = n;
    } else if (arg == "--template") {
      if (!value(text)) return result;
      line.templatePath = text;
    } else if (arg == "-o" || arg == "--output") {
      if (!value(text)) return result;
      line.outputPath = text;
    } else if (arg == "--save-project") {
      if (!value(text)) return result;
      line.saveProjectPath = text;
    } else if (arg == "--") {
      for (++i; i < arguments.size(); ++i) {
        next.path = arguments[i];
        line.pictures.push_back(next);
        next = {};
      }
      pictureOptionsPending = false;
    } else if (arg.size() > 1 && arg[0] == '-') {
      result.error = "unknown option " + DisplayPath(arg) + " (see --help)";
      return result;
    } else if (HasProjectExtension(arg)) {
      if (line.projectPath) {
        result.error = "only one project file can be built at a time";
        return result;
      }
      line.projectPath = arg;
    } else {
      next.path = arg;
      line.pictures.push_back(next);
      next = {};
      pictureOptionsPending = false;
    }
    if (given && !valueTaken) {
      result.error = arg + " takes no value, not '" + DisplayPath(*given) + "'";
      return result;
    }
  }
  if (line.help || line.version) return result;
  if (pictureOptionsPending) {
    result.error =
        "--effect, --sizing, --fit and --caption apply to the picture named after them, "
        "but no picture follows";
  } else if (line.projectPath && !line.pictures.empty()) {
    result.error = "give either a project file or pictures, not both";
  } else if (!line.projectPath && line.pictures.empty()) {
    result.error = "no pictures given (see --help)";
  }
  return result;
}

std::string UsageText() {
  return R"(Usage: varnel-build [options] PICTURE...
  or:  varnel-build [options] PROJECT.vrn

Builds a Game Boy Advance slideshow image (slide.gba) from pictures in show order, or
from a Varnel project file. Pictures may be BMP, JPEG, GIF or PNG files. An option's
value follows it as the next argument or after '=' (--effect 5 or --effect=5).

Picture options (for the next picture only; each picture otherwise gets effect 0,
sizing 0, the default fit and no caption):
  --effect N           transition effect into this picture, 0-8:
                         0 No Effect, 1 Scroll Up/Down, 2 Scroll Down, 3 Scanlines,
                         4 Scanlines 2 ways, 5 Zoom In, 6 Transparence, 7 FadeIn,
                         8 FadeOut
  --sizing N           versions to make, 0-2: 0 Both, 1 FullSize Only,
                         2 Resized Only (240x160)
  --fit MODE           how the picture fills the 240x160 version and the
                         thumbnail: stretch (to the screen's proportions),
                         whole (the whole picture in proportion, black around
                         it) or fill (the screen filled in proportion, the
                         picture's edges left out)
  --caption TEXT       caption shown over the picture (at most 180 characters the
                         console's font has: printable Latin-1; a line break
                         counts two)

General options (defaults as for a new show; with a project file they replace the
file's values; each on/off option has both forms, so that a project's setting can be
turned either way):
  --intro N            the first N pictures (0-99) are an intro, shown once
  --seconds N          seconds between slides with --time-limit (0-60, default 5)
  --time-limit, --no-time-limit
                       slides change by themselves, or only by key (default)
  --key-use, --no-key-use
                       the shoulder keys change slides (default), or do not
  --help-screen, --no-help-screen
                       a help screen on Start (default), or none
  --thumbnails, --no-thumbnails
                       thumbnails to choose a picture from (default), or none
  --text-display, --no-text-display
                       the captions are shown (default), or left out
  --sizing-override N, --no-sizing-override
                       every picture uses sizing N, or its own (default)
  --effect-override N, --no-effect-override
                       every picture uses effect N, or its own (default)
  --default-fit MODE   the fit of every picture without a --fit of its own
                         (default stretch); with a project file, of every
                         picture it stores with stretch

Files:
  --template FILE      viewer program to build with (default: Src.res in the current
                         directory, else the one installed with Varnel)
  -o, --output FILE    image to write (default: slide.gba in the current directory)
  -j, --jobs N         threads that prepare pictures (1-64; default: one per
                         processor core)
  --plan               write nothing; list each picture's fit, versions and bytes
                         and the image's length, ending "total N bytes of
                         33554432"; exit as the build of the same show would
  --save-project FILE  also save the show as a Varnel project file, to open in the
                         editor (the pictures that loaded, by full path)
  --help               show this text
  --version            show the version

Exit status: 0 when the image was written with everything asked for, 1 when the build
failed (an image already there is left as it was: also when pictures were named but
none could be included, or when standard output could not be written), 2 when the
arguments were not understood, 3 when the image was written but something was left out
(a picture that did not load, a version that could not be made, a project file cut
short); each such thing is named on a line of its own. A picture missing from where a
project file says is looked for where a moved project would have it (its last one to
three folders below the project file's folder) and named where it was found.
)";
}

}  // namespace varnel::cli
