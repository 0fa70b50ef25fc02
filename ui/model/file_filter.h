#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// One entry of a file dialog's filter list: a description and its patterns.
struct FileFilter {
  std::string description;
  std::vector<std::string> patterns;  // such as "*.Bmp"
  bool operator==(const FileFilter&) const = default;
};

// Reads a filter text of the form "description|pattern;pattern|description|pattern||".
std::vector<FileFilter> ParseFileFilter(std::string_view text);

}  // namespace varnel
