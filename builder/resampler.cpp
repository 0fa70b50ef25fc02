// How the resampler computes
// ==========================
//
// Along each axis the source and the destination lie on a common line, and a weight
// table (weight_table.h) gives for every step of the walk the share of a destination
// pixel that the current source pixel covers, and the share that spills into the next
// pixel. A destination pixel is the mix of the source pixels that cover it, each
// weighted by its x share times its y share.
//
// The arithmetic is fixed to the bit, since built images must not change:
// - weights are floats; the product of a y and an x weight is formed in double (exact),
//   then multiplied by the channel value (0-255) in double;
// - shrinking: each source pixel is added into float accumulators, one per destination
//   channel. Every addition is made in double and the sum stored back as float at once,
//   so the order of the additions into one accumulator belongs to the result: it is the
//   walk's order, source rows bottom-up, pixels left to right;
// - enlarging: a destination channel is its first term stored as float, then each further
//   term (next column, next row, both) added in double and stored back as float;
// - a float becomes a byte by truncation toward zero, keeping the low 8 bits; nothing is
//   clamped. The weights of one destination pixel sum to 1 up to rounding, so a flat area
//   of value v comes out as v or v - 1, never v + 1.
//
// Worked case: the row 10, 20, 30, 40, 50 shrunk to two pixels. The table is (0.4, 0)
// (0.4, 0) (0.2, 0.2) (0.4, 0) (0.4, -1): the third pixel straddles the boundary and gives
// 0.2 of itself to each side. Left: 0.4*10 + 0.4*20 + 0.2*30, summed as floats 4, 12, 18,
// gives 18; right: 0.2*30 + 0.4*40 + 0.4*50 gives 42. Where a sum ends just below an
// integer, truncation takes the integer below: a flat grey 128 shrunk from 800 x 600 to
// 240 x 160 comes out 127 at some pixels.
// Enlarging the row 100, 201 to five pixels gives 100, 100, 150 (150.5 truncated), 201, 201.
//
// Speed without changing a bit: the shrinking pass turns the tables into a plan once per
// call (for each destination column, its run of source pixels and their x weights) and
// then sums four destination columns side by side, so that four independent accumulators
// hide the latency of the float rounding. Columns with fewer source pixels are padded with
// zero weights, and adding 0 leaves a float sum unchanged. The AVX2 path computes the
// three channels of a pixel in one register with the same operations in the same order;
// the AVX-512 path puts two columns in a register and sums sixteen side by side, since the
// rounding of each addition, not the arithmetic, is what a row's sum waits for.
// A source read where the decoder left it (bitmap_view.h: top-down rows, red first) is
// walked in the same order, bottom row first; its channel order only decides which
// accumulator holds which channel, undone when a row is stored.
// Every path (portable or vector, in place or not) gives the same bytes; the tests hold
// them to it. The file is compiled with -ffp-contract=off so that no multiply and add is
// fused into one rounding.

#include "builder/resampler.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

#include "builder/bitmap.h"
#include "builder/bitmap_view.h"
#include "builder/weight_table.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VARNEL_HAVE_AVX2_PATH 1
#endif

