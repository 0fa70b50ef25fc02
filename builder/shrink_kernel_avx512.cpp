// The shrinking pass's steps with AVX-512: 16 lanes, each channel's sums in two registers
// of eight floats, summed in registers of eight doubles. Every operation is the portable
// step's (shrink_kernels.cpp) for eight lanes at once: the product of the weights, the
// product with the value, the addition in double and the rounding to float (where the
// products are exact, the multiply and add is one instruction). Sixteen lanes
// give six independent sums a step, which is what it takes to hide the latency of the
// roundings. Plans whose sums are exact in single precision take single-precision steps.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "builder/shrink_kernels.h"
#include "builder/shrink_plan.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

// Everything below is compiled for AVX-512 (and runs only where the processor has it).
// (clang takes the same as an attribute of every function that follows.)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f,avx512vl,avx512bw"))), \
                             apply_to = function)
#else
#pragma GCC target("avx512f,avx512vl,avx512bw")
#endif
// GCC 12 takes the "undefined" source operands inside its own AVX-512 intrinsics for
// uninitialised variables; nothing of ours is.
#pragma GCC diagnostic ignored "-Wuninitialized"
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include "builder/shrink_walk.h"
#include "builder/shrink_x86.h"

namespace varnel::shrink {

namespace {

constexpr int kLanes = 16;
constexpr int kHalf = 8;
constexpr int kShortBlock = 4;

// 16 lanes x 8 steps: rows[i] holds the 8 steps of lane i in its low half and of lane
// i + 8 in its high half; afterwards rows[k] holds step k of lanes 0-15 in order.
[[gnu::always_inline]] inline void Transpose(__m512i rows[kBlockSteps]) {
  __m512i pairs[kBlockSteps];
#pragma GCC unroll 8
  for (int i = 0; i < kBlockSteps; i += 2) {
    pairs[i] = _mm512_unpacklo_epi32(rows[i], rows[i + 1]);
    pairs[i + 1] = _mm512_unpackhi_epi32(rows[i], rows[i + 1]);
  }
  // Per 128-bit lane, four lanes of one step: quads[s] for s < 4 holds lanes 0-3 and 8-11
  // (quads[s + 4]: lanes 4-7 and 12-15) of step s in 128-bit lanes 0 and 2, and of step
  // s + 4 in lanes 1 and 3.
  __m512i quads[kBlockSteps];
#pragma GCC unroll 8
  for (int i = 0; i < kBlockSteps; i += 4) {
    quads[i + 0] = _mm512_unpacklo_epi64(pairs[i], pairs[i + 2]);
    quads[i + 1] = _mm512_unpackhi_epi64(pairs[i], pairs[i + 2]);
    quads[i + 2] = _mm512_unpacklo_epi64(pairs[i + 1], pairs[i + 3]);
    quads[i + 3] = _mm512_unpackhi_epi64(pairs[i + 1], pairs[i + 3]);
  }
  const __m512i early = _mm512_setr_epi64(0, 1, 8, 9, 4, 5, 12, 13);
  const __m512i late = _mm512_setr_epi64(2, 3, 10, 11, 6, 7, 14, 15);
#pragma GCC unroll 8
  for (int s = 0; s < 4; ++s) {
    rows[s] = _mm512_permutex2var_epi64(quads[s], early, quads[s + 4]);
    rows[s + 4] = _mm512_permutex2var_epi64(quads[s], late, quads[s + 4]);
  }
}

// 16 lanes x 4 steps: rows[i] holds the 4 steps of lanes i, i + 4, i + 8 and i + 12 in its
// four 128-bit lanes; afterwards rows[k] holds step k of lanes 0-15 in order.
[[gnu::always_inline]] inline void TransposeShort(__m512i rows[kShortBlock]) {
  const __m512i low01 = _mm512_unpacklo_epi32(rows[0], rows[1]);
  const __m512i high01 = _mm512_unpackhi_epi32(rows[0], rows[1]);
  const __m512i low23 = _mm512_unpacklo_epi32(rows[2], rows[3]);
  const __m512i high23 = _mm512_unpackhi_epi32(rows[2], rows[3]);
  rows[0] = _mm512_unpacklo_epi64(low01, low23);
  rows[1] = _mm512_unpackhi_epi64(low01, low23);
  rows[2] = _mm512_unpacklo_epi64(high01, high23);
  rows[3] = _mm512_unpackhi_epi64(high01, high23);
}

struct Avx512Steps {
  static constexpr int kLanes = varnel::shrink::kLanes;
  static constexpr int kStepValues = kChannels * kLanes;  // each channel of every lane
  struct Sums {
    __m256 of[kChannels][2];
  };

