#include "files/output_conflict.h"

#include <sys/stat.h>

#include <cctype>

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

std::string Capitalised(std::string text) {
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text;
}

}  // namespace

std::optional<std::string> OutputOverwritesInput(const RoleFile& output,
                                                 const std::vector<RoleFile>& inputs) {
  const std::optional<FileIdentity> written = IdentityOf(output.path);
  if (!written) return std::nullopt;
  for (const RoleFile& input : inputs) {
    if (IdentityOf(input.path) != written) continue;
    return Capitalised(output.role) + " " + DisplayPath(output.path) + " is the same file as " +
           input.role + " " + DisplayPath(input.path) + ", which is read to make it: writing " +
           output.role + " would destroy it. Nothing was written; choose another name for " +
           output.role + ".";
  }
  return std::nullopt;
}

}  // namespace varnel
