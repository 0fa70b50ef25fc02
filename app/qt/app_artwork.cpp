#include "app/qt/app_artwork.h"

#include <QString>
#include <array>

namespace varnel {

namespace {
// Compiled into the program from resources/ (see resources/README.md).
constexpr std::array<int, 4> kIconSizes = {16, 32, 48, 128};
constexpr const char* kIconPath = ":/varnel/varnel-icon-%1.png";
constexpr const char* kAboutPicturePath = ":/varnel/about-picture.png";
}  // namespace

QIcon ApplicationIcon() {
  QIcon icon;
  for (const int size : kIconSizes) icon.addFile(QString::fromLatin1(kIconPath).arg(size));
  return icon;
}

QPixmap AboutPicture() {
  return QPixmap(QString::fromLatin1(kAboutPicturePath));
}

}  // namespace varnel
