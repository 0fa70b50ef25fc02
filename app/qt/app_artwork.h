#pragma once

#include <QIcon>
#include <QPixmap>

namespace varnel {

// The application icon (resource 128) at every size drawn for it.
QIcon ApplicationIcon();
// The About picture (resource 138), a 240 x 160 picture: the console's screen size.
QPixmap AboutPicture();

}  // namespace varnel
