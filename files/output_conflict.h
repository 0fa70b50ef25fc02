#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnel {

// A file a program reads or writes, with what it is to the program ("the viewer
// program", "the picture", "the image", "the screenshot") for messages.
struct RoleFile {
  std::string role;
  std::string path;
};

// The message that refuses writing `output` because it is one of `inputs`, or nothing
// when it is another file. Files are compared by device and inode after following links,
// so another name, a hard link or a symbolic link for the same file is caught; an output
// that does not exist yet is no input. Every output of a program is checked against all
// of its inputs, those that failed to load too, before anything is written.
std::optional<std::string> OutputOverwritesInput(const RoleFile& output,
                                                 const std::vector<RoleFile>& inputs);

}  // namespace varnel
