#pragma once

#include <cstdint>
#include <string_view>

namespace varnel {

// Decimal value of a text: leading white space skipped, an optional sign, then decimal
// digits up to the first character that is not one. A text without such digits gives 0.
// Values beyond the 32-bit range saturate instead of wrapping.
int32_t DecimalValue(std::string_view text);

// Label index of a label: the two characters after the opening parenthesis read as a
// decimal value, so "(08) FadeOut" gives 8.
int32_t LabelIndex(std::string_view label);

// The low 16 bits of a decimal value, as the image and the project file store numbers.
inline uint16_t Low16(int32_t value) {
  return static_cast<uint16_t>(value);
}

}  // namespace varnel
