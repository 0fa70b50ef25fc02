// The shrinking pass's steps with AVX2: 8 lanes, each channel's sums in two registers of
// four floats, summed in registers of four doubles. Every operation is the portable
// step's (shrink_kernels.cpp) for four lanes at once: the product of the weights, the
// product with the value, the addition in double and the rounding to float; where the
// products are exact, the multiply and add is one instruction. Plans whose sums are exact
// in single precision take single-precision steps.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "builder/shrink_kernels.h"
#include "builder/shrink_plan.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

// Everything below is compiled for AVX2 and FMA (and runs only where the processor has
// both).
// (clang takes the same as an attribute of every function that follows.)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,fma"))), apply_to = function)
#else
#pragma GCC target("avx2,fma")
#endif

#include "builder/shrink_walk.h"
#include "builder/shrink_x86.h"

namespace varnel::shrink {

namespace {

constexpr int kLanes = 8;
constexpr int kHalf = 4;
constexpr int kShortBlock = 4;

// 8 x 8 values: rows[l] holds lane l's 8 steps; afterwards rows[k] holds step k of the 8
// lanes.
[[gnu::always_inline]] inline void Transpose(__m256i rows[kLanes]) {
  __m256i pairs[kLanes];
#pragma GCC unroll 8
  for (int i = 0; i < kLanes; i += 2) {
    pairs[i] = _mm256_unpacklo_epi32(rows[i], rows[i + 1]);
    pairs[i + 1] = _mm256_unpackhi_epi32(rows[i], rows[i + 1]);
  }
  // Within each 128-bit half, four lanes of one step: quads[2s] holds lanes 0-3 of steps s
  // (low half) and s + 4 (high half), quads[2s + 1] lanes 4-7 of the same steps.
  __m256i quads[kLanes];
#pragma GCC unroll 8
  for (int half = 0; half < kLanes; half += kHalf) {
    const __m256i* p = pairs + half;
    quads[half / kHalf + 0] = _mm256_unpacklo_epi64(p[0], p[2]);
    quads[half / kHalf + 2] = _mm256_unpackhi_epi64(p[0], p[2]);
    quads[half / kHalf + 4] = _mm256_unpacklo_epi64(p[1], p[3]);
    quads[half / kHalf + 6] = _mm256_unpackhi_epi64(p[1], p[3]);
  }
#pragma GCC unroll 8
  for (int s = 0; s < kHalf; ++s) {
    rows[s] = _mm256_permute2x128_si256(quads[2 * s], quads[2 * s + 1], 0x20);
    rows[s + kHalf] = _mm256_permute2x128_si256(quads[2 * s], quads[2 * s + 1], 0x31);
  }
}

// 8 lanes x 4 steps: rows[i] holds the 4 steps of lane i in its low half and of lane i + 4
// in its high half; afterwards rows[k] holds step k of lanes 0-7 in order.
[[gnu::always_inline]] inline void TransposeShort(__m256i rows[kShortBlock]) {
  const __m256i low01 = _mm256_unpacklo_epi32(rows[0], rows[1]);
  const __m256i high01 = _mm256_unpackhi_epi32(rows[0], rows[1]);
  const __m256i low23 = _mm256_unpacklo_epi32(rows[2], rows[3]);
  const __m256i high23 = _mm256_unpackhi_epi32(rows[2], rows[3]);
  rows[0] = _mm256_unpacklo_epi64(low01, low23);
  rows[1] = _mm256_unpackhi_epi64(low01, low23);
  rows[2] = _mm256_unpacklo_epi64(high01, high23);
  rows[3] = _mm256_unpackhi_epi64(high01, high23);
}

struct Avx2Steps {
  static constexpr int kLanes = varnel::shrink::kLanes;
  static constexpr int kStepValues = kChannels * kLanes;  // each channel of every lane
  struct Sums {
    __m128 of[kChannels][2];
  };

  [[gnu::always_inline]] static Sums LoadSums(const float* from) {
    Sums sums;
    for (int c = 0; c < kChannels; ++c)
      for (int h = 0; h < 2; ++h) sums.of[c][h] = _mm_loadu_ps(from + c * kLanes + h * kHalf);
    return sums;
  }
  [[gnu::always_inline]] static void StoreSums(const Sums& sums, float* to) {
    for (int c = 0; c < kChannels; ++c)
      for (int h = 0; h < 2; ++h) _mm_storeu_ps(to + c * kLanes + h * kHalf, sums.of[c][h]);
  }

