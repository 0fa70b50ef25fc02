#include "ui/model/child_window_from_point.h"

#include <algorithm>
#include <cstddef>

#include "ui/model/control_layout.h"
#include "ui/model/dialog_template.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

namespace {

bool Contains(const PixelRect& rect, ClientPoint point) {
  return point.x >= rect.x && point.x < rect.x + rect.width && point.y >= rect.y &&
         point.y < rect.y + rect.height;
}

ChildWindow ChildAt(const CSlideshowDlg& window, const DialogBaseUnits& base, std::size_t index) {
  const ControlTemplate& t = kMainWindowControls[index];
  ChildWindow child;
  child.templateIndex = static_cast<int>(index);
  child.controlId = t.id;
  child.rect = ControlPixelRect(t, base);
  child.transparent = t.transparent;
  // Labels and frames without an identifier are never hidden.
  if (t.id != kIdNone) child.visible = window.control(t.id).visible;
  return child;
}

}  // namespace

std::vector<ChildWindow> StackingOrder(const CSlideshowDlg& window, const DialogBaseUnits& base) {
  std::vector<ChildWindow> order;
  order.reserve(kMainWindowControls.size());
  for (std::size_t i = 0; i < kMainWindowControls.size(); ++i) {
    order.push_back(ChildAt(window, base, i));
  }
  // The fit choice lies over the empty end of the "Description" label's rectangle, so it
  // is placed on top of the others, as the window shows it; its place in the tab order
  // stays last.
  const auto fit = std::find_if(order.begin(), order.end(), [](const ChildWindow& child) {
    return child.controlId == kIdFitChoice;
  });
  std::rotate(order.begin(), fit, fit + 1);
  // Start-up moves the preview to its place in the layout on top of the others (and a
  // build moves it about).
  if (const auto& previewRect = window.previewArea().rect()) {
    const auto preview = std::find_if(order.begin(), order.end(), [](const ChildWindow& child) {
      return child.controlId == kIdPreview;
    });
    ChildWindow moved = *preview;
    moved.rect = MovedWithPreview(*previewRect, base);
    order.erase(preview);
    order.insert(order.begin(), moved);
  }
  return order;
}

WindowAtPoint ChildWindowFromPoint(const std::vector<ChildWindow>& stackingOrder,
                                   const PixelRect& clientArea, ClientPoint point) {
  if (!Contains(clientArea, point)) return {};
  for (const ChildWindow& child : stackingOrder) {
    if (child.visible && !child.transparent && Contains(child.rect, point)) {
      return {WindowAtPoint::Kind::kControl, child.templateIndex, child.controlId};
    }
  }
  return {WindowAtPoint::Kind::kMainWindow};
}

WindowAtPoint ChildWindowFromPoint(const CSlideshowDlg& window, const DialogBaseUnits& base,
                                   ClientPoint point) {
  return ChildWindowFromPoint(StackingOrder(window, base), ClientPixelRect(base), point);
}

}  // namespace varnel
