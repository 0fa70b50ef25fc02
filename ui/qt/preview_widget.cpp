#include "ui/qt/preview_widget.h"

#include <QPainter>

namespace varnel {

PreviewWidget::PreviewWidget(QWidget* parent) : QWidget(parent) {}

QImage PreviewWidget::ImageOf(const Bitmap& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  for (int y = 0; y < picture.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t* bgr = picture.PixelFromTop(x, y);
      line[x] = qRgb(bgr[2], bgr[1], bgr[0]);
    }
  }
  return image;
}

void PreviewWidget::setPicture(const Bitmap* picture) {
  image_ = picture != nullptr && !picture->empty() ? ImageOf(*picture) : QImage();
  update();
}

void PreviewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect inside = rect().adjusted(1, 1, -1, -1);
  if (!image_.isNull()) {
    painter.setClipRect(inside);
    const int x = inside.x() + (inside.width() - image_.width()) / 2;
    const int y = inside.y() + (inside.height() - image_.height()) / 2;
    painter.drawImage(x, y, image_);
    painter.setClipping(false);
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace varnel
