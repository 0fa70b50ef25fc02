#include "files/program_output.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "files/display_text.h"
#include "files/system_error_text.h"

namespace varnel {

namespace {

constexpr int kExitFailed = 1;

void Write(std::FILE* stream, std::string_view text) {
  const std::string shown = DisplayText(text);
  std::fwrite(shown.data(), 1, shown.size(), stream);
}

}  // namespace

void SayOnStandardError(std::string_view program, std::string_view message) {
  Write(stderr, std::string(program) + ": " + std::string(message) + "\n");
}

void WriteToStandardOutput(std::string_view text) {
  Write(stdout, text);
}

int StatusAfterStandardOutput(std::string_view program, int status) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0 && !std::ferror(stdout);
  const int cause = errno;
  // Closing is what reports the last failure of some descriptors (NFS, pipes closed early).
  const bool closed = std::fclose(stdout) == 0;
  if (flushed && closed) return status;
  const int reason = flushed ? errno : cause;
  SayOnStandardError(program, std::string("could not write to standard output") +
                                  (reason != 0 ? std::string(": ") + SystemErrorText(reason) : ""));
  return kExitFailed;
}

}  // namespace varnel
