#pragma once

#include <cstddef>
#include <cstdint>

#include "builder/shrink_plan.h"

namespace varnel {

// The ways the shrinking pass can do its additions. They give the same bytes; tests and
// benchmarks name a path to compare them.
enum class ShrinkPath { kPortable, kAvx2, kAvx512 };

// The steps of the shrinking pass for one path.
//
// The pass reads each source row once, widened to 4 bytes a pixel (its 3 bytes in their
// order in memory, then 0) for every destination it makes: a lane's pixel is then one
// aligned 32-bit value. The widened buffer holds WidenedRowLength pixels; those past the
// row are 0 and only padded steps read them.
struct ShrinkKernel {
  int lanes = 0;  // destination columns summed side by side (ShrinkPlan::lanes)
  // Widens a row of width pixels into the first width pixels of wide.
  void (*widen)(const uint8_t* row, int width, uint32_t* wide) = nullptr;
  // Adds a widened row into a destination's sums: with y share y0 into current and, when
  // the row spills, with y1 into next (shrink_walk.h). Meanwhile the aheadBytes bytes at
  // ahead (none when null), a row read later, are fetched into the cache.
  void (*accumulate)(const uint32_t* wide, const ShrinkPlanView& plan, double y0, double y1,
                     bool spills, float* current, float* next, const uint8_t* ahead,
                     int aheadBytes) = nullptr;
  // Stores a destination row's sums as the bytes of a bitmap row (shrink_walk.h).
  void (*store)(const float* sums, const ShrinkPlanView& plan, bool redFirst,
                uint8_t* row) = nullptr;
};

// Pixels of a widened row of width pixels for plans whose runs are at most longestRun.
std::size_t WidenedRowLength(int width, int longestRun);

// The kernel of a path: 4 lanes for the portable path, 8 for AVX2, 16 for AVX-512. A path
// whose instructions this processor lacks gets portable stand-ins for them: the same
// lanes, the same additions in the same order, so the same bytes, only slower.
ShrinkKernel ShrinkKernelOf(ShrinkPath path);

// The kernel of a path with its portable stand-ins whatever this processor has: what a
// processor without the path's instructions runs.
ShrinkKernel StandInKernelOf(ShrinkPath path);

// A path and whether its portable stand-ins run it: what a build takes, told to the
// decoders that shrink pictures as they decode them so that they take the same.
struct ShrinkChoice {
  ShrinkPath path = ShrinkPath::kPortable;
  bool standIns = false;
};
ShrinkKernel KernelOf(ShrinkChoice choice);
// The choice DefaultShrinkKernel() makes.
ShrinkChoice DefaultShrinkChoice();

// The kernel builds take: that of the path named by the environment variable
// VARNEL_SHRINK_PATH (portable, avx2 or avx512) when it is set, so that tests can force
// each path through a whole build; otherwise the fastest this processor has. A
// ShrinkPathForTests in place wins over both.
ShrinkKernel DefaultShrinkKernel();

// A test hook: while one lives, DefaultShrinkKernel() gives the kernel of its path, with
// the portable stand-ins when standIns is true. One at a time, set before a build starts.
class ShrinkPathForTests {
 public:
  ShrinkPathForTests(ShrinkPath path, bool standIns);
  ~ShrinkPathForTests();
  ShrinkPathForTests(const ShrinkPathForTests&) = delete;
  ShrinkPathForTests& operator=(const ShrinkPathForTests&) = delete;
};

namespace shrink {
// The native kernels, each defined in a unit built for its instructions.
ShrinkKernel Avx2Kernel();
ShrinkKernel Avx512Kernel();
}  // namespace shrink

}  // namespace varnel
