#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "format/image_layout.h"

namespace varnel {

// The caption block of a text: at most 180 characters, a line feed padded with spaces to
// the start of the next 18-character line (it places nothing at a line start), every
// other byte (a carriage return too) placed as it is, then one 0 byte.
std::vector<uint8_t> MakeCaptionBlock(std::string_view text);

}  // namespace varnel
