#pragma once

#include "ui/model/dialog_template.h"
#include "ui/model/dialog_units.h"

namespace varnel {

// Where a template control lies in the window's client area, in pixels, for the dialog
// font's base units. The widgets are placed there and the pointer hit test looks there,
// so both come from this one conversion. A drop-down list's template height is that of
// its open list; closed, it is only as high as the font needs.
PixelRect ControlPixelRect(const ControlTemplate& control, const DialogBaseUnits& base);

// The client area of the main window in pixels (its origin is 0, 0).
PixelRect ClientPixelRect(const DialogBaseUnits& base);

}  // namespace varnel
