#include "builder/output_conflict.h"

#include <sys/stat.h>

#include "files/display_text.h"

namespace varnel {

namespace {

struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{info.st_dev, info.st_ino};
}

}  // namespace

std::optional<std::string> OutputOverwritesInput(const std::string& outputPath,
                                                 const std::vector<BuildInput>& inputs) {
  const std::optional<FileIdentity> output = IdentityOf(outputPath);
  if (!output) return std::nullopt;
  for (const BuildInput& input : inputs) {
    if (IdentityOf(input.path) != output) continue;
    return "The image " + DisplayPath(outputPath) + " is the same file as " + input.role + " " +
           DisplayPath(input.path) +
           ", which the build reads: writing the image would destroy it. Nothing was "
           "written; choose another name for the image.";
  }
  return std::nullopt;
}

}  // namespace varnel
