#include "builder/weight_table.h"

#include <stdexcept>

namespace varnel {

namespace {

float SpillThresholdFor(int64_t divisor) {
  if (divisor < kLargeDivisor) return kSpillThreshold;
  return static_cast<float>(0.5 / static_cast<double>(divisor));
}

}  // namespace

// Both sides lie on a line of count x otherSize units: each entry's pixel is otherSize
// units long and the pixels of the other side are count units long. position is where
// the entry's pixel begins inside the current pixel of the other side.
WeightTable BuildWeightTable(int count, int otherSize, bool shrinking) {
  if (otherSize < 1 || otherSize > count)
    throw std::invalid_argument("weight table needs 1 <= other size <= count");
  const int64_t n = count;
  const int64_t m = otherSize;
  const double baseWeight = shrinking ? static_cast<double>(m) / static_cast<double>(n) : 1.0;
  const int64_t divisor = shrinking ? n : m;
  const auto fraction = [divisor](int64_t units) {
    return static_cast<float>(static_cast<double>(units) / static_cast<double>(divisor));
  };

  WeightTable table;
  table.threshold = SpillThresholdFor(divisor);
  table.pairs.reserve(static_cast<std::size_t>(count));
  int64_t position = 0;
  for (int64_t entry = 0; entry < n; ++entry) {
    const int64_t end = position + m;
    WeightPair pair;
    if (end > n) {
      pair.w0 = fraction(n - position);
      pair.w1 = fraction(end - n);
      position = end - n;
    } else if (end == n) {
      pair.w0 = static_cast<float>(baseWeight);
      pair.w1 = -1.0F;
      position = 0;
    } else {
      pair.w0 = static_cast<float>(baseWeight);
      pair.w1 = 0.0F;
      position = end;
    }
    table.pairs.push_back(pair);
  }
  return table;
}

}  // namespace varnel
