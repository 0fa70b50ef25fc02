#pragma once

#include "ui/model/context_help.h"

class QWidget;

namespace varnel {

// The pointer and the active window as Qt reports them, for the main window whose client
// area is the given widget. Offscreen, QCursor::setPos moves Qt's own pointer, so tests
// place it the same way.
class QtHelpPointer final : public HelpPointer {
 public:
  QtHelpPointer(QWidget& mainWindow, QWidget& clientArea);

  bool MainWindowIsActive() override;
  ClientPoint PointerInClient() override;

 private:
  QWidget& mainWindow_;
  QWidget& clientArea_;
};

}  // namespace varnel
