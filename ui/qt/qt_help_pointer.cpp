#include "ui/qt/qt_help_pointer.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace varnel {

QtHelpPointer::QtHelpPointer(QWidget& mainWindow, QWidget& clientArea)
    : mainWindow_(mainWindow), clientArea_(clientArea) {}

bool QtHelpPointer::MainWindowIsActive() {
  return QApplication::activeWindow() == &mainWindow_;
}

ClientPoint QtHelpPointer::PointerInClient() {
  // The menu bar lies outside the client area, as a dialog's menu does.
  const QPoint local = clientArea_.mapFromGlobal(QCursor::pos());
  return {local.x(), local.y()};
}

}  // namespace varnel
