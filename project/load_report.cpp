#include "project/load_report.h"

#include <algorithm>

#include "files/display_text.h"

namespace varnel {

namespace {

// A message box has room for a handful of paths; the rest are counted.
constexpr std::size_t kLeftOutPathsShown = 10;

std::string Pictures(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " picture" : " pictures");
}

std::string CutShortText(const std::string& path, const ProjectReadResult& read) {
  if (read.announcedPictures == 0)
    return DisplayPath(path) +
           " is cut short, but it announces no pictures: its options were loaded.";
  return DisplayPath(path) + " is cut short: it announces " + Pictures(read.announcedPictures) +
         " but holds only " + std::to_string(read.picturesRead) +
         " complete. The complete ones were loaded.";
}

std::string LeftOutText(const std::vector<std::string>& leftOut,
                        const std::vector<std::string>& whyLeftOut) {
  std::string text = leftOut.size() == 1 ? "This picture could not be loaded and was left out:"
                                         : "These " + Pictures(leftOut.size()) +
                                               " could not be loaded and were left out:";
  const std::size_t shown = std::min(leftOut.size(), kLeftOutPathsShown);
  for (std::size_t i = 0; i < shown; ++i) {
    text += "\n" + DisplayPath(leftOut[i]);
    if (i < whyLeftOut.size()) text += ": " + whyLeftOut[i];
  }
  if (leftOut.size() > shown) text += "\n(and " + std::to_string(leftOut.size() - shown) + " more)";
  return text;
}

}  // namespace

std::string LoadProblemsMessage(const std::string& path, const ProjectReadResult& read,
                                const std::vector<std::string>& leftOut,
                                const std::vector<std::string>& whyLeftOut) {
  std::string message;
  if (read.cutShort()) message = CutShortText(path, read);
  if (!leftOut.empty()) {
    if (!message.empty()) message += "\n\n";
    message += LeftOutText(leftOut, whyLeftOut);
  }
  return message;
}

std::string FoundElsewhereMessage(const std::vector<MovedPicture>& moved) {
  if (moved.empty()) return {};
  std::string text = moved.size() == 1
                         ? "This picture was not where the project says; it was found beside the "
                           "project and kept:"
                         : "These " + Pictures(moved.size()) +
                               " were not where the project says; they were found beside the "
                               "project and kept:";
  const std::size_t shown = std::min(moved.size(), kLeftOutPathsShown);
  for (std::size_t i = 0; i < shown; ++i)
    text += "\n" + DisplayPath(moved[i].storedPath) + "\n    found at " +
            DisplayPath(moved[i].foundPath);
  if (moved.size() > shown) text += "\n(and " + std::to_string(moved.size() - shown) + " more)";
  return text;
}

std::string NoHeaderMessage(const std::string& path) {
  return DisplayPath(path) +
         " is cut short before the end of its header, so it holds no slideshow. "
         "Nothing was loaded.";
}

}  // namespace varnel
