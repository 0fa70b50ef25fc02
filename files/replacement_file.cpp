#include "files/replacement_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "files/display_text.h"
#include "files/file_error.h"
#include "files/partial_files.h"

namespace varnel {

namespace fs = std::filesystem;

namespace {

// As the kernel counts them: more links in a row than this are a loop.
constexpr int kMaxLinkHops = 40;
constexpr std::size_t kCopyBlock = 1 << 16;

fs::path DirectoryOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The file a chain of symbolic links ends at, which need not exist yet: writing through
// a link whose file is still to be made makes that file, as cp does, rather than putting
// a file in the link's place.
std::string FollowLinks(const std::string& path) {
  fs::path current = path;
  for (int hops = 0; hops < kMaxLinkHops; ++hops) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(current, error))) return current.string();
    const fs::path next = fs::read_symlink(current, error);
    if (error) return current.string();
    current = next.is_absolute() ? next : DirectoryOf(current) / next;
  }
  throw FileError::FromErrno(path, "write", ELOOP);
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

// Linking an unnamed file in goes through its /proc entry.
bool CanLinkUnnamedFiles() {
  return ::access("/proc/self/fd", X_OK) == 0;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// 0, or the errno of the failure.
int ReadWhole(int fd, std::vector<uint8_t>& bytes) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return errno;
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::pread(fd, bytes.data() + done, bytes.size() - done, done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return 0;
}

int WriteWhole(int fd, const uint8_t* bytes, std::size_t count, uint64_t at) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t put = ::pwrite(fd, bytes + done, count - done, static_cast<off_t>(at + done));
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return errno;
    if (put == 0) return ENOSPC;
    done += static_cast<std::size_t>(put);
  }
  return 0;
}

// Copies `length` bytes of `from` over the start of `to`, cuts `to` to that length and
// puts it on disk; 0, or the errno of the failure.
int CopyOver(int from, int to, uint64_t length) {
  std::vector<uint8_t> block(kCopyBlock);
  for (uint64_t at = 0; at < length;) {
    const std::size_t want = static_cast<std::size_t>(std::min<uint64_t>(kCopyBlock, length - at));
    const ssize_t got = ::pread(from, block.data(), want, static_cast<off_t>(at));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got < 0 ? errno : EIO;
    if (const int failure = WriteWhole(to, block.data(), static_cast<std::size_t>(got), at))
      return failure;
    at += static_cast<uint64_t>(got);
  }
  if (::ftruncate(to, static_cast<off_t>(length)) != 0) return errno;
  if (::fsync(to) != 0 && errno != EINVAL) return errno;
  return 0;
}

}  // namespace

ReplacementFile::ReplacementFile(const std::string& target, InPlaceFallback fallback)
    : target_(FollowLinks(target)) {
  std::error_code error;
  const fs::file_status status = fs::status(target_, error);
  if (fs::exists(status)) {
    if (fs::is_directory(status)) throw FileError::FromErrno(target, "write", EISDIR);
    if (fs::is_character_file(status)) {
      file_.emplace(BinaryFile::Create(target_));
      way_ = Way::kDirect;
      return;
    }
    if (!fs::is_regular_file(status)) {
      const std::string cause = "it is not an ordinary file";
      throw FileError(target, "Could not write " + DisplayPath(target) + ": " + cause + ".", cause);
    }
    // The replacement keeps the access rights of the file it replaces.
    targetMode_ = static_cast<unsigned>(status.permissions() & fs::perms::mask);
  }
  CreateBesideTarget(target, fallback);
}

void ReplacementFile::CreateBesideTarget(const std::string& shownTarget, InPlaceFallback fallback) {
  RemoveLeftoverPartialFiles(DirectoryOf(target_));
  int cause = 0;
  if (TryUnnamed(cause) || TryNamedBeside(cause)) {
    if (targetMode_) ::fchmod(file_->descriptor(), *targetMode_);
    return;
  }
  // A folder that takes no new file, holding a file that may be written: written in place.
  if (fallback == InPlaceFallback::kWriteInPlace && IsFolderRefusal(cause) &&
      ::access(target_.c_str(), W_OK) == 0) {
    StartInPlace();
    return;
  }
  throw FileError::FromErrno(shownTarget, "write", cause);
}

bool ReplacementFile::TryUnnamed(int& cause) {
  if (!CanLinkUnnamedFiles()) return false;
  const int fd = ::open(DirectoryOf(target_).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0644);
  if (fd < 0) {
    cause = errno;
    return false;
  }
  way_ = Way::kUnnamed;
  shownName_ = target_;
  file_.emplace(BinaryFile::AdoptForWriting(shownName_, fd));
  // Nothing to remove on a signal, but a file size limit must fail the write, not end
  // the process.
  guard_.emplace("");
  return true;
}

