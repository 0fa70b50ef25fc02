#include "document/file_error.h"

#include <cerrno>
#include <cstring>

namespace varnel {

FileError FileError::FromErrno(const std::string& path, const char* action, int error) {
  const std::string cause = std::strerror(error);
  if (error == ENOENT) return FileError(path, path + " was not found.", cause);
  return FileError(path, std::string("Could not ") + action + " " + path + ": " + cause + ".",
                   cause);
}

}  // namespace varnel
