#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "builder/weight_table.h"

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
  std::vector<uint32_t> firstStep;  // per unit: its first weights, counted in steps
  // Per unit: lanes, or 0 where every step of the unit has the same weights (every lane's
  // run as long as the unit's, one weight throughout): those are stored once.
  std::vector<int32_t> weightStride;
  std::vector<int32_t> runStarts;  // per unit and lane: the first source pixel of the run
  std::vector<double> weights;     // per stored step and lane: the x weight
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
  const int32_t* weightStride = nullptr;
  const int32_t* runStarts = nullptr;
  const double* weights = nullptr;
  // Every product of a y weight, an x weight and a channel value is exact in double (the
  // weights' significant bits and the value's 8 fit in 53): a multiply and add rounded
  // once then gives what the pass's product and addition, each rounded, give.
  bool exactProducts = false;
  // Every product of a y and an x weight is itself a float of at least 2^-20, and no sum
  // reaches 2^9 (1920 to 240 and to 60 are such). Every term and every sum is then a
  // multiple of 2^-43 below 2^10, so that the pass's addition in double is exact (53
  // bits) and its rounding to float is the only one: a multiply and add in single
  // precision, which rounds once, gives the same float.
  bool singleSums = false;

  const int32_t* StartsOf(int unit) const {
    return runStarts + static_cast<std::ptrdiff_t>(unit) * lanes;
  }
  // The x weights of a unit's step, one per lane.
  const double* WeightsOf(int unit, int32_t step) const {
    return weights + static_cast<std::ptrdiff_t>(firstStep[unit]) * lanes +
           static_cast<std::ptrdiff_t>(step) * weightStride[unit];
  }
};

// The view of a plan for source rows weighted by the y table rows.
ShrinkPlanView ViewOf(const ShrinkPlan& plan, const WeightTable& rows);

// The plan of a source row of sourceWidth pixels shrunk to width columns (1 <= width <=
// sourceWidth), lanes columns to a unit.
ShrinkPlan PlanShrinkColumns(int sourceWidth, int width, int lanes);

}  // namespace varnel
