#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace varnel {

// What tells one version of an image file from the next: its modification time and size.
struct ImageFileStamp {
  std::filesystem::file_time_type modified{};
  std::uintmax_t size = 0;
  bool operator==(const ImageFileStamp&) const = default;
};

// Nothing when the file is not there (a failed build removed it, a build is replacing it).
std::optional<ImageFileStamp> StampOf(const std::string& path);

// False while a build is still writing the file: the builder writes the show's header
// last, so a file long enough to hold a show but without the header's tag is unfinished.
// Files too short to hold a show are taken as they are.
bool LooksFinished(const std::string& path);

}  // namespace varnel
