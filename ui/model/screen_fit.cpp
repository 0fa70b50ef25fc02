#include "ui/model/screen_fit.h"

#include <algorithm>
#include <cmath>

#include "builder/preview.h"
#include "ui/model/control_layout.h"

namespace varnel {

namespace {

int ShrunkUnit(int unit, double share) {
  const int floorUnit = (unit * kSmallestLayoutPercent + 99) / 100;
  return std::max(static_cast<int>(std::floor(unit * share)), floorUnit);
}

// The preview keeps its pixel rectangle whatever the font, so the client area may not
// become shorter than the preview's bottom edge.
int UnitHoldingPreview(int unit) {
  constexpr int kPreviewBottom = kPreviewY + kPreviewHeight;
  while (ClientPixelRect({1, unit}).height < kPreviewBottom) ++unit;
  return unit;
}

}  // namespace

DialogBaseUnits BaseUnitsFittingScreen(const DialogBaseUnits& fontUnits, PixelSize available) {
  const PixelRect client = ClientPixelRect(fontUnits);
  const double widthShare = static_cast<double>(available.width - kWindowFrameAllowance.width) /
                            std::max(client.width, 1);
  const double heightShare = static_cast<double>(available.height - kWindowFrameAllowance.height) /
                             std::max(client.height, 1);
  const double share = std::min(widthShare, heightShare);
  if (share >= 1.0) return fontUnits;
  return {ShrunkUnit(fontUnits.x, share), UnitHoldingPreview(ShrunkUnit(fontUnits.y, share))};
}

}  // namespace varnel
