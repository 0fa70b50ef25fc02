#include "ui/model/file_filter.h"

namespace varnel {

namespace {
std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t cut = text.find(separator, start);
    parts.push_back(text.substr(start, cut == std::string_view::npos ? cut : cut - start));
    if (cut == std::string_view::npos) return parts;
    start = cut + 1;
  }
}
}  // namespace

std::vector<FileFilter> ParseFileFilter(std::string_view text) {
  std::vector<FileFilter> filters;
  const std::vector<std::string_view> parts = Split(text, '|');
  // Descriptions and pattern lists alternate; the closing "||" leaves empty parts.
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty()) break;
    FileFilter filter;
    filter.description = std::string(parts[i]);
    for (std::string_view pattern : Split(parts[i + 1], ';')) {
      if (!pattern.empty()) filter.patterns.emplace_back(pattern);
    }
    filters.push_back(std::move(filter));
  }
  return filters;
}

}  // namespace varnel
