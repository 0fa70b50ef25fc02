#include "ui/child_window_from_point.h"

#include <cstddef>

#include "ui/control_layout.h"
#include "ui/dialog_template.h"
#include "ui/slideshow_dlg.h"

namespace varnel {

namespace {

bool Contains(const PixelRect& rect, ClientPoint point) {
  return point.x >= rect.x && point.x < rect.x + rect.width && point.y >= rect.y &&
         point.y < rect.y + rect.height;
}

// Whether the control at this template position can be found by the pointer at all.
bool Findable(const CSlideshowDlg& window, std::size_t index) {
  const ControlTemplate& t = kMainWindowControls[index];
  if (t.transparent) return false;
  return t.id == kIdNone || window.control(t.id).visible;
}

bool Hits(const CSlideshowDlg& window, const DialogBaseUnits& base, std::size_t index,
          ClientPoint point) {
  return Findable(window, index) &&
         Contains(ControlRectInWindow(window, base, static_cast<int>(index)), point);
}

WindowAtPoint ControlAt(std::size_t index) {
  return {WindowAtPoint::Kind::kControl, static_cast<int>(index), kMainWindowControls[index].id};
}

}  // namespace

PixelRect ControlRectInWindow(const CSlideshowDlg& window, const DialogBaseUnits& base,
                              int templateIndex) {
  const ControlTemplate& t = kMainWindowControls.at(static_cast<std::size_t>(templateIndex));
  // Start-up moves the preview to its fixed pixel rectangle, and a build moves it about.
  if (t.id == kIdPreview && window.previewArea().rect()) return *window.previewArea().rect();
  return ControlPixelRect(t, base);
}

WindowAtPoint ChildWindowFromPoint(const CSlideshowDlg& window, const DialogBaseUnits& base,
                                   ClientPoint point) {
  if (!Contains(ClientPixelRect(base), point)) return {};
  const int preview = TemplateIndexOf(kIdPreview);
  const bool previewOnTop = window.previewArea().rect().has_value();
  if (previewOnTop && Hits(window, base, static_cast<std::size_t>(preview), point)) {
    return ControlAt(static_cast<std::size_t>(preview));
  }
  for (std::size_t i = 0; i < kMainWindowControls.size(); ++i) {
    if (previewOnTop && static_cast<int>(i) == preview) continue;
    if (Hits(window, base, i, point)) return ControlAt(i);
  }
  return {WindowAtPoint::Kind::kMainWindow};
}

}  // namespace varnel
