#include "project/replacement_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "document/file_error.h"

namespace varnel {

namespace fs = std::filesystem;

namespace {

std::string FollowSymlink(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  const fs::path real = fs::weakly_canonical(path, error);
  return error ? path : real.string();
}

fs::path DirectoryOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// A name beside the target that no file has yet: hidden, and telling what it is when a
// crash leaves it behind.
std::string UnusedPartPath(const fs::path& target) {
  const std::string stem =
      (DirectoryOf(target) / ("." + target.filename().string() + ".saving-")).string() +
      std::to_string(::getpid()) + "-";
  for (int attempt = 0;; ++attempt) {
    std::string candidate = stem + std::to_string(attempt);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(candidate, error))) return candidate;
  }
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail
// a save whose file is already complete.
void SyncDirectory(const fs::path& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

ReplacementFile::ReplacementFile(const std::string& target) : target_(FollowSymlink(target)) {
  std::error_code error;
  const fs::file_status status = fs::status(target_, error);
  if (fs::exists(status)) {
    if (fs::is_directory(status)) throw FileError::FromErrno(target, "save", EISDIR);
    if (fs::is_character_file(status)) {
      file_.emplace(BinaryFile::Create(target_));
      return;
    }
    if (!fs::is_regular_file(status)) {
      const std::string cause = "it is not an ordinary file";
      throw FileError(target, "Could not save " + target + ": " + cause + ".", cause);
    }
  }
  partPath_ = UnusedPartPath(target_);
  file_.emplace(BinaryFile::Create(partPath_));
  // The replacement keeps the access rights of the file it replaces.
  if (fs::is_regular_file(status)) fs::permissions(partPath_, status.permissions(), error);
}

ReplacementFile::~ReplacementFile() {
  if (committed_ || partPath_.empty()) return;
  file_.reset();
  ::unlink(partPath_.c_str());
}

void ReplacementFile::Commit() {
  file_->Flush(true);
  file_->Close();
  if (!partPath_.empty()) {
    if (::rename(partPath_.c_str(), target_.c_str()) != 0)
      throw FileError::FromErrno(target_, "replace", errno);
    SyncDirectory(DirectoryOf(target_));
  }
  committed_ = true;
}

}  // namespace varnel
