#include "player/model/play_arguments.h"

#include <charconv>
#include <limits>

#include "files/display_text.h"

namespace varnel {

namespace {

// About 46 hours of the console's time: more than any show needs, and far from overflow.
constexpr int kMaxFrames = 10'000'000;

std::optional<int> FrameNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > kMaxFrames) {
    return std::nullopt;
  }
  return value;
}

std::optional<ScriptedPress> PressFrom(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::optional<int> frame = FrameNumber(text.substr(0, colon));
  const std::optional<ConsoleKey> key = ConsoleKeyNamed(text.substr(colon + 1));
  if (!frame || !key) return std::nullopt;
  return ScriptedPress{*frame, *key};
}

// Checks what the options mean together, once all are read.
std::string Inconsistency(const PlayArguments& arguments) {
  if (arguments.imagePath.empty()) return "no image given";
  if (!arguments.screenshotPath) {
    if (arguments.frames || !arguments.presses.empty())
      return "--frames and --press need --screenshot (without it the player window opens)";
    return "";
  }
  if (!arguments.frames) return "--screenshot needs --frames N";
  for (const ScriptedPress& press : arguments.presses) {
    if (press.frame >= *arguments.frames) {
      return "a press at frame " + std::to_string(press.frame) +
             " comes after the last frame run (--frames " + std::to_string(*arguments.frames) + ")";
    }
  }
  return "";
}

}  // namespace

PlayArgumentsResult ParsePlayArguments(const std::vector<std::string>& arguments) {
  PlayArgumentsResult result;
  PlayArguments& parsed = result.arguments;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    // A value follows its option as the next argument or after '=' (--frames=300).
    const std::size_t equals = arguments[i].find('=');
    const bool joined = arguments[i].starts_with("--") && equals != std::string::npos;
    const std::string argument = joined ? arguments[i].substr(0, equals) : arguments[i];
    const bool hasValue = joined || i + 1 < arguments.size();
    if (argument == "--help" || argument == "-h") {
      if (joined) {
        result.error = "--help takes no value";
        return result;
      }
      parsed.help = true;
      return result;
    }
    if (argument == "--frames" || argument == "--press" || argument == "--screenshot") {
      if (!hasValue) {
        result.error = argument + " needs a value";
        return result;
      }
      const std::string value = joined ? arguments[i].substr(equals + 1) : arguments[++i];
      if (argument == "--frames") {
        const std::optional<int> frames = FrameNumber(value);
        if (!frames || *frames == 0) {
          result.error = "--frames takes a number of frames from 1 to " +
                         std::to_string(kMaxFrames) + ", not \"" + DisplayPath(value) + "\"";
          return result;
        }
        parsed.frames = frames;
      } else if (argument == "--press") {
        const std::optional<ScriptedPress> press = PressFrom(value);
        if (!press) {
          result.error =
              "--press takes FRAME:KEY (KEY one of A, B, L, R, Start, Select, Up, "
              "Down, Left, Right), not \"" +
              DisplayPath(value) + "\"";
          return result;
        }
        parsed.presses.push_back(*press);
      } else {
        parsed.screenshotPath = value;
      }
    } else if (argument.size() > 1 && argument[0] == '-') {
      result.error = "unknown option " + DisplayPath(arguments[i]);
      return result;
    } else if (!parsed.imagePath.empty()) {
      result.error = "more than one image given: " + DisplayPath(parsed.imagePath) + " and " +
                     DisplayPath(argument);
      return result;
    } else {
      parsed.imagePath = argument;
    }
  }
  result.error = Inconsistency(parsed);
  return result;
}

std::string PlayUsageText() {
  return "Usage: varnel-play IMAGE [--frames N [--press FRAME:KEY]... --screenshot OUT.png]\n"
         "\n"
         "Plays a built show (slide.gba) on the console emulator.\n"
         "An option's value follows it as the next argument or after '=' (--frames=300).\n"
         "\n"
         "Without --screenshot, opens the player window on IMAGE.\n"
         "With it, runs IMAGE without a window for N frames (59.73 make a second) and\n"
         "writes the screen after the last one as a 240 x 160 PNG file.\n"
         "\n"
         "  --frames N           frames to run, 1 or more\n"
         "  --press FRAME:KEY    holds KEY for a few frames from frame FRAME (0 is the\n"
         "                       first); KEY is A, B, L, R, Start, Select, Up, Down, Left\n"
         "                       or Right; give it once per press\n"
         "  --screenshot OUT.png  where the screen goes\n"
         "  --help               this text\n"
         "\n"
         "Exit status: 0 done, 1 the image did not run, the screenshot was not written or\n"
         "standard output could not be written, 2 arguments not understood.\n";
}

}  // namespace varnel
