#include "files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/display_text.h"
#include "files/file_error.h"

namespace varnel {

namespace {

constexpr const char* kNotOrdinaryCause = "it is not an ordinary file";

[[noreturn]] void ThrowAfterClosing(int fd, FileError error) {
  ::close(fd);
  throw error;
}

}  // namespace

int OpenRegularFileForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw FileError::FromErrno(path, "open", errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0) ThrowAfterClosing(fd, FileError::FromErrno(path, "read", errno));
  if (S_ISDIR(info.st_mode)) ThrowAfterClosing(fd, FileError::FromErrno(path, "read", EISDIR));
  if (!S_ISREG(info.st_mode))
    ThrowAfterClosing(
        fd, FileError(path, "Could not read " + DisplayPath(path) + ": " + kNotOrdinaryCause + ".",
                      kNotOrdinaryCause));
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
    ThrowAfterClosing(fd, FileError::FromErrno(path, "read", errno));
  return fd;
}

}  // namespace varnel
