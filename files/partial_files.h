#pragma once

#include <filesystem>
#include <string>

namespace varnel {

// Hidden files that hold a file while it is being written under a name of its own (where
// the file system offers no unnamed files). The name says what the file is to a person
// who finds it and whose process wrote it:
//   .<target's name>.partial-<process id>-<counter>
// or, when that would be longer than a file name may be, .varnel.partial-<pid>-<counter>.
// The writer holds an exclusive lock (flock) on its file for as long as it lives.

// A name beside the target that no file has yet.
std::string UnusedPartialPath(const std::filesystem::path& target);

// Opens a new partial file (O_EXCL) for reading and writing and takes its lock; -1 with
// errno set when it cannot be made.
int CreatePartialFile(const std::string& path);

// Removes the partial files in a folder that a process left behind when it died: only
// those whose process no longer exists and whose lock nobody holds (a writer seen under
// another process id, in another pid namespace, keeps its file). Whatever cannot be
// removed stays; this never fails.
void RemoveLeftoverPartialFiles(const std::filesystem::path& directory);

}  // namespace varnel
