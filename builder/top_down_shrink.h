#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "builder/resampler.h"
#include "builder/shrink_kernels.h"
#include "builder/shrink_plan.h"
#include "builder/weight_table.h"

namespace varnel {

// The shrinking pass over a picture whose rows arrive one at a time from the top, as a
// JPEG decoder gives them, holding only the rows a destination row still needs.
//
// The pass adds the source rows bottom-up, but each destination row's sums take only its
// own band of source rows: the rows whose share it holds, the row that spills into it
// from below first. The sums of one destination row never meet another's, so the bands
// may be walked in any order as long as each band's rows are added bottom-up. Here the
// top band is walked as soon as its lowest row has arrived, then the next band down, and
// so on: every sum gets the same terms in the same order as ShrinkViewInto gives it, so
// the bytes are the same (a test holds every path to it). A row that spills is added to
// its two bands separately, each time with that band's share.
class TopDownShrink {
 public:
  // A source of width x height pixels, redFirst as BitmapView::redFirst(), shrunk into
  // each destination (as ShrinkViewIntoWith: none may grow the source, none may overlap
  // the rows given). Throws std::invalid_argument for sizes the pass cannot walk.
  TopDownShrink(const ShrinkKernel& kernel, int width, int height, bool redFirst,
                std::span<const ShrinkDestination> destinations);

  // The next source row from the top: width pixels of 3 bytes. Walks every band that
  // row completes. Rows past the last are ignored.
  void AddRow(const uint8_t* pixels);

  // Whether every row has arrived (and so every destination row is stored).
  bool Finished() const { return arrived_ == height_; }

 private:
  // One source row of a band, with the share the band takes of it.
  struct BandRow {
    int fromBottom = 0;
    double share = 0;
  };
  struct Destination {
    ShrinkDestination rows;
    WeightTable table;
    ShrinkPlan columns;
    ShrinkPlanView view;
    std::vector<std::vector<BandRow>> bands;  // per destination row, from the bottom
    int next = 0;                             // the band walked next, counted from the bottom
    std::vector<float> sums;
    std::vector<float> unused;  // the next row's sums, which a band never takes
  };

  // The bands of a destination as the bottom-up walk fills them: row r adds its first
  // share to the current destination row and, when it spills into a next one that
  // exists, its second share to that row, whose band it then begins.
  static std::vector<std::vector<BandRow>> BandsOf(const WeightTable& table, int sourceHeight,
                                                   int height);
  void WalkBand(Destination& destination, int band);
  uint32_t* Widened(int fromBottom);

  ShrinkKernel kernel_;
  int width_ = 0;
  int height_ = 0;
  bool redFirst_ = false;
  int arrived_ = 0;
  std::vector<Destination> destinations_;
  // The rows still needed, widened (shrink_kernels.h), each in the slot of its row
  // number modulo slots_.
  int slots_ = 0;
  std::size_t slotLength_ = 0;
  std::vector<uint32_t> ring_;
};

}  // namespace varnel
