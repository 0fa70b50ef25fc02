#include "ui/qt/group_frame.h"

#include <QPainter>

namespace varnel {

namespace {
constexpr int kTitleIndent = 8;  // pixels from the frame's left edge to the title
constexpr int kTitleGap = 2;     // line left open on each side of the title
}  // namespace

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QWidget(parent), title_(title) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void GroupFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const int top = metrics.height() / 2;
  const QRect frame(0, top, width() - 2, height() - top - 2);
  // Etched: a shadow line with a light line one pixel below and to the right.
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.translated(1, 1));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(frame);
  if (title_.isEmpty()) return;
  const int textWidth = metrics.horizontalAdvance(title_);
  const QRect titleRect(kTitleIndent, 0, textWidth + 2 * kTitleGap, metrics.height());
  painter.fillRect(titleRect, palette().color(QPalette::Window));
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(titleRect, Qt::AlignCenter | Qt::TextSingleLine, title_);
}

}  // namespace varnel
