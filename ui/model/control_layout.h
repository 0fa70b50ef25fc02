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

// The base units of the template's own font, for which the layout is the template's.
inline constexpr DialogBaseUnits kTemplateBaseUnits = {kTemplateFontAverageWidth,
                                                       kTemplateFontHeight};

// The 240 x 160 preview area, whose size is the console screen's whatever the font. It
// moves with the layout: between the picture list above it and the picture info texts
// below, at the share of the height between them that it has with the template's font
// (there at client pixels 10, 250), and left of the "Picture Options" frame.
PixelRect PreviewPixelRect(const DialogBaseUnits& base);
// The preview fits there without touching the list, the info texts or the frame.
bool PreviewFitsLayout(const DialogBaseUnits& base);
// A rectangle placed against the preview as it lies with the template's font (where a
// build shows the picture it converts), moved along with the preview for these units.
PixelRect MovedWithPreview(const PixelRect& rect, const DialogBaseUnits& base);

}  // namespace varnel
