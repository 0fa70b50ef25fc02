#include "document/number_box_rule.h"

#include <algorithm>

#include "document/number_rules.h"

namespace varnel {

namespace {
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
}  // namespace

std::string FilterNumberBoxText(const std::string& text, int maximum) {
  std::string result = text;
  const std::size_t length = text.size();
  if (length >= 1 && !IsDigit(result[0])) result.erase(0, 1);
  if (length >= 2 && result.size() >= 2 && !IsDigit(result[1])) result.resize(1);
  std::erase_if(result, [](char c) { return !IsDigit(c); });
  if (maximum > 0 && DecimalValue(result) > maximum) result = std::to_string(maximum);
  return result;
}

void ApplyNumberBoxRules(SlideshowOptions& options) {
  options.secondsText = FilterNumberBoxText(options.secondsText, kSecondsMaximum);
  options.introCountText = FilterNumberBoxText(options.introCountText, 0);
}

}  // namespace varnel