  [[gnu::always_inline]] static void StageBlock(const uint32_t* wide, const int32_t* starts,
                                                int32_t k0, int32_t count, int32_t* block) {
    __m256i rows[kLanes] = {};
    if (count <= kShortBlock) {
      // A short block (runs of a pixel or two, a run's last steps): four steps a lane.
#pragma GCC unroll 4
      for (int i = 0; i < kShortBlock; ++i) {
        const auto* low = reinterpret_cast<const __m128i*>(wide + starts[i] + k0);
        const auto* high = reinterpret_cast<const __m128i*>(wide + starts[i + kHalf] + k0);
        rows[i] = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(low)),
                                          _mm_loadu_si128(high), 1);
      }
      TransposeShort(rows);
    } else {
#pragma GCC unroll 8
      for (int l = 0; l < kLanes; ++l)
        rows[l] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(wide + starts[l] + k0));
      Transpose(rows);
    }
    const __m256i byteMask = _mm256_set1_epi32(0xFF);
#pragma GCC unroll 8
    for (int k = 0; k < kBlockSteps; ++k) {
      if (k == count) break;
      auto* out = reinterpret_cast<__m256i*>(block + k * kChannels * kLanes);
      _mm256_store_si256(out + 0, _mm256_and_si256(rows[k], byteMask));
      _mm256_store_si256(out + 1, _mm256_and_si256(_mm256_srli_epi32(rows[k], 8), byteMask));
      _mm256_store_si256(out + 2, _mm256_srli_epi32(rows[k], 16));  // the fourth byte is 0
    }
  }

  [[gnu::always_inline]] static void StoreUnit(const float* sums, int count, bool redFirst,
                                               uint8_t* out) {
    // The low byte of each truncated sum: bytes 0, 4, 8, 12 of each 128-bit half, then the
    // two halves' four bytes side by side.
    const __m256i lowBytes =
        _mm256_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 4, 8, 12,
                         -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m256i halves = _mm256_setr_epi32(0, 4, 1, 1, 1, 1, 1, 1);
    __m128i bytes[kChannels];
    for (int c = 0; c < kChannels; ++c) {
      const __m256i values = _mm256_cvttps_epi32(_mm256_loadu_ps(sums + c * kLanes));
      bytes[c] = _mm256_castsi256_si128(
          _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(values, lowBytes), halves));
    }
    if (redFirst) {
      const __m128i first = bytes[0];
      bytes[0] = bytes[2];
      bytes[2] = first;
    }
    alignas(16) uint8_t pixels[2 * 16];
    InterleaveChannels<kLanes>(bytes, pixels);
    std::memcpy(out, pixels, static_cast<std::size_t>(count) * kChannels);
  }

  struct Weights {
    __m256d of[2];
  };
  [[gnu::always_inline]] static Weights Weigh(const double* weights, double y) {
    const __m256d yShare = _mm256_set1_pd(y);
    return {{_mm256_mul_pd(yShare, _mm256_loadu_pd(weights)),
             _mm256_mul_pd(yShare, _mm256_loadu_pd(weights + kHalf))}};
  }

  template <bool kFused>
  [[gnu::always_inline]] static void AddStep(Sums& sums, const int32_t* values,
                                             const Weights& weighed) {
    const __m256d* weight = weighed.of;
#pragma GCC unroll 3
    for (int c = 0; c < kChannels; ++c) {
#pragma GCC unroll 2
      for (int h = 0; h < 2; ++h) {
        const __m256d value = _mm256_cvtepi32_pd(
            _mm_load_si128(reinterpret_cast<const __m128i*>(values + c * kLanes + h * kHalf)));
        const __m256d sum =
            kFused ? _mm256_fmadd_pd(weight[h], value, _mm256_cvtps_pd(sums.of[c][h]))
                   : _mm256_add_pd(_mm256_cvtps_pd(sums.of[c][h]), _mm256_mul_pd(weight[h], value));
        sums.of[c][h] = _mm256_cvtpd_ps(sum);
      }
    }
  }
};