bool ReplacementFile::TryNamedBeside(int& cause) {
  partPath_ = UnusedPartialPath(target_);
  guard_.emplace(partPath_);
  const int fd = CreatePartialFile(partPath_);
  if (fd < 0) {
    cause = errno;
    guard_.reset();
    partPath_.clear();
    return false;
  }
  way_ = Way::kNamedBeside;
  shownName_ = partPath_;
  file_.emplace(BinaryFile::AdoptForWriting(partPath_, fd));
  return true;
}

void ReplacementFile::StartInPlace() {
  const int fd = ::memfd_create("varnel-in-place", MFD_CLOEXEC);
  if (fd < 0) throw FileError::FromErrno(target_, "write", errno);
  way_ = Way::kInPlace;
  shownName_ = target_;
  file_.emplace(BinaryFile::AdoptForWriting(shownName_, fd));
}

ReplacementFile::~ReplacementFile() {
  if (committed_) return;
  file_.reset();
  if (!partPath_.empty()) ::unlink(partPath_.c_str());
}

bool ReplacementFile::IsAboutNewFile(const FileError& error) const {
  return way_ != Way::kDirect && error.path() == shownName_;
}

void ReplacementFile::Commit() {
  switch (way_) {
    case Way::kUnnamed:
      CommitUnnamed();
      break;
    case Way::kNamedBeside:
      CommitNamedBeside();
      break;
    case Way::kInPlace:
      CommitInPlace();
      break;
    case Way::kDirect:
      file_->Flush(true);
      file_->Close();
      break;
  }
  committed_ = true;
  guard_.reset();
}

void ReplacementFile::GiveNewFileTheTargetsName(const std::string& from) {
  if (::rename(from.c_str(), target_.c_str()) != 0)
    throw FileError::FromErrno(target_, "replace", errno);
  partPath_.clear();
  SyncDirectory(DirectoryOf(target_));
}

void ReplacementFile::CommitNamedBeside() {
  file_->Flush(true);
  file_->Close();
  GiveNewFileTheTargetsName(partPath_);
}

// The unnamed file gets a short hidden name for the moment between linking it in and
// renaming it over the target: a file cannot be linked over another.
void ReplacementFile::CommitUnnamed() {
  file_->Flush(true);
  const std::string linked = UnusedPartialPath(target_);
  guard_.emplace(linked);
  const std::string self = "/proc/self/fd/" + std::to_string(file_->descriptor());
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, linked.c_str(), AT_SYMLINK_FOLLOW) != 0)
    throw FileError::FromErrno(target_, "write", errno);
  partPath_ = linked;
  GiveNewFileTheTargetsName(linked);
  file_->Close();
}

// The new bytes wait in memory. The old file's bytes are kept too, and the new length is
// reserved on disk before the first byte changes: a full disk then refuses the save with
// the old file whole, and a write that fails all the same puts the old bytes back.
void ReplacementFile::CommitInPlace() {
  file_->Flush();
  const uint64_t length = file_->Length();
  const UnfinishedFileGuard sizeLimitReported("");
  const Descriptor out(::open(target_.c_str(), O_RDWR | O_CLOEXEC));
  if (out.get() < 0) throw FileError::FromErrno(target_, "write", errno);
  std::vector<uint8_t> old;
  if (const int failure = ReadWhole(out.get(), old))
    throw FileError::FromErrno(target_, "read", failure);
  if (length > old.size()) {
    const int reserved = ::posix_fallocate(out.get(), 0, static_cast<off_t>(length));
    // A file system that cannot reserve is written all the same, the old bytes at hand.
    if (reserved != 0 && reserved != EINVAL && reserved != EOPNOTSUPP) {
      ::ftruncate(out.get(), static_cast<off_t>(old.size()));
      throw FileError::FromErrno(target_, "write", reserved);
    }
  }
  if (const int failure = CopyOver(file_->descriptor(), out.get(), length)) {
    targetDamaged_ = WriteWhole(out.get(), old.data(), old.size(), 0) != 0 ||
                     ::ftruncate(out.get(), static_cast<off_t>(old.size())) != 0 ||
                     ::fsync(out.get()) != 0;
    throw FileError::FromErrno(target_, "write", failure);
  }
  file_->Close();
}

}  // namespace varnel
