// The portable kernels and the choice of a path. The portable steps are plain loops over
// the lanes; with 8 and 16 lanes they stand in for the AVX2 and AVX-512 steps on a
// processor without those instructions (shrink_kernel_avx2.cpp, shrink_kernel_avx512.cpp
// do the same steps with them).

#include "builder/shrink_kernels.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

#include "builder/shrink_plan.h"
#include "builder/shrink_walk.h"

namespace varnel {

namespace {

using shrink::kBlockSteps;
using shrink::kChannels;

constexpr int kByteBits = 8;
constexpr uint32_t kByteMask = 0xFF;

void WidenPortable(const uint8_t* row, int width, uint32_t* wide) {
  for (int x = 0; x < width; ++x) {
    const uint8_t* pixel = row + static_cast<std::ptrdiff_t>(x) * kChannels;
    wide[x] = uint32_t{pixel[0]} | uint32_t{pixel[1]} << kByteBits |
              uint32_t{pixel[2]} << (2 * kByteBits);
  }
}

// A step stages each lane's pixel as it is widened; AddStep takes its channels apart.
template <int L>
struct PortableSteps {
  static constexpr int kLanes = L;
  static constexpr int kStepValues = L;
  struct Sums {
    float of[kChannels * L];
  };

  static Sums LoadSums(const float* from) {
    Sums sums;
    std::memcpy(sums.of, from, sizeof sums.of);
    return sums;
  }
  static void StoreSums(const Sums& sums, float* to) { std::memcpy(to, sums.of, sizeof sums.of); }

  static void StageBlock(const uint32_t* wide, const int32_t* starts, int32_t k0, int32_t count,
                         int32_t* block) {
    for (int32_t k = 0; k < count; ++k)
#pragma GCC unroll 16
      for (int l = 0; l < L; ++l) block[k * L + l] = static_cast<int32_t>(wide[starts[l] + k0 + k]);
  }

  static void StoreUnit(const float* sums, int count, bool redFirst, uint8_t* out) {
    for (int l = 0; l < count; ++l)
      for (int c = 0; c < kChannels; ++c)
        out[l * kChannels + (redFirst ? kChannels - 1 - c : c)] =
            static_cast<uint8_t>(static_cast<int32_t>(sums[c * L + l]));
  }

  struct Weights {
    double of[L];
  };
  static Weights Weigh(const double* weights, double y) {
    Weights weighed;
#pragma GCC unroll 16
    for (int l = 0; l < L; ++l) weighed.of[l] = y * weights[l];
    return weighed;
  }