namespace varnel {

namespace {

constexpr int kChannels = 3;
// Accumulators hold four floats per destination column (blue, green, red, unused), the
// width of one vector register.
constexpr int kSlots = 4;
// Destination columns summed side by side: four by the portable and AVX2 paths, sixteen
// (eight registers of two columns each) by the AVX-512 path.
constexpr int kLanes = 4;
constexpr int kWideLanes = 16;

uint8_t ByteOfSum(float sum) {
  return static_cast<uint8_t>(static_cast<int32_t>(sum));
}

float AddTerm(float sum, double weight, uint8_t value) {
  return static_cast<float>(static_cast<double>(sum) + weight * static_cast<double>(value));
}

void CheckSizes(int sourceWidth, int sourceHeight, int width, int height) {
  if (sourceWidth < 1 || sourceHeight < 1 || width < 1 || height < 1)
    throw std::invalid_argument("resampler sizes must be at least 1 pixel");
}

// ---------------------------------------------------------------------------------------
// Shrinking

// The x walk of the shrinking pass as a plan: destination columns in groups of lanes,
// each group a run of steps; step k of lane l adds the source pixel at byte offset
// offsets[...] with the x weight weights[...] to column group * lanes + l.
struct ShrinkColumnPlan {
  int lanes = kLanes;
  int groups = 0;
  std::vector<uint32_t> groupEnd;  // one past the group's last step
  std::vector<uint32_t> offsets;   // per step and lane
  std::vector<double> weights;     // per step and lane; 0 pads a shorter column
};

struct Contribution {
  int sourcePixel;
  float weight;
};

// The contributions of every destination column in the order they reach it: column j's
// are byColumn[first[j]] .. byColumn[first[j + 1] - 1], a run of neighbouring pixels.
struct ColumnContributions {
  std::vector<uint32_t> first;
  std::vector<Contribution> byColumn;
  uint32_t CountOf(int column) const {
    return first[static_cast<std::size_t>(column) + 1] - first[static_cast<std::size_t>(column)];
  }
};

// Walks the x table as the pass would, calling add(column, pixel, weight) in the order
// the additions reach each column. The walk never leaves the row or the destination.
template <typename Add>
void WalkColumns(const WeightTable& table, int sourceWidth, int width, Add add) {
  int column = 0;
  for (int pixel = 0; pixel < sourceWidth && column < width; ++pixel) {
    const WeightPair& pair = table.pairs[static_cast<std::size_t>(pixel)];
    add(column, pixel, pair.w0);
    if (table.Spills(pair) && column + 1 < width) add(column + 1, pixel, pair.w1);
    if (table.Advances(pair)) ++column;
  }
}

ColumnContributions CollectContributions(const WeightTable& table, int sourceWidth, int width) {
  ColumnContributions result;
  std::vector<uint32_t>& first = result.first;
  first.assign(static_cast<std::size_t>(width) + 1, 0);
  WalkColumns(table, sourceWidth, width,
              [&](int column, int, float) { ++first[static_cast<std::size_t>(column) + 1]; });
  for (std::size_t j = 0; j < static_cast<std::size_t>(width); ++j) first[j + 1] += first[j];
  result.byColumn.resize(first.back());
  std::vector<uint32_t> next(first.begin(), first.end() - 1);
  WalkColumns(table, sourceWidth, width, [&](int column, int pixel, float weight) {
    result.byColumn[next[static_cast<std::size_t>(column)]++] = Contribution{pixel, weight};
  });
  return result;
}

// Lays the columns of each group side by side, step by step; a shorter column is padded
// with steps of weight 0 on pixel 0 (a pixel that exists), and so is a lane past the last
// column, which adds to a spare accumulator.
ShrinkColumnPlan PlanShrinkColumns(const WeightTable& table, int sourceWidth, int width,
                                   int lanes) {
  const ColumnContributions columns = CollectContributions(table, sourceWidth, width);
  ShrinkColumnPlan plan;
  plan.lanes = lanes;
  plan.groups = (width + lanes - 1) / lanes;
  uint32_t steps = 0;
  for (int group = 0; group < plan.groups; ++group) {
    uint32_t longest = 0;
    for (int column = group * lanes; column < std::min(width, (group + 1) * lanes); ++column)
      longest = std::max(longest, columns.CountOf(column));
    steps += longest;
    plan.groupEnd.push_back(steps);
  }
  plan.offsets.assign(static_cast<std::size_t>(steps) * lanes, 0);
  plan.weights.assign(static_cast<std::size_t>(steps) * lanes, 0.0);
  uint32_t groupStart = 0;
  for (int group = 0; group < plan.groups; ++group) {
    for (int lane = 0; lane < lanes && group * lanes + lane < width; ++lane) {
      const int column = group * lanes + lane;
      for (uint32_t k = 0; k < columns.CountOf(column); ++k) {
        const Contribution& c =
            columns.byColumn[columns.first[static_cast<std::size_t>(column)] + k];
        const std::size_t at = static_cast<std::size_t>(groupStart + k) * lanes + lane;
        plan.offsets[at] = static_cast<uint32_t>(c.sourcePixel) * kChannels;
        plan.weights[at] = c.weight;
      }
    }
    groupStart = plan.groupEnd[static_cast<std::size_t>(group)];
  }
  return plan;
}

// Adds one source row, weighted by its y share, into a row of accumulators.
void AccumulateRowPortable(const uint8_t* row, const ShrinkColumnPlan& plan, double yWeight,
                           float* sums) {
  const uint32_t* offsets = plan.offsets.data();
  const double* weights = plan.weights.data();
  uint32_t step = 0;
  for (int group = 0; group < plan.groups; ++group) {
    float* groupSums = sums + static_cast<std::size_t>(group) * kLanes * kSlots;
    float a[kLanes][kChannels];
    for (int lane = 0; lane < kLanes; ++lane)
      for (int c = 0; c < kChannels; ++c) a[lane][c] = groupSums[lane * kSlots + c];
    const uint32_t end = plan.groupEnd[static_cast<std::size_t>(group)];
    for (; step < end; ++step) {
      const uint32_t* stepOffsets = offsets + static_cast<std::size_t>(step) * kLanes;
      const double* stepWeights = weights + static_cast<std::size_t>(step) * kLanes;
#pragma GCC unroll 4
      for (int lane = 0; lane < kLanes; ++lane) {
        const uint8_t* pixel = row + stepOffsets[lane];
        const double weight = yWeight * stepWeights[lane];
        a[lane][0] = AddTerm(a[lane][0], weight, pixel[0]);
        a[lane][1] = AddTerm(a[lane][1], weight, pixel[1]);
        a[lane][2] = AddTerm(a[lane][2], weight, pixel[2]);
      }
    }
    for (int lane = 0; lane < kLanes; ++lane)
      for (int c = 0; c < kChannels; ++c) groupSums[lane * kSlots + c] = a[lane][c];
  }
}

// The accumulator slot of each output channel (blue, green, red): a red-first source
// fills its slots in the other order.
int SlotOf(int channel, bool redFirst) {
  return redFirst ? kChannels - 1 - channel : channel;
}

// Stores a row of sums as bytes: truncation toward zero, the low 8 bits.
void StoreRow(const float* sums, int width, bool redFirst, uint8_t* row) {
  for (int j = 0; j < width; ++j)
    for (int c = 0; c < kChannels; ++c)
      row[j * kChannels + c] =
          ByteOfSum(sums[static_cast<std::size_t>(j) * kSlots + SlotOf(c, redFirst)]);
}

#ifdef VARNEL_HAVE_AVX2_PATH
__attribute__((target("avx2"))) inline __m256d PixelAsDoubles(const uint8_t* pixel) {
  const uint32_t bgr = static_cast<uint32_t>(pixel[0]) | static_cast<uint32_t>(pixel[1]) << 8 |
                       static_cast<uint32_t>(pixel[2]) << 16;
  return _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(static_cast<int>(bgr))));
}

