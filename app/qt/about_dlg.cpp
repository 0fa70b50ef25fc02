#include "app/qt/about_dlg.h"

#include <QLabel>
#include <array>

#include "app/qt/app_artwork.h"
#include "ui/model/control_ids.h"

namespace varnel {

namespace {

constexpr DialogTemplate kAboutTemplate = {100, "About Varnel", 298, 114, "MS Sans Serif", 8};

// Positions in the template order below.
constexpr int kIconIndex = 0;
constexpr int kVersionIndex = 1;
constexpr int kPictureIndex = 4;

const std::array<ControlTemplate, 6> kAboutControls = {{
    {kIdNone, ControlClass::kStatic, "", kStyleNone, {174, 7, 20, 20}, false},
    {kIdNone, ControlClass::kStatic, "Varnel Version 1.3", kStyleNone, {198, 9, 91, 8}, false},
    {kIdNone, ControlClass::kButton, "Description", kStyleGroupBox, {174, 32, 117, 53}, true},
    {kIdNone,
     ControlClass::kStatic,
     "SlideShow Editor aimed for the Gameboy Advance Console. Simply add your pictures and "
     "click \"SlideShow->Build\".",
     kStyleNone,
     {179, 44, 105, 34},
     false},
    {kIdNone, ControlClass::kStatic, "", kStyleSunkenEdge, {7, 7, 163, 101}, false},
    {kIdDialogOk, ControlClass::kButton, "Close", kStylePushButton, {247, 93, 44, 14}, false},
}};

// An icon control shows the icon at the platform's icon size, from its top-left corner.
constexpr int kIconPixels = 32;
// The picture lies inside a sunken client edge two pixels wide.
constexpr int kClientEdgePixels = 2;

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : TemplateDialog(kAboutTemplate, kAboutControls, kIdDialogOk, parent) {
  auto* icon = static_cast<QLabel*>(controlAt(kIconIndex));
  icon->setPixmap(ApplicationIcon().pixmap(kIconPixels, kIconPixels));
  icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  icon->resize(std::max(icon->width(), kIconPixels), std::max(icon->height(), kIconPixels));

  // No prefix processing: an ampersand would show as itself.
  static_cast<QLabel*>(controlAt(kVersionIndex))->setTextFormat(Qt::PlainText);

  // A bitmap control takes the size of its picture, from its top-left corner.
  auto* picture = static_cast<QLabel*>(controlAt(kPictureIndex));
  const QPixmap pixmap = AboutPicture();
  picture->setLineWidth(kClientEdgePixels);
  picture->setAlignment(Qt::AlignCenter);
  picture->setPixmap(pixmap);
  picture->resize(pixmap.width() + 2 * kClientEdgePixels, pixmap.height() + 2 * kClientEdgePixels);
}

}  // namespace varnel
