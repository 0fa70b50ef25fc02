#include "app/model/known_emulators.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

namespace varnel {

namespace {

// Debian installs libretro cores into /usr/lib/<multiarch triplet>/libretro.
#ifndef VARNEL_LIBRARY_ARCHITECTURE
#define VARNEL_LIBRARY_ARCHITECTURE ""
#endif

constexpr const char* kGamesFolder = "/usr/games";
constexpr const char* kRetroArchName = "retroarch";

struct KnownName {
  const char* fileName;
  EmulatorKind kind;
};

// In the order in which a found emulator is offered: mGBA's own programs first, as the
// most faithful, then mednafen, then RetroArch, which shows its menu around the show.
constexpr std::array<KnownName, 5> kKnownNames = {{
    {"mgba-qt", EmulatorKind::kMgba},
    {"mgba", EmulatorKind::kMgba},
    {"mgba-sdl", EmulatorKind::kMgba},
    {"mednafen", EmulatorKind::kMednafen},
    {kRetroArchName, EmulatorKind::kRetroArch},
}};

EmulatorKind KindOfFileName(const std::string& name) {
  for (const KnownName& known : kKnownNames) {
    if (name == known.fileName) return known.kind;
  }
  return EmulatorKind::kOther;
}

bool IsRunnableProgram(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

void AddOnce(std::vector<std::string>& folders, const std::string& folder) {
  if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
    folders.push_back(folder);
  }
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

}  // namespace

EmulatorSearchPlaces SystemEmulatorSearchPlaces(const std::string& searchPath,
                                                const std::string& configHome) {
  EmulatorSearchPlaces places;
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    const std::size_t end = std::min(searchPath.find(':', start), searchPath.size());
    const std::string folder = searchPath.substr(start, end - start);
    if (folder.starts_with('/')) AddOnce(places.programFolders, folder);
    start = end + 1;
  }
  AddOnce(places.programFolders, kGamesFolder);

  if (!configHome.empty()) places.coreFolders.push_back(InFolder(configHome, "retroarch/cores"));
  const std::string architecture = VARNEL_LIBRARY_ARCHITECTURE;
  if (!architecture.empty()) places.coreFolders.push_back("/usr/lib/" + architecture + "/libretro");
  places.coreFolders.push_back("/usr/lib/libretro");
  return places;
}

EmulatorKind KindOfEmulator(const std::string& location) {
  const std::filesystem::path path(location);
  const EmulatorKind kind = KindOfFileName(path.filename().string());
  if (kind != EmulatorKind::kOther) return kind;
  std::error_code error;
  const std::filesystem::path target = std::filesystem::canonical(path, error);
  return error ? kind : KindOfFileName(target.filename().string());
}

std::string FindEmulator(const EmulatorSearchPlaces& places) {
  for (const KnownName& known : kKnownNames) {
    if (known.kind == EmulatorKind::kRetroArch && FindMgbaCore(places.coreFolders).empty()) {
      continue;
    }
    for (const std::string& folder : places.programFolders) {
      const std::string candidate = InFolder(folder, known.fileName);
      if (IsRunnableProgram(candidate)) return candidate;
    }
  }
  return {};
}

std::string FindMgbaCore(const std::vector<std::string>& coreFolders) {
  for (const std::string& folder : coreFolders) {
    const std::string candidate = InFolder(folder, kMgbaCoreFileName);
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return {};
}

}  // namespace varnel