// The same sums as AccumulateRowPortable: each lane's three channels in one register, the
// product, the double addition and the rounding to float done per channel exactly alike.
__attribute__((target("avx2"))) void AccumulateRowAvx2(const uint8_t* row,
                                                       const ShrinkColumnPlan& plan, double yWeight,
                                                       float* sums) {
  const uint32_t* offsets = plan.offsets.data();
  const double* weights = plan.weights.data();
  const __m256d y = _mm256_set1_pd(yWeight);
  uint32_t step = 0;
  for (int group = 0; group < plan.groups; ++group) {
    float* groupSums = sums + static_cast<std::size_t>(group) * kLanes * kSlots;
    __m128 a0 = _mm_loadu_ps(groupSums + 0 * kSlots);
    __m128 a1 = _mm_loadu_ps(groupSums + 1 * kSlots);
    __m128 a2 = _mm_loadu_ps(groupSums + 2 * kSlots);
    __m128 a3 = _mm_loadu_ps(groupSums + 3 * kSlots);
    const uint32_t end = plan.groupEnd[static_cast<std::size_t>(group)];
    for (; step < end; ++step) {
      const uint32_t* o = offsets + static_cast<std::size_t>(step) * kLanes;
      const double* w = weights + static_cast<std::size_t>(step) * kLanes;
      const __m256d w0 = _mm256_mul_pd(y, _mm256_broadcast_sd(w + 0));
      const __m256d w1 = _mm256_mul_pd(y, _mm256_broadcast_sd(w + 1));
      const __m256d w2 = _mm256_mul_pd(y, _mm256_broadcast_sd(w + 2));
      const __m256d w3 = _mm256_mul_pd(y, _mm256_broadcast_sd(w + 3));
      const __m256d t0 = _mm256_mul_pd(w0, PixelAsDoubles(row + o[0]));
      const __m256d t1 = _mm256_mul_pd(w1, PixelAsDoubles(row + o[1]));
      const __m256d t2 = _mm256_mul_pd(w2, PixelAsDoubles(row + o[2]));
      const __m256d t3 = _mm256_mul_pd(w3, PixelAsDoubles(row + o[3]));
      a0 = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_cvtps_pd(a0), t0));
      a1 = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_cvtps_pd(a1), t1));
      a2 = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_cvtps_pd(a2), t2));
      a3 = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_cvtps_pd(a3), t3));
    }
    _mm_storeu_ps(groupSums + 0 * kSlots, a0);
    _mm_storeu_ps(groupSums + 1 * kSlots, a1);
    _mm_storeu_ps(groupSums + 2 * kSlots, a2);
    _mm_storeu_ps(groupSums + 3 * kSlots, a3);
  }
}

