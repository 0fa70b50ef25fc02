#include "builder/weight_table.h"

#include <gtest/gtest.h>

#include <bit>
#include <stdexcept>
#include <vector>

namespace varnel {
namespace {

void ExpectPairs(const WeightTable& table, const std::vector<WeightPair>& expected) {
  ASSERT_EQ(table.pairs.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(table.pairs[i].w0, expected[i].w0) << "entry " << i;
    EXPECT_EQ(table.pairs[i].w1, expected[i].w1) << "entry " << i;
  }
}

TEST(BuildWeightTable, GivesTheWorkedTables) {
  const float twoFifths = static_cast<float>(2.0 / 5.0);
  const float oneFifth = static_cast<float>(1.0 / 5.0);
  ExpectPairs(
      BuildWeightTable(5, 2, true),
      {{twoFifths, 0}, {twoFifths, 0}, {oneFifth, oneFifth}, {twoFifths, 0}, {twoFifths, -1}});
  ExpectPairs(BuildWeightTable(5, 2, false), {{1, 0}, {1, 0}, {0.5F, 0.5F}, {1, 0}, {1, -1}});
  ExpectPairs(BuildWeightTable(4, 4, true), {{1, -1}, {1, -1}, {1, -1}, {1, -1}});
  // 30 pixels enlarged to 60: every source pixel gives two whole destination pixels.
  const WeightTable doubling = BuildWeightTable(60, 30, false);
  for (std::size_t i = 0; i < doubling.pairs.size(); ++i) {
    EXPECT_EQ(doubling.pairs[i].w0, 1.0F);
    EXPECT_EQ(doubling.pairs[i].w1, i % 2 == 0 ? 0.0F : -1.0F);
  }
}

TEST(BuildWeightTable, UsesTheFixedThresholdBelowTenThousand) {
  EXPECT_EQ(std::bit_cast<uint32_t>(kSpillThreshold), 0x38D1B717U);
  EXPECT_FLOAT_EQ(kSpillThreshold, 9.99999974737875e-05F);
  EXPECT_EQ(BuildWeightTable(9999, 240, true).threshold, kSpillThreshold);
  EXPECT_EQ(BuildWeightTable(12000, 9999, false).threshold, kSpillThreshold);
  EXPECT_LT(BuildWeightTable(12000, 240, true).threshold, 1.0F / 12000);
}

// For every size pair: the last entry ends on a boundary, the walk advances exactly once
// per pixel of the other side, and the shares reaching each pixel of the other side sum
// to one (shrinking) or each entry's shares sum to one (enlarging).
TEST(BuildWeightTable, EveryWalkEndsExactlyOnItsLastEntry) {
  const std::vector<int> counts = {1, 2, 3, 7, 64, 243, 600, 9999, 10000, 12000, 65535};
  for (int n : counts) {
    for (int m : {1, 2, 3, 40, 60, 160, 240, 4000, 9999, 10000, 65535}) {
      if (m > n) continue;
      for (bool shrinking : {true, false}) {
        const WeightTable table = BuildWeightTable(n, m, shrinking);
        ASSERT_EQ(table.pairs.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(table.pairs.back().w1, -1.0F) << n << " " << m;
        std::vector<double> share(static_cast<std::size_t>(m) + 1, 0.0);
        int advances = 0;
        for (const WeightPair& pair : table.pairs) {
          if (shrinking) {
            share[static_cast<std::size_t>(advances)] += pair.w0;
            if (table.Spills(pair)) share[static_cast<std::size_t>(advances) + 1] += pair.w1;
          } else {
            const double sum = pair.w0 + (table.Spills(pair) ? pair.w1 : 0.0);
            ASSERT_NEAR(sum, 1.0, 1e-6) << n << " " << m;
          }
          if (table.Advances(pair)) ++advances;
        }
        EXPECT_EQ(advances, m) << n << " " << m << " " << shrinking;
        if (shrinking) {
          for (int j = 0; j < m; ++j) ASSERT_NEAR(share[j], 1.0, 1e-5) << n << " " << m;
        }
      }
    }
  }
}

TEST(BuildWeightTable, RefusesAnOtherSizeOutsideOneToCount) {
  EXPECT_THROW(BuildWeightTable(5, 0, true), std::invalid_argument);
  EXPECT_THROW(BuildWeightTable(5, 6, false), std::invalid_argument);
}

}  // namespace
}  // namespace varnel
