#pragma once

// The shrinking pass's additions of one source row, for any set of instructions.
//
// A unit that includes this header does so after choosing its instruction set (#pragma
// GCC target), so that what it uses of it is compiled for those instructions. Everything
// here lies in an unnamed namespace: each unit has its own copy, and no copy built for
// one processor can be merged with another unit's. For the same reason nothing here uses
// a library template.

#include <cstddef>
#include <cstdint>

#include "builder/shrink_plan.h"

namespace varnel::shrink {
namespace {  // NOLINT(google-build-namespaces): a copy per unit, see above

inline constexpr int kChannels = 3;
// Steps of a unit staged at a time: the channel values of kBlockSteps pixels of each lane.
inline constexpr int kBlockSteps = 8;

constexpr int Smaller(int a, int b) {
  return a < b ? a : b;
}
constexpr int Larger(int a, int b) {
  return a < b ? b : a;
}

// Adds one widened source row into the sums of kUnits neighbouring units, from `unit` on,
// all weighted by the row's y share y: the units are walked side by side, so that each
// step has 6 x kUnits independent sums to round. Sums are laid out per unit: channel 0 of
// every lane, then channel 1, then channel 2.
//
// Ops does the steps with Ops::kLanes lanes:
// - Ops::Sums holds a unit's sums (LoadSums, StoreSums);
// - StageBlock(wide, starts, k0, count, block) stages steps k0 .. k0 + count - 1 (count at
//   most kBlockSteps): for each step and lane l, pixel starts[l] + k0 + k in the form
//   AddStep reads, Ops::kStepValues 32-bit values a step;
// - Weigh(weights, y) gives the step's weights, y * weights[l] for each lane l: the
//   product of two floats in double, which is exact;
// - AddStep<kFused>(sums, values, weighed) adds, for each channel c and lane l, the
//   product of lane l's weight and the lane's channel c in double, to its sum in double,
//   rounded to float. With kFused (only for plans with exactProducts) it may multiply and
//   add with one rounding, which then gives the same.
// Each lane's sums thus get their terms in the walk's order, whatever Ops does at once.
// A unit whose steps all have the same weights (kUniform) weighs them once.
template <class Ops, int kUnits, bool kFused, bool kUniform>
[[gnu::always_inline]] inline void AccumulateUnits(const uint32_t* wide, const ShrinkPlanView& plan,
                                                   int unit, double y, float* current) {
  constexpr int kLanes = Ops::kLanes;
  constexpr std::size_t kUnitSums = std::size_t{kChannels} * kLanes;
  alignas(64) int32_t block[kUnits][kBlockSteps * Ops::kStepValues];
  typename Ops::Sums sums[kUnits];
  typename Ops::Weights uniform[kUnits];
#pragma GCC unroll 2
  for (int i = 0; i < kUnits; ++i) {
    sums[i] = Ops::LoadSums(current + static_cast<std::size_t>(unit + i) * kUnitSums);
    if constexpr (kUniform) uniform[i] = Ops::Weigh(plan.WeightsOf(unit + i, 0), y);
  }
  const int32_t steps = plan.unitSteps[unit];
  for (int32_t k0 = 0; k0 < steps; k0 += kBlockSteps) {
    const int32_t count = Smaller(kBlockSteps, steps - k0);
#pragma GCC unroll 2
    for (int i = 0; i < kUnits; ++i)
      Ops::StageBlock(wide, plan.StartsOf(unit + i), k0, count, block[i]);
    for (int32_t k = 0; k < count; ++k) {
#pragma GCC unroll 2
      for (int i = 0; i < kUnits; ++i) {
        const int32_t* values = block[i] + static_cast<std::size_t>(k) * Ops::kStepValues;
        if constexpr (kUniform)
          Ops::template AddStep<kFused>(sums[i], values, uniform[i]);
        else
          Ops::template AddStep<kFused>(sums[i], values,
                                        Ops::Weigh(plan.WeightsOf(unit + i, k0 + k), y));
      }
    }
  }
#pragma GCC unroll 2
  for (int i = 0; i < kUnits; ++i)
    Ops::StoreSums(sums[i], current + static_cast<std::size_t>(unit + i) * kUnitSums);
}

// The same for a row that spills: one unit at a time, its values added with y0 into the
// current row's sums and with y1 into the next row's.
template <class Ops, bool kFused>
[[gnu::always_inline]] inline void AccumulateSpillingUnit(const uint32_t* wide,
                                                          const ShrinkPlanView& plan, int unit,
                                                          double y0, double y1, float* current,
                                                          float* next) {
  constexpr int kLanes = Ops::kLanes;
  constexpr std::size_t kUnitSums = std::size_t{kChannels} * kLanes;
  alignas(64) int32_t block[kBlockSteps * Ops::kStepValues];
  float* currentSums = current + static_cast<std::size_t>(unit) * kUnitSums;
  float* nextSums = next + static_cast<std::size_t>(unit) * kUnitSums;
  typename Ops::Sums a = Ops::LoadSums(currentSums);
  typename Ops::Sums b = Ops::LoadSums(nextSums);
  const int32_t steps = plan.unitSteps[unit];
  for (int32_t k0 = 0; k0 < steps; k0 += kBlockSteps) {
    const int32_t count = Smaller(kBlockSteps, steps - k0);
    Ops::StageBlock(wide, plan.StartsOf(unit), k0, count, block);
    for (int32_t k = 0; k < count; ++k) {
      const int32_t* values = block + static_cast<std::size_t>(k) * Ops::kStepValues;
      const double* stepWeights = plan.WeightsOf(unit, k0 + k);
      Ops::template AddStep<kFused>(a, values, Ops::Weigh(stepWeights, y0));
      Ops::template AddStep<kFused>(b, values, Ops::Weigh(stepWeights, y1));
    }
  }
  Ops::StoreSums(a, currentSums);
  Ops::StoreSums(b, nextSums);
}

// Asks the cache for the next slice of a row the walk reads later: a slice per unit
// spreads the requests over the row's work instead of queueing them all at once.
class RowFetch {
 public:
  RowFetch(const uint8_t* row, int bytes, int slices)
      : row_(row),
        bytes_(row == nullptr ? 0 : bytes),
        step_((bytes_ / kCacheLine + slices) / Larger(slices, 1) * kCacheLine) {}
  void Next() {
    for (const int end = Smaller(bytes_, at_ + step_); at_ < end; at_ += kCacheLine)
      __builtin_prefetch(row_ + at_, 0, 3);
  }

