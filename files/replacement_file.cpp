#include "files/replacement_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "files/display_text.h"
#include "files/file_error.h"

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
// crash leaves it behind. The process id keeps two programs writing in one folder apart.
std::string UnusedPartPath(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const std::string stem =
      (DirectoryOf(target) / ("." + target.filename().string() + ".partial-")).string() +
      std::to_string(::getpid()) + "-";
  for (;;) {
    std::string candidate = stem + std::to_string(counter++);
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

bool IsFolderRefusal(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

}  // namespace

ReplacementFile::ReplacementFile(const std::string& target, InPlaceFallback fallback)
    : target_(FollowSymlink(target)) {
  std::error_code error;
  const fs::file_status status = fs::status(target_, error);
  if (fs::exists(status)) {
    if (fs::is_directory(status)) throw FileError::FromErrno(target, "write", EISDIR);
    if (fs::is_character_file(status)) {
      file_.emplace(BinaryFile::Create(target_));
      return;
    }
    if (!fs::is_regular_file(status)) {
      const std::string cause = "it is not an ordinary file";
      throw FileError(target, "Could not write " + DisplayPath(target) + ": " + cause + ".", cause);
    }
  }
  CreateBesideTarget(target, fallback);
  // The replacement keeps the access rights of the file it replaces.
  if (!partPath_.empty() && fs::is_regular_file(status))
    fs::permissions(partPath_, status.permissions(), error);
}

void ReplacementFile::CreateBesideTarget(const std::string& shownTarget, InPlaceFallback fallback) {
  partPath_ = UnusedPartPath(target_);
  guard_.emplace(partPath_);
  const int fd = ::open(partPath_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd >= 0) {
    ::close(fd);
    try {
      file_.emplace(BinaryFile::Create(partPath_));
    } catch (...) {
      ::unlink(partPath_.c_str());
      throw;
    }
    return;
  }
  const int cause = errno;
  partPath_.clear();
  guard_.reset();
  // A folder that takes no new file, holding a file that may be written: the old way.
  if (fallback == InPlaceFallback::kWriteInPlace && IsFolderRefusal(cause) &&
      ::access(target_.c_str(), W_OK) == 0) {
    file_.emplace(BinaryFile::Create(target_));
    return;
  }
  throw FileError::FromErrno(shownTarget, "write", cause);
}

ReplacementFile::~ReplacementFile() {
  if (committed_ || partPath_.empty()) return;
  file_.reset();
  ::unlink(partPath_.c_str());
}

bool ReplacementFile::IsAboutNewFile(const FileError& error) const {
  return !partPath_.empty() && error.path() == partPath_;
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
  guard_.reset();
}

}  // namespace varnel
