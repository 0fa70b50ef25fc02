#include "document/number_rules.h"

#include <limits>

namespace varnel {

namespace {
bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
}  // namespace

int32_t DecimalValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) return static_cast<int32_t>(-value);
  return static_cast<int32_t>(
      value > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : value);
}

int32_t LabelIndex(std::string_view label) {
  if (label.size() < 2) return 0;
  return DecimalValue(label.substr(1, 2));
}

}  // namespace varnel