  [[gnu::always_inline]] static Sums LoadSums(const float* from) {
    Sums sums;
    for (int c = 0; c < kChannels; ++c)
      for (int h = 0; h < 2; ++h) sums.of[c][h] = _mm256_loadu_ps(from + c * kLanes + h * kHalf);
    return sums;
  }
  [[gnu::always_inline]] static void StoreSums(const Sums& sums, float* to) {
    for (int c = 0; c < kChannels; ++c)
      for (int h = 0; h < 2; ++h) _mm256_storeu_ps(to + c * kLanes + h * kHalf, sums.of[c][h]);
  }

  [[gnu::always_inline]] static void StageBlock(const uint32_t* wide, const int32_t* starts,
                                                int32_t k0, int32_t count, int32_t* block) {
    __m512i rows[kBlockSteps] = {};
    if (count <= kShortBlock) {
      // A short block (runs of a pixel or two, a run's last steps): four steps a lane.
      const auto steps = [&](int lane) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(wide + starts[lane] + k0));
      };
#pragma GCC unroll 4
      for (int i = 0; i < kShortBlock; ++i) {
        __m512i row = _mm512_castsi128_si512(steps(i));
        row = _mm512_inserti32x4(row, steps(i + 4), 1);
        row = _mm512_inserti32x4(row, steps(i + 8), 2);
        rows[i] = _mm512_inserti32x4(row, steps(i + 12), 3);
      }
      TransposeShort(rows);
    } else {
#pragma GCC unroll 8
      for (int i = 0; i < kBlockSteps; ++i) {
        const __m256i low =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(wide + starts[i] + k0));
        const __m256i high =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(wide + starts[i + kHalf] + k0));
        rows[i] = _mm512_inserti64x4(_mm512_castsi256_si512(low), high, 1);
      }
      Transpose(rows);
    }
    const __m512i byteMask = _mm512_set1_epi32(0xFF);
#pragma GCC unroll 8
    for (int k = 0; k < kBlockSteps; ++k) {
      if (k == count) break;
      int32_t* out = block + k * kChannels * kLanes;
      _mm512_store_si512(out, _mm512_and_si512(rows[k], byteMask));
      _mm512_store_si512(out + kLanes, _mm512_and_si512(_mm512_srli_epi32(rows[k], 8), byteMask));
      _mm512_store_si512(out + 2 * kLanes, _mm512_srli_epi32(rows[k], 16));  // the fourth byte is 0
    }
  }

  [[gnu::always_inline]] static void StoreUnit(const float* sums, int count, bool redFirst,
                                               uint8_t* out) {
    __m128i bytes[kChannels];
    for (int c = 0; c < kChannels; ++c)
      bytes[c] = _mm512_cvtepi32_epi8(_mm512_cvttps_epi32(_mm512_loadu_ps(sums + c * kLanes)));
    if (redFirst) {
      const __m128i first = bytes[0];
      bytes[0] = bytes[2];
      bytes[2] = first;
    }
    alignas(16) uint8_t pixels[kChannels * kLanes];
    InterleaveChannels<kLanes>(bytes, pixels);
    std::memcpy(out, pixels, static_cast<std::size_t>(count) * kChannels);
  }

  struct Weights {
    __m512d of[2];
  };
  [[gnu::always_inline]] static Weights Weigh(const double* weights, double y) {
    const __m512d yShare = _mm512_set1_pd(y);
    return {{_mm512_mul_pd(yShare, _mm512_loadu_pd(weights)),
             _mm512_mul_pd(yShare, _mm512_loadu_pd(weights + kHalf))}};
  }

  template <bool kFused>
  [[gnu::always_inline]] static void AddStep(Sums& sums, const int32_t* values,
                                             const Weights& weighed) {
    const __m512d* weight = weighed.of;
#pragma GCC unroll 3
    for (int c = 0; c < kChannels; ++c) {
#pragma GCC unroll 2
      for (int h = 0; h < 2; ++h) {
        const __m512d value = _mm512_cvtepi32_pd(
            _mm256_load_si256(reinterpret_cast<const __m256i*>(values + c * kLanes + h * kHalf)));
        const __m512d sum =
            kFused ? _mm512_fmadd_pd(weight[h], value, _mm512_cvtps_pd(sums.of[c][h]))
                   : _mm512_add_pd(_mm512_cvtps_pd(sums.of[c][h]), _mm512_mul_pd(weight[h], value));
        sums.of[c][h] = _mm512_cvtpd_ps(sum);
      }
    }
  }
};

