#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace varnel {

// One step of the resampler's walk along an axis. w0 is the share of the current pair of
// pixels; w1 is the share that spills over a pixel boundary (a spill, and the walk then
// advances), 0 (no spill, no advance) or -1 (the boundary was met exactly: no spill, but
// the walk advances). Both are fractions of one destination pixel along the axis.
struct WeightPair {
  float w0 = 0;
  float w1 = 0;
};

// The smallest spill a table can hold is one unit of its divisor, 1 / divisor. The fixed
// threshold (the float nearest 0.0001) lies below that for every divisor under 10000;
// from 10000 on it would swallow real spills, so such tables use half a unit instead.
inline constexpr uint32_t kSpillThresholdBits = 0x38D1B717;
inline constexpr float kSpillThreshold = std::bit_cast<float>(kSpillThresholdBits);
inline constexpr int kLargeDivisor = 10000;

struct WeightTable {
  std::vector<WeightPair> pairs;
  float threshold = kSpillThreshold;

  // The current source pixel also covers the next destination pixel (shrinking), or the
  // current destination pixel also takes from the next source pixel (enlarging).
  bool Spills(const WeightPair& pair) const { return pair.w1 > threshold; }
  // The walk moves on to the next pixel of the other side after this step.
  bool Advances(const WeightPair& pair) const {
    return pair.w1 > threshold || -pair.w1 > threshold;
  }
};

// The table of one axis. Shrinking: one entry per source pixel (count = source size,
// otherSize = destination size). Enlarging: one entry per destination pixel (count =
// destination size, otherSize = source size). Needs 1 <= otherSize <= count; throws
// std::invalid_argument otherwise. The last entry always ends on a boundary (w1 = -1).
WeightTable BuildWeightTable(int count, int otherSize, bool shrinking);

}  // namespace varnel