// Stores the sums of a row as bytes like StoreRow, a column per conversion of its four
// floats; each truncated integer gives its low byte.
__attribute__((target("avx2"))) void StoreRowAvx2(const float* sums, int width, bool redFirst,
                                                  uint8_t* row) {
  const __m128i lowBytes =
      redFirst ? _mm_setr_epi8(8, 4, 0, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1)
               : _mm_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
  for (int j = 0; j < width; ++j) {
    const __m128i values =
        _mm_cvttps_epi32(_mm_loadu_ps(sums + static_cast<std::size_t>(j) * kSlots));
    const auto bgr = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi8(values, lowBytes)));
    uint8_t* out = row + static_cast<std::size_t>(j) * kChannels;
    if (j + 1 < width) {
      std::memcpy(out, &bgr, 4);  // the fourth byte is the next column's, stored next
    } else {
      out[0] = static_cast<uint8_t>(bgr);
      out[1] = static_cast<uint8_t>(bgr >> 8);
      out[2] = static_cast<uint8_t>(bgr >> 16);
    }
  }
}

bool CpuHasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2") != 0;
  return has;
}

#define VARNEL_AVX512_TARGET __attribute__((target("avx512f,avx512vl,avx2")))
// GCC 12 takes the "undefined" source operands inside its own AVX-512 conversion
// intrinsics for uninitialised variables; nothing of ours is.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

// Two pixels as doubles: the first pixel's three channels and a 0 in the low four, the
// second's in the high four.
VARNEL_AVX512_TARGET inline __m512d TwoPixelsAsDoubles(const uint8_t* first,
                                                       const uint8_t* second) {
  const auto bgr = [](const uint8_t* pixel) {
    return uint64_t{pixel[0]} | uint64_t{pixel[1]} << 8 | uint64_t{pixel[2]} << 16;
  };
  const __m128i bytes = _mm_cvtsi64_si128(static_cast<long long>(bgr(first) | bgr(second) << 32));
  return _mm512_cvtepi32_pd(_mm256_cvtepu8_epi32(bytes));
}

// The same sums again, two columns to a register and sixteen columns side by side: each
// column's channels still get the product, the double addition and the rounding to float
// of AccumulateRowPortable, in the same order; only more columns are in flight at once.
VARNEL_AVX512_TARGET void AccumulateRowAvx512(const uint8_t* row, const ShrinkColumnPlan& plan,
                                              double yWeight, float* sums) {
  constexpr int kPairs = kWideLanes / 2;
  const uint32_t* offsets = plan.offsets.data();
  const double* weights = plan.weights.data();
  const __m512d y = _mm512_set1_pd(yWeight);
  // Spreads the two weights of a pair over the four slots of their columns.
  const __m512i spread = _mm512_set_epi64(1, 1, 1, 1, 0, 0, 0, 0);
  uint32_t step = 0;
  for (int group = 0; group < plan.groups; ++group) {
    float* groupSums = sums + static_cast<std::size_t>(group) * kWideLanes * kSlots;
    __m256 a[kPairs];
#pragma GCC unroll 8
    for (int p = 0; p < kPairs; ++p) a[p] = _mm256_loadu_ps(groupSums + p * 2 * kSlots);
    const uint32_t end = plan.groupEnd[static_cast<std::size_t>(group)];
    for (; step < end; ++step) {
      const uint32_t* o = offsets + static_cast<std::size_t>(step) * kWideLanes;
      const double* w = weights + static_cast<std::size_t>(step) * kWideLanes;
#pragma GCC unroll 8
      for (int p = 0; p < kPairs; ++p) {
        const __m512d pairWeights =
            _mm512_permutexvar_pd(spread, _mm512_zextpd128_pd512(_mm_loadu_pd(w + 2 * p)));
        const __m512d term = _mm512_mul_pd(_mm512_mul_pd(y, pairWeights),
                                           TwoPixelsAsDoubles(row + o[2 * p], row + o[2 * p + 1]));
        a[p] = _mm512_cvtpd_ps(_mm512_add_pd(_mm512_cvtps_pd(a[p]), term));
      }
    }
#pragma GCC unroll 8
    for (int p = 0; p < kPairs; ++p) _mm256_storeu_ps(groupSums + p * 2 * kSlots, a[p]);
  }
}

