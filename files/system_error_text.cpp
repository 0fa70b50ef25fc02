#include "files/system_error_text.h"

#include <cstring>

namespace varnel {

namespace {

// strerror_r comes in two forms: the GNU one returns the text (in the buffer or a static
// string), the POSIX one fills the buffer and returns 0 on success.
[[maybe_unused]] std::string TextOf(const char* text, const char*) {
  return text;
}

[[maybe_unused]] std::string TextOf(int result, const char* buffer) {
  return result == 0 ? std::string(buffer) : std::string();
}

}  // namespace

std::string SystemErrorText(int error) {
  char buffer[256] = {};
  std::string text = TextOf(::strerror_r(error, buffer, sizeof buffer), buffer);
  return text.empty() ? "Unknown error " + std::to_string(error) : text;
}

}  // namespace varnel
