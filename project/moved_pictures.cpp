#include "project/moved_pictures.h"

#include <filesystem>
#include <system_error>

namespace varnel {

namespace fs = std::filesystem;

namespace {

// Enough to find a picture in a folder of folders (photos/2024/a.jpg) without guessing
// at files of the same name far from where the project kept them.
constexpr std::size_t kMostComponents = 3;

std::vector<std::string> ComponentsOf(const std::string& path) {
  std::vector<std::string> components;
  std::string current;
  for (const char c : path + '/') {
    if (c != '/' && c != '\\') {
      current += c;
      continue;
    }
    if (!current.empty() && current != ".") components.push_back(current);
    current.clear();
  }
  return components;
}

bool Exists(const std::string& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

bool IsOrdinaryFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

std::optional<std::string> FindMovedPicture(const std::string& storedPath,
                                            const std::string& projectPath) {
  if (storedPath.empty() || Exists(storedPath)) return std::nullopt;
  std::error_code error;
  const fs::path folder = fs::absolute(projectPath, error).parent_path();
  if (error) return std::nullopt;
  const std::vector<std::string> components = ComponentsOf(storedPath);
  for (std::size_t count = std::min(kMostComponents, components.size()); count > 0; --count) {
    fs::path candidate = folder;
    bool below = true;
    for (std::size_t i = components.size() - count; i < components.size(); ++i) {
      below = below && components[i] != "..";
      candidate /= components[i];
    }
    if (below && IsOrdinaryFile(candidate)) return candidate.string();
  }
  return std::nullopt;
}

std::vector<MovedPicture> RelocateMovedPictures(std::vector<StoredPicture>& pictures,
                                                const std::string& projectPath) {
  std::vector<MovedPicture> moved;
  for (StoredPicture& picture : pictures) {
    if (std::optional<std::string> found = FindMovedPicture(picture.path, projectPath)) {
      moved.push_back({picture.path, *found});
      picture.path = std::move(*found);
    }
  }
  return moved;
}

}  // namespace varnel
