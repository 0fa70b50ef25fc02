#pragma once

#include <QPoint>
#include <functional>

#include "ui/context_help.h"

class QWidget;

namespace varnel {

// The pointer and the active window as Qt reports them, for the main window whose client
// area is the given widget.
class QtHelpPointer final : public HelpPointer {
 public:
  // Where the pointer is on the screen, in global coordinates.
  using CursorSource = std::function<QPoint()>;

  QtHelpPointer(QWidget& mainWindow, QWidget& clientArea);

  // Reads the pointer through another source; a platform that cannot move the pointer
  // (the offscreen one) lets tests put it where they like. An empty source restores the
  // real pointer.
  void SetCursorSource(CursorSource source);

  bool MainWindowIsActive() override;
  ClientPoint PointerInClient() override;

 private:
  QWidget& mainWindow_;
  QWidget& clientArea_;
  CursorSource cursor_;
};

}  // namespace varnel
