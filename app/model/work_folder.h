#pragma once

#include <filesystem>
#include <string>

namespace varnel {

// Where the editor keeps its working files (the built image and the temporary pictures).
// A desktop starts programs in the user's home folder (or the root) with no terminal; the
// editor then works in a folder of its own there instead of scattering files over home.
struct WorkFolderChoice {
  std::filesystem::path folder;  // empty: stay in the current directory
  std::string problem;           // why the own folder could not be made, for the user
};

// The folder name under home: ~/Varnel.
inline constexpr const char* kOwnWorkFolderName = "Varnel";

// Decides from the current directory, the home folder and whether a terminal started the
// program; makes the own folder when it is chosen and missing.
WorkFolderChoice ChooseWorkFolder(const std::filesystem::path& current,
                                  const std::filesystem::path& home, bool startedFromTerminal);

// Applies the choice for this process: changes into the own folder when one was chosen.
// Returns the problem to tell the user, empty when there is none.
std::string EnterWorkFolder();

}  // namespace varnel
