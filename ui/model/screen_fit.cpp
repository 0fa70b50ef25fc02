#include "ui/model/screen_fit.h"

#include <algorithm>
#include <cmath>

#include "ui/model/control_layout.h"

namespace varnel {

namespace {

int ShrunkUnit(int unit, double share) {
  const int floorUnit = (unit * kSmallestLayoutPercent + 99) / 100;
  return std::max(static_cast<int>(std::floor(unit * share)), floorUnit);
}

}  // namespace

DialogBaseUnits UnitsHoldingPreview(DialogBaseUnits units) {
  // The preview's pixel size is fixed, so each unit alone decides whether it fits in its
  // direction: the height between the list and the info texts, the width left of the
  // frame. Neither loop runs far: 6 x 12 holds it.
  units.x = std::max(units.x, 1);
  units.y = std::max(units.y, 1);
  while (!PreviewFitsLayout({units.x, kTemplateBaseUnits.y * 4})) ++units.x;
  while (!PreviewFitsLayout({kTemplateBaseUnits.x * 4, units.y})) ++units.y;
  return units;
}

DialogBaseUnits BaseUnitsFittingScreen(const DialogBaseUnits& fontUnits, PixelSize available) {
  const PixelRect client = ClientPixelRect(fontUnits);
  const double widthShare = static_cast<double>(available.width - kWindowFrameAllowance.width) /
                            std::max(client.width, 1);
  const double heightShare = static_cast<double>(available.height - kWindowFrameAllowance.height) /
                             std::max(client.height, 1);
  const double share = std::min(widthShare, heightShare);
  if (share >= 1.0) return UnitsHoldingPreview(fontUnits);
  return UnitsHoldingPreview({ShrunkUnit(fontUnits.x, share), ShrunkUnit(fontUnits.y, share)});
}

}  // namespace varnel
