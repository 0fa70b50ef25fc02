#include "builder/shrink_plan.h"

#include <algorithm>
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
    plan.unitSteps.push_back(unitSteps);
    plan.firstStep.push_back(steps);
    steps += static_cast<uint32_t>(unitSteps);
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
    for (std::size_t k = 0; k < run.weights.size(); ++k) {
      const std::size_t step = plan.firstStep[static_cast<std::size_t>(unit)] + k;
      plan.weights[step * static_cast<std::size_t>(lanes) +
                   static_cast<std::size_t>(column % lanes)] = run.weights[k];
    }
  }
  return plan;
}

ShrinkPlanView ViewOf(const ShrinkPlan& plan) {
  return {plan.lanes,
          plan.width,
          plan.units,
          plan.unitSteps.data(),
          plan.firstStep.data(),
          plan.runStarts.data(),
          plan.weights.data()};
}

}  // namespace varnel
