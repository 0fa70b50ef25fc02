#pragma once

#include "ui/control_ids.h"
#include "ui/dialog_units.h"

namespace varnel {

class CSlideshowDlg;

// A point in the main window's client area, in pixels from its top-left corner.
struct ClientPoint {
  int x = 0;
  int y = 0;
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

// The control of the main window at a point of its client area: the first in stacking
// order whose rectangle holds the point, passing over hidden controls and transparent
// ones (the two option frames, so what lies inside them is found) but not over disabled
// ones. The stacking order is the template order, except that the preview, once placed,
// lies on top of all. Rectangles are those the window's widgets occupy for these base
// units.
WindowAtPoint ChildWindowFromPoint(const CSlideshowDlg& window, const DialogBaseUnits& base,
                                   ClientPoint point);

// The rectangle the control at this template position occupies, in client pixels.
PixelRect ControlRectInWindow(const CSlideshowDlg& window, const DialogBaseUnits& base,
                              int templateIndex);

}  // namespace varnel
