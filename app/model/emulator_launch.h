#pragma once

#include <string>
#include <vector>

namespace varnel {

// Shown when Start SlideShow finds no emulator at the stored location.
inline constexpr const char* kNoEmulatorMessage =
    "Before trying to see your SlideShow,\n"
    "please specify the location of your Gameboy Advance Emulator\n"
    "\n"
    "(Under the menu \"File->Settings\")";

// The emulator's option that comes before the image: full screen in the usual emulators.
inline constexpr const char* kEmulatorFullScreenOption = "-f";

// No emulator is set, but one was found: Start SlideShow asks whether to use it.
std::string FoundEmulatorQuestion(const std::string& found);

// Whether the emulator location names something that exists. The location is a search
// pattern: "*" and "?" are wildcards within a name, every other character stands for
// itself, and it passes when at least one file or directory matches. An empty location
// never passes.
bool EmulatorLocationMatches(const std::string& location);

// The program and the arguments that play the built show.
struct EmulatorCommand {
  std::string program;
  std::vector<std::string> arguments;
  bool operator==(const EmulatorCommand&) const = default;
};

// The emulator at `location` on the image the builder writes in `workDirectory` (which
// ends with a separator), each argument handed over whole, blanks and all. A program Varnel
// does not know gets "-f" and the image's full path; a known emulator gets the arguments
// that start it full screen on the image (see EmulatorKind), RetroArch with the first mGBA
// core among `coreFolders` (without one it is treated as a program Varnel does not know).
// A location without a directory names a file in the current directory, as the check
// found it, never one found along the search path.
EmulatorCommand MakeEmulatorCommand(const std::string& location, const std::string& workDirectory,
                                    const std::vector<std::string>& coreFolders);

}  // namespace varnel
