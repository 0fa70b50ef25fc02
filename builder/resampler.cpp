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
// Speed without changing a bit: the order of the additions into one accumulator belongs
// to the result, but accumulators are independent of each other. The shrinking pass reads
// each source row once, widened to 4 bytes a pixel, for every size it makes (the 240 x
// 160 version and the thumbnail in one walk), and each size adds it into its own
// accumulators: destination columns side by side in lanes (4 portable, 8 with AVX2, 16
// with AVX-512), each lane adding its column's run of source pixels in order
// (shrink_plan.h, shrink_walk.h). A lane whose run is shorter is padded with weight 0,
// and adding 0 leaves a float sum unchanged. A source read where the decoder left it
// (bitmap_view.h: top-down rows, red first) is walked in the same order, bottom row first;
// its channel order only decides which accumulator holds which channel, undone when a row
// is stored. Every path (portable or vector, one size or several, in place or not) gives
// the same bytes; the tests hold them to it. The files are compiled with -ffp-contract=off
// so that the compiler fuses no multiply and add into one rounding; the vector paths fuse
// them only where every product of a weight and a value is exact in double (the weights
// have few significant bits, as on a 1920-pixel row shrunk to 240), so that rounding the
// product changes nothing. Worked case: 1920 to 240 weighs each pixel 0.125 times its
// row's y share (24 bits), and 24 + 1 + 8 bits for the value fit in 53.
// Where every such product is itself a float and no sum reaches 2^9, the vector paths add
// in single precision, one multiply and add rounded once (shrink_plan.h, singleSums): the
// terms and sums are then multiples of 2^-43 below 2^10, the addition in double is exact,
// and its rounding to float is the same single rounding. Worked case: 1080 rows to 160
// give y shares of about 0.148 (a float); times 0.125 each is still a float, and at least
// 2^-20, so 1920 x 1080 to 240 x 160 (and to 60 x 40, x shares 1/32) qualifies.

#include "builder/resampler.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "builder/bitmap.h"
#include "builder/bitmap_view.h"
#include "builder/shrink_kernels.h"
#include "builder/shrink_plan.h"
#include "builder/weight_table.h"

namespace varnel {

namespace {

constexpr int kChannels = 3;

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

// The accumulator slot of each output channel (blue, green, red): a red-first source
// fills its slots in the other order.
int SlotOf(int channel, bool redFirst) {
  return redFirst ? kChannels - 1 - channel : channel;
}

// One destination of a shrink: its y table, its column plan and its two rows of sums
// (the current destination row and the next), laid out as the plan's units.
struct DestinationWalk {
  ShrinkDestination destination;
  WeightTable rows;
  ShrinkPlan columns;
  ShrinkPlanView columnsView;  // of columns
  std::vector<float> current;
  std::vector<float> next;
  int done = 0;  // destination rows finished, from the bottom

  bool finished() const { return done == destination.height; }
};

void Shrink(const ShrinkKernel& kernel, const BitmapView& source,
            std::span<const ShrinkDestination> destinations) {
  const int sourceWidth = source.width();
  const int sourceHeight = source.height();
  std::vector<DestinationWalk> walks;
  walks.reserve(destinations.size());
  int longestRun = 0;
  for (const ShrinkDestination& destination : destinations) {
    CheckShrinks(sourceWidth, sourceHeight, destination);
    DestinationWalk& walk = walks.emplace_back();
    walk.destination = destination;
    walk.rows = BuildWeightTable(sourceHeight, destination.height, true);
    walk.columns = PlanShrinkColumns(sourceWidth, destination.width, kernel.lanes);
    walk.columnsView = ViewOf(walk.columns, walk.rows);
    const std::size_t sums = static_cast<std::size_t>(walk.columns.units) * kChannels *
                             static_cast<std::size_t>(kernel.lanes);
    walk.current.assign(sums, 0.0F);
    walk.next.assign(sums, 0.0F);
    longestRun = std::max(longestRun, static_cast<int>(walk.columns.longestRun));
  }
  std::vector<uint32_t> wide(WidenedRowLength(sourceWidth, longestRun), 0);
  std::size_t unfinished = walks.size();
  for (int r = 0; r < sourceHeight && unfinished > 0; ++r) {
    kernel.widen(source.RowFromBottom(r), sourceWidth, wide.data());
    // A decoded photograph is far larger than the processor's caches: the next row is
    // fetched while this one is added, by the first destination's walk.
    const uint8_t* ahead = r + 1 < sourceHeight ? source.RowFromBottom(r + 1) : nullptr;
    for (DestinationWalk& walk : walks) {
      if (walk.finished()) continue;
      const WeightPair& pair = walk.rows.pairs[static_cast<std::size_t>(r)];
      kernel.accumulate(wide.data(), walk.columnsView, pair.w0, pair.w1, walk.rows.Spills(pair),
                        walk.current.data(), walk.next.data(), ahead, sourceWidth * kChannels);
      ahead = nullptr;
      if (!walk.rows.Advances(pair)) continue;
      kernel.store(
          walk.current.data(), walk.columnsView, source.redFirst(),
          walk.destination.rows + static_cast<std::size_t>(walk.done) * walk.destination.stride);
      walk.current.swap(walk.next);
      std::fill(walk.next.begin(), walk.next.end(), 0.0F);
      if (++walk.done == walk.destination.height) --unfinished;
    }
  }
}

ShrinkDestination WholeBitmapRows(uint8_t* destination, int width, int height) {
  return {destination, Bitmap::StrideOf(width), width, height};
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

void CheckShrinks(int sourceWidth, int sourceHeight, const ShrinkDestination& destination) {
  CheckSizes(sourceWidth, sourceHeight, destination.width, destination.height);
  if (destination.width > sourceWidth || destination.height > sourceHeight)
    throw std::invalid_argument("the shrinking pass cannot enlarge");
}

void ShrinkViewInto(const BitmapView& source, std::span<const ShrinkDestination> destinations) {
  ShrinkViewIntoWith(DefaultShrinkKernel(), source, destinations);
}

void ShrinkViewIntoWith(const ShrinkKernel& kernel, const BitmapView& source,
                        std::span<const ShrinkDestination> destinations) {
  Shrink(kernel, source, destinations);
}

void ShrinkView(const BitmapView& source, uint8_t* destination, int width, int height) {
  const ShrinkDestination only = WholeBitmapRows(destination, width, height);
  ShrinkViewInto(source, std::span<const ShrinkDestination>(&only, 1));
}

}  // namespace varnel
