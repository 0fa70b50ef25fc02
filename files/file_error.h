#pragma once

#include <stdexcept>
#include <string>

namespace varnel {

// A read, write or open failure of a file the user's work depends on. what() is the
// message for the user; it names the file and the cause.
class FileError : public std::runtime_error {
 public:
  FileError(std::string path, const std::string& message, std::string cause = {})
      : std::runtime_error(message), path_(std::move(path)), cause_(std::move(cause)) {}
  const std::string& path() const { return path_; }
  // The system's words for the cause ("No space left on device"), empty when unknown;
  // lets a caller name another file than the one that failed (a save's temporary file).
  const std::string& cause() const { return cause_; }

  // A message from an errno value: "%1 was not found." for a missing file, else the
  // action, the path and the system's words for the cause.
  static FileError FromErrno(const std::string& path, const char* action, int error);

 private:
  std::string path_;
  std::string cause_;
};

}  // namespace varnel
