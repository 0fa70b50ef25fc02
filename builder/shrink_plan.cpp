#include "builder/shrink_plan.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>

#include "builder/weight_table.h"

namespace varnel {

namespace {

// One column's run: its first source pixel and the x weight of each pixel in turn.
struct ColumnRun {
  int32_t start = -1;
  std::vector<float> weights;
};

// Walks the x table as the pass does. A pixel spills into the next column only while that
// column exists, and the walk never leaves the row or the destination.
std::vector<ColumnRun> ColumnRuns(int sourceWidth, int width) {
  const WeightTable table = BuildWeightTable(sourceWidth, width, true);
  std::vector<ColumnRun> runs(static_cast<std::size_t>(width));
  const auto add = [&](int column, int pixel, float weight) {
    ColumnRun& run = runs[static_cast<std::size_t>(column)];
    if (run.start < 0) run.start = pixel;
    if (run.start + static_cast<int32_t>(run.weights.size()) != pixel)
      throw std::logic_error("a column's source pixels must be neighbours");
    run.weights.push_back(weight);
  };
  int column = 0;
  for (int pixel = 0; pixel < sourceWidth && column < width; ++pixel) {
    const WeightPair& pair = table.pairs[static_cast<std::size_t>(pixel)];
    add(column, pixel, pair.w0);
    if (table.Spills(pair) && column + 1 < width) add(column + 1, pixel, pair.w1);
    if (table.Advances(pair)) ++column;
  }
  return runs;
}

constexpr int kValueBits = 8;  // a channel value, 0-255
constexpr int kDoubleSignificandBits = 53;
constexpr int kFloatFractionBits = 23;

// Bits from a float's leading 1 to its last 1: a product of such numbers needs at most
// the sum of their bits. 0 for 0.
int SignificantBits(float value) {
  if (value == 0.0F) return 0;
  uint32_t significand = std::bit_cast<uint32_t>(value) & ((uint32_t{1} << kFloatFractionBits) - 1);
  if ((std::bit_cast<uint32_t>(value) >> kFloatFractionBits & 0xFF) != 0)
    significand |= uint32_t{1} << kFloatFractionBits;  // the leading 1 of a normal number
  return std::bit_width(significand) - std::countr_zero(significand);
}

// Whether the columns first .. end - 1 all take runs of `steps` pixels with one and the
// same weight: the unit then needs its weights only once (on exact ratios such as 1920
// to 240 every unit does).
bool IsUniform(const std::vector<ColumnRun>& runs, int first, int end, int32_t steps) {
  const float weight = runs[static_cast<std::size_t>(first)].weights.front();
  for (int column = first; column < end; ++column) {
    const std::vector<float>& weights = runs[static_cast<std::size_t>(column)].weights;
    if (static_cast<int32_t>(weights.size()) != steps) return false;
    for (const float w : weights)
      if (std::bit_cast<uint32_t>(w) != std::bit_cast<uint32_t>(weight)) return false;
  }
  return true;
}

// What ShrinkPlanView::singleSums needs of the weights (shrink_plan.h).
constexpr double kSmallestSingleWeight = 0x1p-20;
constexpr double kLargestSingleSum = 0x1p9;
constexpr double kLargestValue = 255.0;
constexpr double kFloatRounding = 0x1p-24;  // the largest relative error of one rounding
// Weight pairs tried one by one; more than this many distinct ones (weights with many
// bits, which rarely pass) are not tried.
constexpr std::size_t kMostProductsTried = std::size_t{1} << 16;

// The y shares as the walk adds them: each distinct one, and per destination row their
// total and their count.
struct ShareTotals {
  std::vector<float> distinct;
  double largestTotal = 0;
  int mostTerms = 0;
};

void AddShare(ShareTotals& totals, std::vector<double>& total, std::vector<int>& terms,
              std::size_t at, float share) {
  if (total.size() <= at) {
    total.resize(at + 1, 0.0);
    terms.resize(at + 1, 0);
  }
  total[at] += share;
  ++terms[at];
  totals.distinct.push_back(share);
}

ShareTotals RowShares(const WeightTable& rows) {
  ShareTotals totals;
  std::vector<double> total;
  std::vector<int> terms;
  std::size_t row = 0;
  for (const WeightPair& pair : rows.pairs) {
    AddShare(totals, total, terms, row, pair.w0);
    if (rows.Spills(pair)) AddShare(totals, total, terms, row + 1, pair.w1);
    if (rows.Advances(pair)) ++row;
  }
  for (std::size_t i = 0; i < total.size(); ++i) {
    totals.largestTotal = std::max(totals.largestTotal, total[i]);
    totals.mostTerms = std::max(totals.mostTerms, terms[i]);
  }
  return totals;
}

ShareTotals ColumnShares(const ShrinkPlan& plan) {
  ShareTotals totals;
  for (int unit = 0; unit < plan.units; ++unit) {
    const auto u = static_cast<std::size_t>(unit);
    for (int lane = 0; lane < plan.lanes; ++lane) {
      double total = 0;
      for (int32_t k = 0; k < plan.unitSteps[u]; ++k) {
        const std::size_t step = plan.firstStep[u] + (plan.weightStride[u] == 0 ? 0 : k);
        const double weight = plan.weights[step * static_cast<std::size_t>(plan.lanes) +
                                           static_cast<std::size_t>(lane)];
        total += weight;
        if (weight != 0.0) totals.distinct.push_back(static_cast<float>(weight));
      }
      totals.largestTotal = std::max(totals.largestTotal, total);
    }
  }
  totals.mostTerms = plan.longestRun;
  return totals;
}

void KeepDistinct(std::vector<float>& values) {
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
}

// ShrinkPlanView::singleSums: every nonzero product y x a float of at least 2^-20, and
// every sum, bounded by 255 times its weights' total grown by a rounding per term, below
// 2^9.
bool SingleSumsAreExact(const ShrinkPlan& plan, const WeightTable& rows) {
  ShareTotals y = RowShares(rows);
  ShareTotals x = ColumnShares(plan);
  KeepDistinct(y.distinct);
  KeepDistinct(x.distinct);
  y.distinct.erase(std::remove(y.distinct.begin(), y.distinct.end(), 0.0F), y.distinct.end());
  if (y.distinct.empty() || x.distinct.empty() || y.distinct.front() < 0.0F ||
      x.distinct.front() < 0.0F || y.distinct.size() * x.distinct.size() > kMostProductsTried)
    return false;
  if (double{y.distinct.front()} * double{x.distinct.front()} < kSmallestSingleWeight) return false;
  for (const float yShare : y.distinct)
    for (const float xShare : x.distinct) {
      const double product = double{yShare} * double{xShare};  // exact
      if (static_cast<double>(static_cast<float>(product)) != product) return false;
    }
  const double terms = static_cast<double>(y.mostTerms) * static_cast<double>(x.mostTerms);
  const double largestSum =
      kLargestValue * y.largestTotal * x.largestTotal * std::pow(1.0 + kFloatRounding, terms);
  return largestSum < kLargestSingleSum;
}

}  // namespace

ShrinkPlan PlanShrinkColumns(int sourceWidth, int width, int lanes) {
  if (width < 1 || width > sourceWidth || lanes < 1)
    throw std::invalid_argument("a shrink plan needs 1 <= width <= source width");
  const std::vector<ColumnRun> runs = ColumnRuns(sourceWidth, width);
  ShrinkPlan plan;
  plan.lanes = lanes;
  plan.width = width;
  plan.units = (width + lanes - 1) / lanes;
  // Two neighbouring units take as many steps, so that they can be walked side by side.
  std::vector<int32_t> longest(static_cast<std::size_t>(plan.units), 0);
  for (int column = 0; column < width; ++column) {
    int32_t& pair = longest[static_cast<std::size_t>(column / lanes / kUnitsSideBySide)];
    pair =
        std::max(pair, static_cast<int32_t>(runs[static_cast<std::size_t>(column)].weights.size()));
  }
  uint32_t steps = 0;
  for (int unit = 0; unit < plan.units; ++unit) {
    const int first = unit * lanes;
    const int32_t unitSteps = longest[static_cast<std::size_t>(unit / kUnitsSideBySide)];
    const bool uniform = IsUniform(runs, first, std::min(width, first + lanes), unitSteps);
    plan.unitSteps.push_back(unitSteps);
    plan.firstStep.push_back(steps);
    plan.weightStride.push_back(uniform ? 0 : lanes);
    steps += static_cast<uint32_t>(uniform ? 1 : unitSteps);
    plan.longestRun = std::max(plan.longestRun, unitSteps);
    // A lane past the last column reads where the last column starts, with weight 0.
    for (int lane = 0; lane < lanes; ++lane) {
      const ColumnRun& run = runs[static_cast<std::size_t>(std::min(first + lane, width - 1))];
      plan.runStarts.push_back(std::max(run.start, int32_t{0}));
    }
  }
  plan.weights.assign(static_cast<std::size_t>(steps) * static_cast<std::size_t>(lanes), 0.0);
  for (int column = 0; column < width; ++column) {
    const int unit = column / lanes;
    const ColumnRun& run = runs[static_cast<std::size_t>(column)];
    const std::size_t stored =
        plan.weightStride[static_cast<std::size_t>(unit)] == 0 ? 1 : run.weights.size();
    for (std::size_t k = 0; k < stored; ++k) {
      const std::size_t step = plan.firstStep[static_cast<std::size_t>(unit)] + k;
      plan.weights[step * static_cast<std::size_t>(lanes) +
                   static_cast<std::size_t>(column % lanes)] = run.weights[k];
    }
  }
  return plan;
}

ShrinkPlanView ViewOf(const ShrinkPlan& plan, const WeightTable& rows) {
  int yBits = 0;
  for (const WeightPair& pair : rows.pairs) {
    yBits = std::max(yBits, SignificantBits(pair.w0));
    if (rows.Spills(pair)) yBits = std::max(yBits, SignificantBits(pair.w1));
  }
  int xBits = 0;
  for (const double weight : plan.weights)
    xBits = std::max(xBits, SignificantBits(static_cast<float>(weight)));
  return {plan.lanes,
          plan.width,
          plan.units,
          plan.unitSteps.data(),
          plan.firstStep.data(),
          plan.weightStride.data(),
          plan.runStarts.data(),
          plan.weights.data(),
          yBits + xBits + kValueBits <= kDoubleSignificandBits,
          SingleSumsAreExact(plan, rows)};
}

}  // namespace varnel
