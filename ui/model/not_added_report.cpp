#include "ui/model/not_added_report.h"

#include <algorithm>

#include "files/display_text.h"

namespace varnel {

namespace {
// A message box has room for a handful of files; the rest are counted.
constexpr std::size_t kFilesShown = 10;
}  // namespace

std::string NotAddedMessage(const std::vector<NotAddedFile>& files) {
  if (files.empty()) return {};
  std::string text = files.size() == 1
                         ? std::string("This file was not added:")
                         : "These " + std::to_string(files.size()) + " files were not added:";
  const std::size_t shown = std::min(files.size(), kFilesShown);
  for (std::size_t i = 0; i < shown; ++i)
    text += "\n" + DisplayPath(files[i].path) + ": " + files[i].reason;
  if (files.size() > shown) text += "\n(and " + std::to_string(files.size() - shown) + " more)";
  return text;
}

}  // namespace varnel
