#include "ui/model/caption_rules.h"

#include <algorithm>

namespace varnel {

std::string BuildCaptionPreview(std::string_view caption) {
  std::string preview;
  int column = 0;
  int line = 0;
  for (std::size_t i = 0; i < caption.size() && line < kCaptionPreviewLines; ++i) {
    preview += caption[i];
    ++column;
    const bool lineFeedFollows = i + 1 < caption.size() && caption[i + 1] == '\n';
    if (lineFeedFollows) {
      ++line;
      column = 0;
    } else if (column == kCaptionPreviewColumns) {
      preview += '\n';
      ++line;
      column = 0;
    }
  }
  return preview;
}

std::size_t CaptionRoom(std::size_t length, std::size_t replaced, std::size_t limit) {
  const std::size_t kept = length >= replaced ? length - replaced : 0;
  return kept >= limit ? 0 : limit - kept;
}

std::string CaptionLeftOutText(const std::vector<char32_t>& refused, bool overLimit,
                               std::size_t limit) {
  std::vector<char32_t> distinct;
  for (const char32_t c : refused) {
    if (std::find(distinct.begin(), distinct.end(), c) == distinct.end()) distinct.push_back(c);
  }
  std::string reasons;
  if (!distinct.empty()) {
    reasons = NotInConsoleFontMessage(distinct.front());
    const std::size_t others = distinct.size() - 1;
    if (others > 0) {
      reasons += " (nor " + std::to_string(others) +
                 (others == 1 ? " other character" : " other characters") + ")";
    }
  }
  if (overLimit) {
    if (!reasons.empty()) reasons += "; ";
    reasons += "a caption holds at most " + std::to_string(limit) +
               " characters, a line break counting as two";
  }
  if (reasons.empty()) return {};
  return "Left out of the caption: " + reasons + ".";
}

}  // namespace varnel