 private:
  static constexpr int kCacheLine = 64;
  const uint8_t* row_;
  int bytes_;
  int step_;
  int at_ = 0;
};

template <class Ops, bool kFused>
[[gnu::always_inline]] inline void AccumulateRowAs(const uint32_t* wide, const ShrinkPlanView& plan,
                                                   double y0, double y1, bool spills,
                                                   float* current, float* next,
                                                   const uint8_t* ahead, int aheadBytes) {
  if (spills) {
    RowFetch fetch(ahead, aheadBytes, plan.units);
    for (int unit = 0; unit < plan.units; ++unit) {
      fetch.Next();
      AccumulateSpillingUnit<Ops, kFused>(wide, plan, unit, y0, y1, current, next);
    }
    return;
  }
  RowFetch fetch(ahead, aheadBytes, (plan.units + 1) / kUnitsSideBySide);
  int unit = 0;
  for (; unit + kUnitsSideBySide <= plan.units; unit += kUnitsSideBySide) {
    fetch.Next();
    if (plan.weightStride[unit] == 0 && plan.weightStride[unit + 1] == 0)
      AccumulateUnits<Ops, kUnitsSideBySide, kFused, true>(wide, plan, unit, y0, current);
    else
      AccumulateUnits<Ops, kUnitsSideBySide, kFused, false>(wide, plan, unit, y0, current);
  }
  fetch.Next();
  if (unit < plan.units) AccumulateUnits<Ops, 1, kFused, false>(wide, plan, unit, y0, current);
}

// Adds one widened source row, weighted by its y share y0, into the sums of the current
// destination row and, when the row spills, with its share y1 into the sums of the next.
// Meanwhile the row `ahead` (bytes long, or none) is fetched into the cache.
template <class Ops>
[[gnu::always_inline]] inline void AccumulateRowOf(const uint32_t* wide, const ShrinkPlanView& plan,
                                                   double y0, double y1, bool spills,
                                                   float* current, float* next,
                                                   const uint8_t* ahead, int aheadBytes) {
  if (plan.exactProducts)
    AccumulateRowAs<Ops, true>(wide, plan, y0, y1, spills, current, next, ahead, aheadBytes);
  else
    AccumulateRowAs<Ops, false>(wide, plan, y0, y1, spills, current, next, ahead, aheadBytes);
}

// Stores the sums of a destination row as the bytes of a bitmap row, for each channel
// into its slot (a red-first source's channels are stored in the other order): each sum
// truncated toward zero, the low 8 bits of that integer. Ops::StoreUnit stores count
// columns of a unit's sums (3 x count bytes, nothing past them).
template <class Ops>
[[gnu::always_inline]] inline void StoreRowOf(const float* sums, const ShrinkPlanView& plan,
                                              bool redFirst, uint8_t* row) {
  constexpr int kLanes = Ops::kLanes;
  constexpr std::size_t kUnitSums = std::size_t{kChannels} * kLanes;
  for (int unit = 0; unit < plan.units; ++unit) {
    const int first = unit * kLanes;
    Ops::StoreUnit(sums + static_cast<std::size_t>(unit) * kUnitSums,
                   Smaller(kLanes, plan.width - first), redFirst,
                   row + static_cast<std::size_t>(first) * kChannels);
  }
}

}  // namespace
}  // namespace varnel::shrink
