#include "files/file_error.h"

#include <cerrno>

#include "files/display_text.h"
#include "files/system_error_text.h"

namespace varnel {

FileError FileError::FromErrno(const std::string& path, const char* action, int error) {
  const std::string cause = SystemErrorText(error);
  const std::string shown = DisplayPath(path);
  if (error == ENOENT) return FileError(path, shown + " was not found.", cause);
  return FileError(path, std::string("Could not ") + action + " " + shown + ": " + cause + ".",
                   cause);
}

}  // namespace varnel
