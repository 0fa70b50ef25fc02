#include "ui/model/control_layout.h"

#include <algorithm>

namespace varnel {

namespace {
// A closed drop-down list is its font's height plus its frame and margins.
constexpr int kClosedComboExtraPixels = 8;
}  // namespace

PixelRect ControlPixelRect(const ControlTemplate& control, const DialogBaseUnits& base) {
  PixelRect r = ToPixels(control.rect, base);
  if (control.Has(kStyleDropDownList)) {
    r.height = std::min(r.height, base.y + kClosedComboExtraPixels);
  }
  return r;
}

PixelRect ClientPixelRect(const DialogBaseUnits& base) {
  return ToPixels({0, 0, kMainWindowTemplate.width, kMainWindowTemplate.height}, base);
}

}  // namespace varnel
