#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnel {

// A file a build reads, with what it is to the build ("the viewer program", "the
// picture", "the project file") for the message.
struct BuildInput {
  std::string role;
  std::string path;
};

// The message that refuses a build whose image would be written over one of its own
// inputs, or nothing when the image is another file. Files are compared by device and
// inode after following links, so another name, a hard link or a symbolic link for the
// same file is caught; an image that does not exist yet is no input.
std::optional<std::string> OutputOverwritesInput(const std::string& outputPath,
                                                 const std::vector<BuildInput>& inputs);

}  // namespace varnel
