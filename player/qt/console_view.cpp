#include "player/qt/console_view.h"

#include <QPainter>
#include <algorithm>

#include "emulator/console_screen.h"

namespace varnel {

ConsoleView::ConsoleView(QWidget* parent) : QWidget(parent) {
  setMinimumSize(kScreenWidth * kMinScale, kScreenHeight * kMinScale);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ConsoleView::SetScreen(const QImage& screen) {
  screen_ = screen;
  update();
}

void ConsoleView::SetPreferredScale(int scale) {
  preferredScale_ = std::clamp(scale, kMinScale, kMaxScale);
  updateGeometry();
}

int ConsoleView::shownScale() const {
  const int fits = std::min(width() / kScreenWidth, height() / kScreenHeight);
  return std::clamp(fits, kMinScale, kMaxScale);
}

QSize ConsoleView::sizeHint() const {
  return {kScreenWidth * preferredScale_, kScreenHeight * preferredScale_};
}

void ConsoleView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (screen_.isNull()) return;
  const int scale = shownScale();
  const QSize size(kScreenWidth * scale, kScreenHeight * scale);
  const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
  // Nearest neighbour: a console pixel becomes a sharp block.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(target, screen_);
}

}  // namespace varnel

namespace varnel {

void ConsoleView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (scaleListener_) scaleListener_(shownScale());
}

}  // namespace varnel
