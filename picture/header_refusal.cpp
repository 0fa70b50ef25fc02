#include "picture/header_refusal.h"

#include "picture/picture_limits.h"

namespace varnel {

std::string TooLargeText(int64_t width, int64_t height) {
  return "the picture is too large: " + std::to_string(width) + " x " + std::to_string(height) +
         " pixels, more than the limit of " + std::to_string(kMaxPictureWidthShown) + " x " +
         std::to_string(kMaxPictureHeightShown) + " (" + std::to_string(kMaxPicturePixels) +
         " pixels)";
}

std::string WhyNotDecodedFromHeader(const PictureFileFacts& facts) {
  if (facts.structureDamaged) return "the file is damaged";
  if (facts.width * facts.height > kMaxPicturePixels)
    return TooLargeText(facts.width, facts.height);
  if (facts.width > kMaxLibraryWidth || facts.height > kMaxLibraryHeight)
    return "the picture is too large: at most " + std::to_string(kMaxLibraryWidth) +
           " pixels wide and " + std::to_string(kMaxLibraryHeight) + " high";
  if (facts.cutShort) return "the file is damaged";
  return {};
}

}  // namespace varnel