#pragma GCC diagnostic pop

bool CpuHasAvx512() {
  static const bool has =
      __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512vl") != 0;
  return has;
}
#endif

struct ShrinkKernels {
  int lanes;
  void (*accumulate)(const uint8_t* row, const ShrinkColumnPlan& plan, double yWeight, float* sums);
  void (*store)(const float* sums, int width, bool redFirst, uint8_t* row);
};

ShrinkKernels KernelsFor(ShrinkPath path) {
#ifdef VARNEL_HAVE_AVX2_PATH
  if (path == ShrinkPath::kAvx512 && CpuHasAvx512())
    return {kWideLanes, AccumulateRowAvx512, StoreRowAvx2};
  if (path == ShrinkPath::kAvx2 && CpuHasAvx2()) return {kLanes, AccumulateRowAvx2, StoreRowAvx2};
#endif
  (void)path;
  return {kLanes, AccumulateRowPortable, StoreRow};
}

// The fastest path this processor has.
ShrinkPath BestShrinkPath() {
#ifdef VARNEL_HAVE_AVX2_PATH
  if (CpuHasAvx512()) return ShrinkPath::kAvx512;
  if (CpuHasAvx2()) return ShrinkPath::kAvx2;
#endif
  return ShrinkPath::kPortable;
}

void Shrink(const ShrinkKernels& kernels, const BitmapView& source, uint8_t* destination, int width,
            int height) {
  const int sourceWidth = source.width();
  const int sourceHeight = source.height();
  CheckSizes(sourceWidth, sourceHeight, width, height);
  if (width > sourceWidth || height > sourceHeight)
    throw std::invalid_argument("the shrinking pass cannot enlarge");
  const WeightTable xTable = BuildWeightTable(sourceWidth, width, true);
  const WeightTable yTable = BuildWeightTable(sourceHeight, height, true);
  const ShrinkColumnPlan plan = PlanShrinkColumns(xTable, sourceWidth, width, kernels.lanes);

  const std::size_t slots = static_cast<std::size_t>(plan.groups) * plan.lanes * kSlots;
  std::vector<float> current(slots, 0.0F);
  std::vector<float> next(slots, 0.0F);
  const std::size_t stride = Bitmap::StrideOf(width);
  int done = 0;  // destination rows finished, from the bottom
  for (int r = 0; r < sourceHeight && done < height; ++r) {
    const uint8_t* row = source.RowFromBottom(r);
    const WeightPair& pair = yTable.pairs[static_cast<std::size_t>(r)];
    kernels.accumulate(row, plan, pair.w0, current.data());
    if (yTable.Spills(pair)) kernels.accumulate(row, plan, pair.w1, next.data());
    if (yTable.Advances(pair)) {
      kernels.store(current.data(), width, source.redFirst(),
                    destination + static_cast<std::size_t>(done) * stride);
      current.swap(next);
      std::fill(next.begin(), next.end(), 0.0F);
      ++done;
    }
  }
}

// ---------------------------------------------------------------------------------------
// Enlarging

// One axis of the enlarging walk: for each destination pixel the source pixel it starts
// in, its two weights and whether it takes from the next source pixel too.
struct EnlargeAxisPlan {
  int made = 0;  // destination pixels the walk reaches (all of them with exact tables)
  std::vector<int> source;
  std::vector<WeightPair> weights;
  std::vector<bool> spills;
};

