#include "builder/caption_block.h"

namespace varnel {

std::vector<uint8_t> MakeCaptionBlock(std::string_view text) {
  std::vector<uint8_t> block;
  block.reserve(kCaptionCharacters + 1);
  for (const char c : text) {
    if (block.size() >= kCaptionCharacters) break;
    if (c == '\n') {
      // 180 is a whole number of lines, so this padding never passes the limit.
      while (block.size() % kCaptionColumns != 0) block.push_back(' ');
    } else {
      block.push_back(static_cast<uint8_t>(c));
    }
  }
  block.push_back(0);
  return block;
}

}  // namespace varnel
