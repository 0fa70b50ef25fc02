#pragma once

#include <QRect>
#include <QWidget>
#include <span>
#include <vector>

#include "ui/model/dialog_template.h"
#include "ui/model/dialog_units.h"

namespace varnel {

// The widget standing for a template control, with the template's text and style.
QWidget* CreateControlWidget(const ControlTemplate& control, QWidget* parent);

// Where the control lies in the client area, in pixels. A drop-down list's template
// height is that of its open list; closed, it is as high as the font needs.
QRect ControlGeometry(const ControlTemplate& control, const DialogBaseUnits& base);

// The widgets of a template's controls, in template order, placed and named
// ("control_<id>", "control_none_<position>" for a control without an id). Earlier
// controls lie on top of later ones, and the tab order is the template order.
std::vector<QWidget*> CreateTemplateControls(std::span<const ControlTemplate> controls,
                                             QWidget* parent, const DialogBaseUnits& base);

}  // namespace varnel