// The same steps for plans whose sums are exact in single precision (ShrinkPlanView::
// singleSums): each channel's sixteen sums in one register, a step one multiply and add
// in float, which rounds once, as the pass's addition in double and rounding to float do
// for such plans. Nothing is converted but the values.
struct Avx512SingleSteps {
  static constexpr int kLanes = Avx512Steps::kLanes;
  static constexpr int kStepValues = Avx512Steps::kStepValues;
  struct Sums {
    __m512 of[kChannels];
  };

  [[gnu::always_inline]] static Sums LoadSums(const float* from) {
    Sums sums;
    for (int c = 0; c < kChannels; ++c) sums.of[c] = _mm512_loadu_ps(from + c * kLanes);
    return sums;
  }
  [[gnu::always_inline]] static void StoreSums(const Sums& sums, float* to) {
    for (int c = 0; c < kChannels; ++c) _mm512_storeu_ps(to + c * kLanes, sums.of[c]);
  }
  [[gnu::always_inline]] static void StageBlock(const uint32_t* wide, const int32_t* starts,
                                                int32_t k0, int32_t count, int32_t* block) {
    Avx512Steps::StageBlock(wide, starts, k0, count, block);
  }
  [[gnu::always_inline]] static void StoreUnit(const float* sums, int count, bool redFirst,
                                               uint8_t* out) {
    Avx512Steps::StoreUnit(sums, count, redFirst, out);
  }

  struct Weights {
    __m512 of;
  };
  // The weights are floats kept as doubles, and their products with y are floats.
  [[gnu::always_inline]] static Weights Weigh(const double* weights, double y) {
    const __m256 low = _mm512_cvtpd_ps(_mm512_loadu_pd(weights));
    const __m256 high = _mm512_cvtpd_ps(_mm512_loadu_pd(weights + kHalf));
    const __m512 both = _mm512_castpd_ps(_mm512_insertf64x4(
        _mm512_castps_pd(_mm512_castps256_ps512(low)), _mm256_castps_pd(high), 1));
    return {_mm512_mul_ps(_mm512_set1_ps(static_cast<float>(y)), both)};
  }

  template <bool kFused>
  [[gnu::always_inline]] static void AddStep(Sums& sums, const int32_t* values,
                                             const Weights& weighed) {
#pragma GCC unroll 3
    for (int c = 0; c < kChannels; ++c) {
      const __m512 value = _mm512_cvtepi32_ps(_mm512_load_si512(values + c * kLanes));
      sums.of[c] = _mm512_fmadd_ps(weighed.of, value, sums.of[c]);
    }
  }
};

void Widen(const uint8_t* row, int width, uint32_t* wide) {
  // Sixteen pixels from 48 bytes, loaded and stored under masks so that nothing past the
  // row is touched: their dwords moved to four per 128-bit lane, then each pixel's three
  // bytes and a 0.
  const __m512i toLanes = _mm512_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5, 6, 7, 8, 8, 9, 10, 11, 11);
  const __m512i toPixels =
      _mm512_broadcast_i32x4(_mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1));
  for (int x = 0; x < width; x += kLanes) {
    const int count = Smaller(kLanes, width - x);
    const __mmask64 byteMask = (__mmask64{1} << (count * kChannels)) - 1;
    const __mmask16 pixelMask = static_cast<__mmask16>((1U << count) - 1);
    const __m512i bytes =
        _mm512_maskz_loadu_epi8(byteMask, row + static_cast<std::ptrdiff_t>(x) * kChannels);
    const __m512i pixels = _mm512_shuffle_epi8(_mm512_permutexvar_epi32(toLanes, bytes), toPixels);
    _mm512_mask_storeu_epi32(wide + x, pixelMask, pixels);
  }
}

void Store(const float* sums, const ShrinkPlanView& plan, bool redFirst, uint8_t* row) {
  StoreRowOf<Avx512Steps>(sums, plan, redFirst, row);
}

void Accumulate(const uint32_t* wide, const ShrinkPlanView& plan, double y0, double y1, bool spills,
                float* current, float* next, const uint8_t* ahead, int aheadBytes) {
  if (plan.singleSums)
    AccumulateRowAs<Avx512SingleSteps, true>(wide, plan, y0, y1, spills, current, next, ahead,
                                             aheadBytes);
  else
    AccumulateRowOf<Avx512Steps>(wide, plan, y0, y1, spills, current, next, ahead, aheadBytes);
}

}  // namespace

ShrinkKernel Avx512Kernel() {
  return {kLanes, Widen, Accumulate, Store};
}

}  // namespace varnel::shrink

#if defined(__clang__)
#pragma clang attribute pop
#endif

#endif
