#include "ui/qt/dialog_font.h"

#include <QFontMetrics>
#include <algorithm>

#include "ui/model/dialog_template.h"

namespace varnel {

QFont DialogFont() {
  QFont font(QString::fromLatin1(kMainWindowTemplate.fontName.data(),
                                 static_cast<qsizetype>(kMainWindowTemplate.fontName.size())));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(kMainWindowTemplate.fontPointSize);
  if (QFontMetrics(font).height() == kTemplateFontHeight) return font;
  // Screens of other densities: the pixel size that gives the template's height, or the
  // largest below it.
  QFont best = font;
  constexpr int kSmallestPixelSize = 6;
  constexpr int kLargestPixelSize = 32;
  for (int pixels = kSmallestPixelSize; pixels <= kLargestPixelSize; ++pixels) {
    font.setPixelSize(pixels);
    const int height = QFontMetrics(font).height();
    if (height == kTemplateFontHeight) return font;
    if (height < kTemplateFontHeight) best = font;
  }
  return best;
}

QFont DialogFontWithin(const DialogBaseUnits& limit) {
  QFont font = DialogFont();
  constexpr int kSmallestLegiblePixelSize = 9;
  const int start = std::max(font.pixelSize(), QFontMetrics(font).height());
  for (int pixels = start; pixels > kSmallestLegiblePixelSize; --pixels) {
    font.setPixelSize(pixels);
    const DialogBaseUnits units = BaseUnitsOf(font);
    if (units.x <= limit.x && units.y <= limit.y) return font;
  }
  font.setPixelSize(kSmallestLegiblePixelSize);
  return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const QString letters =
      QString::fromLatin1(kBaseUnitLetters.data(), static_cast<qsizetype>(kBaseUnitLetters.size()));
  return {HorizontalBaseUnit(metrics.horizontalAdvance(letters)), metrics.height()};
}

}  // namespace varnel