EnlargeAxisPlan PlanEnlargeAxis(int sourceSize, int size) {
  const WeightTable table = BuildWeightTable(size, sourceSize, false);
  EnlargeAxisPlan plan;
  int current = 0;
  for (int k = 0; k < size && current < sourceSize; ++k) {
    const WeightPair& pair = table.pairs[static_cast<std::size_t>(k)];
    plan.source.push_back(current);
    plan.weights.push_back(pair);
    plan.spills.push_back(table.Spills(pair) && current + 1 < sourceSize);
    if (table.Advances(pair)) ++current;
    ++plan.made;
  }
  return plan;
}

}  // namespace

void EnlargeView(const BitmapView& source, uint8_t* destination, int width, int height) {
  const int sourceWidth = source.width();
  const int sourceHeight = source.height();
  CheckSizes(sourceWidth, sourceHeight, width, height);
  if (width < sourceWidth || height < sourceHeight)
    throw std::invalid_argument("the enlarging pass cannot shrink");
  const EnlargeAxisPlan columns = PlanEnlargeAxis(sourceWidth, width);
  const EnlargeAxisPlan rows = PlanEnlargeAxis(sourceHeight, height);
  const std::size_t stride = Bitmap::StrideOf(width);
  const bool redFirst = source.redFirst();

  for (int i = 0; i < rows.made; ++i) {
    const auto rowIndex = static_cast<std::size_t>(i);
    const uint8_t* row = source.RowFromBottom(rows.source[rowIndex]);
    const bool rowSpills = rows.spills[rowIndex];
    const uint8_t* above = rowSpills ? source.RowFromBottom(rows.source[rowIndex] + 1) : row;
    const double y0 = rows.weights[rowIndex].w0;
    const double y1 = rows.weights[rowIndex].w1;
    uint8_t* out = destination + rowIndex * stride;
    for (int j = 0; j < columns.made; ++j) {
      const auto columnIndex = static_cast<std::size_t>(j);
      const std::size_t at = static_cast<std::size_t>(columns.source[columnIndex]) * kChannels;
      const double x0 = columns.weights[columnIndex].w0;
      const double x1 = columns.weights[columnIndex].w1;
      const bool columnSpills = columns.spills[columnIndex];
      for (int c = 0; c < kChannels; ++c) {
        float value = static_cast<float>((y0 * x0) * static_cast<double>(row[at + c]));
        if (columnSpills) value = AddTerm(value, y0 * x1, row[at + kChannels + c]);
        if (rowSpills) {
          value = AddTerm(value, y1 * x0, above[at + c]);
          if (columnSpills) value = AddTerm(value, y1 * x1, above[at + kChannels + c]);
        }
        out[j * kChannels + SlotOf(c, redFirst)] = ByteOfSum(value);
      }
    }
  }
}

void EnlargeRgb24(const uint8_t* source, int sourceWidth, int sourceHeight, uint8_t* destination,
                  int width, int height) {
  EnlargeView(BitmapView::OfBottomUpBgr(source, sourceWidth, sourceHeight), destination, width,
              height);
}

void ShrinkView(const BitmapView& source, uint8_t* destination, int width, int height) {
  Shrink(KernelsFor(BestShrinkPath()), source, destination, width, height);
}

void ShrinkRgb24(const uint8_t* source, int sourceWidth, int sourceHeight, uint8_t* destination,
                 int width, int height) {
  ShrinkView(BitmapView::OfBottomUpBgr(source, sourceWidth, sourceHeight), destination, width,
             height);
}

bool ShrinkPathAvailable(ShrinkPath path) {
  if (path == ShrinkPath::kPortable) return true;
#ifdef VARNEL_HAVE_AVX2_PATH
  return path == ShrinkPath::kAvx512 ? CpuHasAvx512() : CpuHasAvx2();
#else
  return false;
#endif
}

void ShrinkRgb24Using(ShrinkPath path, const uint8_t* source, int sourceWidth, int sourceHeight,
                      uint8_t* destination, int width, int height) {
  ShrinkViewUsing(path, BitmapView::OfBottomUpBgr(source, sourceWidth, sourceHeight), destination,
                  width, height);
}

void ShrinkViewUsing(ShrinkPath path, const BitmapView& source, uint8_t* destination, int width,
                     int height) {
  if (!ShrinkPathAvailable(path))
    throw std::invalid_argument("this processor has no such resampler path");
  Shrink(KernelsFor(path), source, destination, width, height);
}

}  // namespace varnel
