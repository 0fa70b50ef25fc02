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
  kWriteInPlace  // write over the target itself, as a plain save would (project files)
};

// A file written so that the file it replaces stays whole until the new one is
// complete: the bytes go to a new file beside the target, and only once every byte is
// written and on disk does that file take the target's name. A failure at any point, or
// SIGINT, SIGTERM or SIGHUP, leaves the target as it was and removes the new file.
//
// The new file has no name while it is written where the file system allows it
// (O_TMPFILE): a process that is killed leaves nothing behind, and a target of any legal
// length can be replaced. Elsewhere it has a short hidden name that carries the writer's
// process id; such files of processes that no longer exist are removed by the next
// write into their folder.
//
// A target that is a symbolic link is followed, also when its file does not exist yet,
// so the link stays and the file it names is written. A character device (/dev/null,
// /dev/full) cannot be replaced and is written directly.
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
  // Throws FileError when any of that fails; the target is then unchanged, unless
  // targetDamaged() says otherwise.
  void Commit();
  // True when a FileError concerns the new file rather than the target: its message
  // names a hidden file the user never chose, so the caller names the target instead.
  bool IsAboutNewFile(const FileError& error) const;
  // True only after a failed Commit() in place whose target could not be given back its
  // old bytes. Written in place, the new length is reserved on disk before the first byte
  // of the target changes, and the old bytes are put back when writing fails all the
  // same, so this takes an input/output error of the disk itself.
  bool targetDamaged() const { return targetDamaged_; }

 private:
  enum class Way {
    kUnnamed,      // an O_TMPFILE file in the target's folder, linked in by Commit
    kNamedBeside,  // a hidden file beside the target, renamed over it by Commit
    kInPlace,      // the bytes wait in memory; Commit writes them over the target
    kDirect        // a device, written as it is
  };

  void CreateBesideTarget(const std::string& shownTarget, InPlaceFallback fallback);
  bool TryUnnamed(int& cause);
  bool TryNamedBeside(int& cause);
  void StartInPlace();
  void CommitUnnamed();
  void CommitNamedBeside();
  void CommitInPlace();
  void GiveNewFileTheTargetsName(const std::string& from);

  std::string target_;     // with symbolic links followed
  std::string partPath_;   // the named new file beside the target (kNamedBeside)
  std::string shownName_;  // the name the new file's errors carry
  Way way_ = Way::kDirect;
  std::optional<UnfinishedFileGuard> guard_;
  std::optional<BinaryFile> file_;
  std::optional<unsigned> targetMode_;  // access rights of the file being replaced
  bool committed_ = false;
  bool targetDamaged_ = false;
};

}  // namespace varnel