// The same steps for plans whose sums are exact in single precision (ShrinkPlanView::
// singleSums): each channel's eight sums in one register, a step one multiply and add in
// float, which rounds once, as the pass's addition in double and rounding to float do for
// such plans.
struct Avx2SingleSteps {
  static constexpr int kLanes = Avx2Steps::kLanes;
  static constexpr int kStepValues = Avx2Steps::kStepValues;
  struct Sums {
    __m256 of[kChannels];
  };

  [[gnu::always_inline]] static Sums LoadSums(const float* from) {
    Sums sums;
    for (int c = 0; c < kChannels; ++c) sums.of[c] = _mm256_loadu_ps(from + c * kLanes);
    return sums;
  }
  [[gnu::always_inline]] static void StoreSums(const Sums& sums, float* to) {
    for (int c = 0; c < kChannels; ++c) _mm256_storeu_ps(to + c * kLanes, sums.of[c]);
  }
  [[gnu::always_inline]] static void StageBlock(const uint32_t* wide, const int32_t* starts,
                                                int32_t k0, int32_t count, int32_t* block) {
    Avx2Steps::StageBlock(wide, starts, k0, count, block);
  }
  [[gnu::always_inline]] static void StoreUnit(const float* sums, int count, bool redFirst,
                                               uint8_t* out) {
    Avx2Steps::StoreUnit(sums, count, redFirst, out);
  }

  struct Weights {
    __m256 of;
  };
  // The weights are floats kept as doubles, and their products with y are floats.
  [[gnu::always_inline]] static Weights Weigh(const double* weights, double y) {
    const __m128 low = _mm256_cvtpd_ps(_mm256_loadu_pd(weights));
    const __m128 high = _mm256_cvtpd_ps(_mm256_loadu_pd(weights + kHalf));
    return {_mm256_mul_ps(_mm256_set1_ps(static_cast<float>(y)), _mm256_set_m128(high, low))};
  }

  template <bool kFused>
  [[gnu::always_inline]] static void AddStep(Sums& sums, const int32_t* values,
                                             const Weights& weighed) {
#pragma GCC unroll 3
    for (int c = 0; c < kChannels; ++c) {
      const __m256 value = _mm256_cvtepi32_ps(
          _mm256_load_si256(reinterpret_cast<const __m256i*>(values + c * kLanes)));
      sums.of[c] = _mm256_fmadd_ps(weighed.of, value, sums.of[c]);
    }
  }
};

void Widen(const uint8_t* row, int width, uint32_t* wide) {
  // Eight pixels from 24 bytes: their dwords moved to four per 128-bit lane, then each
  // pixel's three bytes and a 0. A load of 32 bytes must stay within the row.
  const __m256i toLanes = _mm256_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5);
  const __m256i toPixels = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0,
                                            1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  int x = 0;
  for (; (x + kLanes) * kChannels + kLanes <= width * kChannels; x += kLanes) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + x * kChannels));
    const __m256i pixels =
        _mm256_shuffle_epi8(_mm256_permutevar8x32_epi32(bytes, toLanes), toPixels);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(wide + x), pixels);
  }
  for (; x < width; ++x) {
    const uint8_t* pixel = row + static_cast<std::ptrdiff_t>(x) * kChannels;
    wide[x] = uint32_t{pixel[0]} | uint32_t{pixel[1]} << 8 | uint32_t{pixel[2]} << 16;
  }
}

void Store(const float* sums, const ShrinkPlanView& plan, bool redFirst, uint8_t* row) {
  StoreRowOf<Avx2Steps>(sums, plan, redFirst, row);
}

void Accumulate(const uint32_t* wide, const ShrinkPlanView& plan, double y0, double y1, bool spills,
                float* current, float* next, const uint8_t* ahead, int aheadBytes) {
  if (plan.singleSums)
    AccumulateRowAs<Avx2SingleSteps, true>(wide, plan, y0, y1, spills, current, next, ahead,
                                           aheadBytes);
  else
    AccumulateRowOf<Avx2Steps>(wide, plan, y0, y1, spills, current, next, ahead, aheadBytes);
}

}  // namespace

ShrinkKernel Avx2Kernel() {
  return {kLanes, Widen, Accumulate, Store};
}

}  // namespace varnel::shrink

#if defined(__clang__)
#pragma clang attribute pop
#endif

#endif
