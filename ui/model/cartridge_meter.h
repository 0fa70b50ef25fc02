#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "document/slideshow_document.h"

namespace varnel {

// How full the cartridge the show would make is, as the window shows it below the
// picture list: worked out from the rows' picture sizes, nothing converted.
struct CartridgeMeter {
  std::string text;      // "Cartridge: 12.4 of 32 MiB", with the pictures over the limit
  std::string overText;  // "2 pictures over" alone (empty when it fits), for the bar
  int fillPermille = 0;  // the bar, 0 .. 1000
  bool over = false;     // the show does not fit: the meter shows red
  std::string rowCost;   // the selected row's share, empty when none is selected

  bool operator==(const CartridgeMeter&) const = default;
};

CartridgeMeter MeasureCartridge(const SlideshowDocument& document,
                                std::optional<std::size_t> selectedRow);

// The first rows whose sizing set to "Resized Only" makes the show fit, largest full
// size first, one at a time; empty when it fits already or cannot be made to fit.
std::vector<std::size_t> RowsToResizeForFit(const SlideshowDocument& document);

}  // namespace varnel
