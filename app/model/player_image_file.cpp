#include "app/model/player_image_file.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "files/file_error.h"

namespace varnel {

namespace {

std::filesystem::path BaseFolder() {
  // The runtime folder is the user's own and emptied at log-out; the temporary folder is
  // shared, which mkdtemp's mode 0700 and unguessable name answer.
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != 0) {
    std::error_code error;
    if (std::filesystem::is_directory(runtime, error)) return runtime;
  }
  std::error_code error;
  const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
  return error ? std::filesystem::path("/tmp") : temporary;
}

}  // namespace

PlayerImageFile::~PlayerImageFile() {
  if (folder_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

const std::string& PlayerImageFile::Path() {
  if (!path_.empty()) return path_;
  const std::string base = (BaseFolder() / "varnel-play-XXXXXX").string();
  std::string pattern = base;
  if (::mkdtemp(pattern.data()) == nullptr)
    throw FileError::FromErrno(base, "make the player's folder", errno);
  folder_ = pattern;
  path_ = (std::filesystem::path(folder_) / "show.gba").string();
  return path_;
}

}  // namespace varnel
