#include "ui/qt_help_pointer.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>
#include <utility>

namespace varnel {

namespace {
QPoint RealCursor() {
  return QCursor::pos();
}
}  // namespace

QtHelpPointer::QtHelpPointer(QWidget& mainWindow, QWidget& clientArea)
    : mainWindow_(mainWindow), clientArea_(clientArea), cursor_(RealCursor) {}

void QtHelpPointer::SetCursorSource(CursorSource source) {
  cursor_ = source ? std::move(source) : CursorSource(RealCursor);
}

bool QtHelpPointer::MainWindowIsActive() {
  return QApplication::activeWindow() == &mainWindow_;
}

ClientPoint QtHelpPointer::PointerInClient() {
  const QPoint local = clientArea_.mapFromGlobal(cursor_());
  return {local.x(), local.y()};
}

}  // namespace varnel
