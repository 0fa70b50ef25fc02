#pragma once

#include <string>
#include <vector>

namespace varnel {

// The Game Boy Advance emulators Debian packages, which Varnel looks for when no emulator
// is set and starts with the arguments each needs.
enum class EmulatorKind {
  kOther,      // a program Varnel does not know: the usual "-f" and the image
  kMgba,       // mgba-qt, or mgba from the mgba-sdl package: "-f" is full screen
  kMednafen,   // takes settings as "-name value": full screen is "-video.fs 1"
  kRetroArch,  // needs the mGBA core named with "-L"; "-f" is full screen
};

// The file RetroArch loads to emulate the console with mGBA.
inline constexpr const char* kMgbaCoreFileName = "mgba_libretro.so";

// Where to look for emulators and for RetroArch's cores.
struct EmulatorSearchPlaces {
  std::vector<std::string> programFolders;  // in order of preference
  std::vector<std::string> coreFolders;     // in order of preference
  bool operator==(const EmulatorSearchPlaces&) const = default;
};

// This system's places: the folders of the search path (`searchPath`, as in $PATH; entries
// that are not full paths, which would depend on the current directory, are left out),
// then /usr/games, where Debian puts games but which not every user's search path holds.
// Cores: the user's own RetroArch cores under `configHome` (empty: none), then the folders
// Debian's libretro packages install into.
EmulatorSearchPlaces SystemEmulatorSearchPlaces(const std::string& searchPath,
                                                const std::string& configHome);

// Which known emulator a location names, by its file name, or by the name of the file a
// link leads to when the location's own name is not known.
EmulatorKind KindOfEmulator(const std::string& location);

// The full path of the first emulator found: mgba-qt, then mgba, then mednafen, then a
// retroarch for which an mGBA core is found, each looked for in every program folder in
// turn. Only programs the user may run count. Empty when none is there.
std::string FindEmulator(const EmulatorSearchPlaces& places);

// The full path of the first mGBA core among the folders; empty when there is none.
std::string FindMgbaCore(const std::vector<std::string>& coreFolders);

}  // namespace varnel
