#pragma once

#include <optional>
#include <string>

#include "files/binary_file.h"
#include "files/file_error.h"
#include "files/unfinished_file_guard.h"

namespace varnel {

// What to do when the folder of the target cannot take a new file but the target itself
// can be written.
enum class InPlaceFallback {
  kRefuse,       // fail: the target must never be seen half-written (built images)
  kWriteInPlace  // write over the target directly, as a plain save would (project files)
};

// A file written so that the file it replaces stays whole until the new one is
// complete: the bytes go to a new file beside the target, and only once every byte is
// written and on disk does that file take the target's name. A failure at any point, or
// SIGINT, SIGTERM or SIGHUP, leaves the target as it was and removes the new file. A
// target that is a symbolic link is followed, so the link stays and its file is
// replaced. A character device (/dev/null, /dev/full) cannot be replaced and is written
// directly.
class ReplacementFile {
 public:
  // Throws FileError, with its cause(), when the new file cannot be made or the target
  // is a folder or another kind of file that cannot be replaced.
  explicit ReplacementFile(const std::string& target,
                           InPlaceFallback fallback = InPlaceFallback::kRefuse);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  BinaryFile& file() { return *file_; }
  // Writes out every byte, puts it on disk and gives the new file the target's name.
  // Throws FileError when any of that fails; the target is then unchanged.
  void Commit();
  // True when a FileError concerns the new file rather than the target: its message
  // names a hidden file the user never chose, so the caller names the target instead.
  bool IsAboutNewFile(const FileError& error) const;

 private:
  void CreateBesideTarget(const std::string& shownTarget, InPlaceFallback fallback);

  std::string target_;    // with symbolic links followed
  std::string partPath_;  // the new file beside the target; empty when writing directly
  std::optional<UnfinishedFileGuard> guard_;
  std::optional<BinaryFile> file_;
  bool committed_ = false;
};

}  // namespace varnel
