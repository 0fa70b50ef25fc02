#include "ui/model/caption_rules.h"

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

}  // namespace varnel
