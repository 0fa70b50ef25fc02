#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "format/image_layout.h"

namespace varnel {

inline constexpr int kConsoleScreenPixels = kScreenWidth * kScreenHeight;

// One frame is 228 lines of 1232 cycles of the 2^24 Hz processor: 59.73 frames a second.
inline constexpr int64_t kConsoleCyclesPerFrame = 228 * 1232;
inline constexpr int64_t kConsoleCyclesPerSecond = int64_t{1} << 24;
inline constexpr std::chrono::nanoseconds kConsoleFramePeriod{
    kConsoleCyclesPerFrame * 1'000'000'000 / kConsoleCyclesPerSecond};

// One screen as 15-bit pixels (bits 0-4 red, 5-9 green, 10-14 blue), rows top to bottom:
// the form the image stores its pictures in.
using Screen15 = std::vector<uint16_t>;

// One screen as 0xFFRRGGBB pixels, rows top to bottom, each 5-bit channel widened to 8
// bits the way the console's display does (its top bits repeated below it).
using ScreenRgb = std::vector<uint32_t>;

}  // namespace varnel
