#pragma once

#include <QFont>

#include "ui/model/dialog_units.h"

namespace varnel {

// The template's font as this system has it: the family (or its stand-in) at the size
// whose height is the template font's 13 pixels, so that the controls laid out in dialog
// units meet the preview area's fixed pixel rectangle as they do on the original platform.
QFont DialogFont();

// The dialog font shrunk for a layout scaled down to fit a small screen: the largest size
// whose base units stay within the given ones, but never below a legible size.
QFont DialogFontWithin(const DialogBaseUnits& limit);

// The base units of a font, measured the way the original platform measures them.
DialogBaseUnits BaseUnitsOf(const QFont& font);

}  // namespace varnel
