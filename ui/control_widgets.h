#pragma once

#include <QRect>
#include <QWidget>

#include "ui/dialog_template.h"
#include "ui/dialog_units.h"

namespace varnel {

// The widget standing for a template control, with the template's text and style.
QWidget* CreateControlWidget(const ControlTemplate& control, QWidget* parent);

// Where the control lies in the client area, in pixels. A drop-down list's template
// height is that of its open list; closed, it is as high as the font needs.
QRect ControlGeometry(const ControlTemplate& control, const DialogBaseUnits& base);

}  // namespace varnel
