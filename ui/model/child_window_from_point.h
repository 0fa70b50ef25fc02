#pragma once

#include <vector>

#include "ui/model/control_ids.h"
#include "ui/model/dialog_units.h"

namespace varnel {

class CSlideshowDlg;

// A point in the main window's client area, in pixels from its top-left corner.
struct ClientPoint {
  int x = 0;
  int y = 0;
};

// One control of the main window as the pointer hit test sees it.
struct ChildWindow {
  int templateIndex = -1;
  int controlId = kIdNone;
  PixelRect rect;  // client pixels
  bool visible = true;
  bool transparent = false;
};

// What lies at a point of the main window, as the pointer hit test finds it.
struct WindowAtPoint {
  enum class Kind {
    kNothing,     // the point is outside the client area
    kMainWindow,  // inside the client area but over no control that counts
    kControl,
  };
  Kind kind = Kind::kNothing;
  int templateIndex = -1;   // kControl: the control's position in template order
  int controlId = kIdNone;  // kControl: its identifier, kIdNone for a label or frame

  bool operator==(const WindowAtPoint&) const = default;
};

// The controls of the window, topmost first, where its widgets lie for these base units.
// The stacking order is the template order, except that the preview, once start-up has
// placed it, lies on top of all.
std::vector<ChildWindow> StackingOrder(const CSlideshowDlg& window, const DialogBaseUnits& base);

// The first child in stacking order whose rectangle holds the point, passing over hidden
// controls and transparent ones (the two option frames, so what lies inside them is
// found) but not over disabled ones; the window itself when the point lies in the client
// area but over no such child; nothing when it lies outside the client area.
WindowAtPoint ChildWindowFromPoint(const std::vector<ChildWindow>& stackingOrder,
                                   const PixelRect& clientArea, ClientPoint point);

// The same over the main window's own controls and client area.
WindowAtPoint ChildWindowFromPoint(const CSlideshowDlg& window, const DialogBaseUnits& base,
                                   ClientPoint point);

}  // namespace varnel
