#include "builder/top_down_shrink.h"

#include <algorithm>
#include <stdexcept>

namespace varnel {

namespace {

constexpr int kChannels = 3;

}  // namespace

std::vector<std::vector<TopDownShrink::BandRow>> TopDownShrink::BandsOf(const WeightTable& table,
                                                                        int sourceHeight,
                                                                        int height) {
  std::vector<std::vector<BandRow>> bands(static_cast<std::size_t>(height));
  int current = 0;
  for (int r = 0; r < sourceHeight && current < height; ++r) {
    const WeightPair& pair = table.pairs[static_cast<std::size_t>(r)];
    bands[static_cast<std::size_t>(current)].push_back({r, pair.w0});
    if (table.Spills(pair) && current + 1 < height)
      bands[static_cast<std::size_t>(current) + 1].push_back({r, pair.w1});
    if (table.Advances(pair)) ++current;
  }
  return bands;
}

TopDownShrink::TopDownShrink(const ShrinkKernel& kernel, int width, int height, bool redFirst,
                             std::span<const ShrinkDestination> destinations)
    : kernel_(kernel), width_(width), height_(height), redFirst_(redFirst) {
  if (width < 1 || height < 1)
    throw std::invalid_argument("resampler sizes must be at least 1 pixel");
  destinations_.reserve(destinations.size());
  int32_t longestRun = 0;
  int widestBand = 1;
  for (const ShrinkDestination& rows : destinations) {
    CheckShrinks(width, height, rows);
    Destination& d = destinations_.emplace_back();
    d.rows = rows;
    d.table = BuildWeightTable(height, rows.height, true);
    d.columns = PlanShrinkColumns(width, rows.width, kernel.lanes);
    d.view = ViewOf(d.columns, d.table);
    d.bands = BandsOf(d.table, height, rows.height);
    for (const std::vector<BandRow>& band : d.bands) {
      if (band.empty()) throw std::logic_error("every destination row takes a source row");
      widestBand = std::max(widestBand, band.back().fromBottom - band.front().fromBottom + 1);
    }
    // Walked from the top band down.
    d.next = rows.height - 1;
    const std::size_t sums = static_cast<std::size_t>(d.columns.units) * kChannels *
                             static_cast<std::size_t>(kernel.lanes);
    d.sums.assign(sums, 0.0F);
    d.unused.assign(sums, 0.0F);
    longestRun = std::max(longestRun, d.columns.longestRun);
  }
  // A band is walked when its lowest row arrives, so the rows held are at most the widest
  // band's.
  slots_ = std::min(widestBand, height);
  slotLength_ = WidenedRowLength(width, longestRun);
  ring_.assign(static_cast<std::size_t>(slots_) * slotLength_, 0);
}

uint32_t* TopDownShrink::Widened(int fromBottom) {
  return ring_.data() + static_cast<std::size_t>(fromBottom % slots_) * slotLength_;
}

void TopDownShrink::AddRow(const uint8_t* pixels) {
  if (arrived_ >= height_) return;
  const int fromBottom = height_ - 1 - arrived_;
  ++arrived_;
  kernel_.widen(pixels, width_, Widened(fromBottom));
  for (Destination& d : destinations_) {
    while (d.next >= 0 &&
           d.bands[static_cast<std::size_t>(d.next)].front().fromBottom >= fromBottom) {
      WalkBand(d, d.next);
      --d.next;
    }
  }
}

void TopDownShrink::WalkBand(Destination& d, int band) {
  std::fill(d.sums.begin(), d.sums.end(), 0.0F);
  for (const BandRow& row : d.bands[static_cast<std::size_t>(band)])
    kernel_.accumulate(Widened(row.fromBottom), d.view, row.share, 0.0, false, d.sums.data(),
                       d.unused.data(), nullptr, 0);
  kernel_.store(d.sums.data(), d.view, redFirst_,
                d.rows.rows + static_cast<std::size_t>(band) * d.rows.stride);
}

}  // namespace varnel
