#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace varnel {

// The x walk of the shrinking pass, laid out for destination columns summed side by side.
//
// Every destination column takes a run of neighbouring source pixels (a pixel that
// straddles a column boundary ends one run and starts the next), each with its x weight,
// in the order the walk adds them. Columns are grouped into units of `lanes` columns; at
// step k of a unit, each lane adds the k-th pixel of its run. A run shorter than its
// unit's longest is padded with weights 0, and lanes past the last column have weight 0
// throughout: adding 0 leaves a float sum unchanged. A padded step reads the pixel after
// the run, which the widened row (shrink_kernels.h) always holds. Units are walked two
// side by side, so the two units of a pair take the same number of steps.
inline constexpr int kUnitsSideBySide = 2;

struct ShrinkPlan {
  int lanes = 0;
  int width = 0;  // destination columns
  int units = 0;
  std::vector<int32_t> unitSteps;   // per unit: the longest run of its pair's lanes
  std::vector<uint32_t> firstStep;  // per unit: its first step, counted over all units
  std::vector<int32_t> runStarts;   // per unit and lane: the first source pixel of the run
  std::vector<double> weights;      // per step (over all units) and lane: the x weight
  int32_t longestRun = 0;
};

// A plan as the kernels read it: plain numbers and pointers into a ShrinkPlan, which must
// outlive it. (A kernel built for other instructions uses no library template: one of its
// copies could be merged with the copy used elsewhere.)
struct ShrinkPlanView {
  int lanes = 0;
  int width = 0;
  int units = 0;
  const int32_t* unitSteps = nullptr;
  const uint32_t* firstStep = nullptr;
  const int32_t* runStarts = nullptr;
  const double* weights = nullptr;

  const int32_t* StartsOf(int unit) const {
    return runStarts + static_cast<std::ptrdiff_t>(unit) * lanes;
  }
  const double* WeightsOf(int unit) const {
    return weights + static_cast<std::ptrdiff_t>(firstStep[unit]) * lanes;
  }
};

ShrinkPlanView ViewOf(const ShrinkPlan& plan);

// The plan of a source row of sourceWidth pixels shrunk to width columns (1 <= width <=
// sourceWidth), lanes columns to a unit.
ShrinkPlan PlanShrinkColumns(int sourceWidth, int width, int lanes);

}  // namespace varnel
