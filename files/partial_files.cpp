#include "files/partial_files.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>

namespace varnel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPartialMark = ".partial-";
// The stem of a partial file whose target's name leaves no room for itself.
constexpr std::string_view kShortStem = "varnel";

fs::path DirectoryOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

std::optional<unsigned long> Digits(std::string_view text) {
  unsigned long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The process id in a partial file's name, or nothing when the name is not one of ours.
std::optional<pid_t> WriterOf(std::string_view name) {
  if (name.size() < 2 || name[0] != '.') return std::nullopt;
  const std::size_t mark = name.rfind(kPartialMark);
  if (mark == std::string_view::npos || mark == 0) return std::nullopt;
  const std::string_view numbers = name.substr(mark + kPartialMark.size());
  const std::size_t dash = numbers.find('-');
  if (dash == std::string_view::npos || !Digits(numbers.substr(dash + 1))) return std::nullopt;
  const std::optional<unsigned long> pid = Digits(numbers.substr(0, dash));
  if (!pid || *pid == 0 || *pid > static_cast<unsigned long>(INT_MAX)) return std::nullopt;
  return static_cast<pid_t>(*pid);
}

bool ProcessExists(pid_t pid) {
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

// True when the file is an ordinary file whose lock nobody holds: its writer is gone.
bool Abandoned(int directory, const char* name) {
  const int fd = ::openat(directory, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  const bool abandoned =
      ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return abandoned;
}

}  // namespace

std::string UnusedPartialPath(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const std::string numbers = std::to_string(::getpid()) + "-";
  const fs::path directory = DirectoryOf(target);
  for (;;) {
    const std::string tail = std::string(kPartialMark) + numbers + std::to_string(counter++);
    std::string name = "." + target.filename().string() + tail;
    if (name.size() > NAME_MAX) name = "." + std::string(kShortStem) + tail;
    const std::string candidate = (directory / name).string();
    std::error_code error;
    if (!fs::exists(fs::symlink_status(candidate, error))) return candidate;
  }
}

int CreatePartialFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return -1;
  // The lock tells a later cleaner that this file's writer lives; it goes with the process.
  ::flock(fd, LOCK_EX | LOCK_NB);
  return fd;
}

void RemoveLeftoverPartialFiles(const fs::path& directory) {
  std::error_code error;
  fs::directory_iterator entries(directory, error);
  if (error) return;
  const int directoryFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directoryFd < 0) return;
  for (const fs::directory_entry& entry : entries) {
    const std::string name = entry.path().filename().string();
    const std::optional<pid_t> writer = WriterOf(name);
    if (!writer || *writer == ::getpid() || ProcessExists(*writer)) continue;
    if (Abandoned(directoryFd, name.c_str())) ::unlinkat(directoryFd, name.c_str(), 0);
  }
  ::close(directoryFd);
}

}  // namespace varnel