  // A product that is exact needs no fused multiply and add: rounding the product changes
  // nothing, so the two roundings give what one would.
  template <bool kFused>
  static void AddStep(Sums& sums, const int32_t* values, const Weights& weighed) {
#pragma GCC unroll 16
    for (int l = 0; l < L; ++l) {
      const auto pixel = static_cast<uint32_t>(values[l]);
#pragma GCC unroll 3
      for (int c = 0; c < kChannels; ++c) {
        const uint32_t value = (pixel >> (c * kByteBits)) & kByteMask;
        float& sum = sums.of[c * L + l];
        sum = static_cast<float>(static_cast<double>(sum) +
                                 weighed.of[l] * static_cast<double>(value));
      }
    }
  }
};

template <int L>
void AccumulatePortable(const uint32_t* wide, const ShrinkPlanView& plan, double y0, double y1,
                        bool spills, float* current, float* next, const uint8_t* ahead,
                        int aheadBytes) {
  shrink::AccumulateRowOf<PortableSteps<L>>(wide, plan, y0, y1, spills, current, next, ahead,
                                            aheadBytes);
}

template <int L>
void StorePortable(const float* sums, const ShrinkPlanView& plan, bool redFirst, uint8_t* row) {
  shrink::StoreRowOf<PortableSteps<L>>(sums, plan, redFirst, row);
}

constexpr int kPortableLanes = 4;
constexpr int kAvx2Lanes = 8;
constexpr int kAvx512Lanes = 16;

ShrinkKernel PortableKernel(int lanes) {
  switch (lanes) {
    case kAvx2Lanes:
      return {kAvx2Lanes, WidenPortable, AccumulatePortable<kAvx2Lanes>, StorePortable<kAvx2Lanes>};
    case kAvx512Lanes:
      return {kAvx512Lanes, WidenPortable, AccumulatePortable<kAvx512Lanes>,
              StorePortable<kAvx512Lanes>};
    default:
      return {kPortableLanes, WidenPortable, AccumulatePortable<kPortableLanes>,
              StorePortable<kPortableLanes>};
  }
}

#if defined(__x86_64__) || defined(__i386__)
bool CpuHasAvx2() {  // with the multiply and add of the same processors
  static const bool has = __builtin_cpu_supports("avx2") != 0 && __builtin_cpu_supports("fma") != 0;
  return has;
}
bool CpuHasAvx512() {
  static const bool has = __builtin_cpu_supports("avx512f") != 0 &&
                          __builtin_cpu_supports("avx512vl") != 0 &&
                          __builtin_cpu_supports("avx512bw") != 0;
  return has;
}
#else
bool CpuHasAvx2() {
  return false;
}
bool CpuHasAvx512() {
  return false;
}
#endif

ShrinkPath FastestNativePath() {
  if (CpuHasAvx512()) return ShrinkPath::kAvx512;
  if (CpuHasAvx2()) return ShrinkPath::kAvx2;
  return ShrinkPath::kPortable;
}

// The path a ShrinkPathForTests forces: kNotForced, or the path's number times 2 plus 1
// for its stand-ins.
constexpr int kNotForced = -1;
std::atomic<int> forcedPath{kNotForced};

}  // namespace

std::size_t WidenedRowLength(int width, int longestRun) {
  // A padded step of the last block reads up to a run and a block past a run's start.
  return static_cast<std::size_t>(width) + static_cast<std::size_t>(longestRun) + kBlockSteps;
}

ShrinkKernel ShrinkKernelOf(ShrinkPath path) {
#if defined(__x86_64__) || defined(__i386__)
  if (path == ShrinkPath::kAvx2 && CpuHasAvx2()) return shrink::Avx2Kernel();
  if (path == ShrinkPath::kAvx512 && CpuHasAvx512()) return shrink::Avx512Kernel();
#endif
  return StandInKernelOf(path);
}

ShrinkKernel StandInKernelOf(ShrinkPath path) {
  switch (path) {
    case ShrinkPath::kAvx2:
      return PortableKernel(kAvx2Lanes);
    case ShrinkPath::kAvx512:
      return PortableKernel(kAvx512Lanes);
    case ShrinkPath::kPortable:
      break;
  }
  return PortableKernel(kPortableLanes);
}

ShrinkKernel KernelOf(ShrinkChoice choice) {
  return choice.standIns ? StandInKernelOf(choice.path) : ShrinkKernelOf(choice.path);
}

namespace {

// The path a test or the environment forces, if any.
std::optional<ShrinkChoice> ForcedChoice() {
  if (const int forced = forcedPath.load(); forced != kNotForced)
    return ShrinkChoice{static_cast<ShrinkPath>(forced / 2), forced % 2 == 1};
  static const std::optional<ShrinkPath> named = []() -> std::optional<ShrinkPath> {
    const char* variable = std::getenv("VARNEL_SHRINK_PATH");
    const std::string_view name = variable == nullptr ? std::string_view() : variable;
    if (name == "portable") return ShrinkPath::kPortable;
    if (name == "avx2") return ShrinkPath::kAvx2;
    if (name == "avx512") return ShrinkPath::kAvx512;
    return std::nullopt;
  }();
  if (named) return ShrinkChoice{*named, false};
  return std::nullopt;
}

}  // namespace

ShrinkChoice DefaultShrinkChoice() {
  return ForcedChoice().value_or(ShrinkChoice{FastestNativePath(), false});
}

ShrinkKernel DefaultShrinkKernel() {
  return KernelOf(DefaultShrinkChoice());
}

ShrinkPathForTests::ShrinkPathForTests(ShrinkPath path, bool standIns) {
  forcedPath.store(static_cast<int>(path) * 2 + (standIns ? 1 : 0));
}

ShrinkPathForTests::~ShrinkPathForTests() {
  forcedPath.store(kNotForced);
}

}  // namespace varnel
