#pragma once

#include <QImage>
#include <QWidget>

#include "builder/bitmap.h"

namespace varnel {

// The preview control: a bordered area showing one picture centred and clipped, never
// scaled.
class PreviewWidget : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewWidget(QWidget* parent = nullptr);

  void setPicture(const Bitmap* picture);  // nullptr: none
  const QImage& image() const { return image_; }

  static QImage ImageOf(const Bitmap& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

}  // namespace varnel
