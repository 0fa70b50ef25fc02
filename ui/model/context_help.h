#pragma once

#include "ui/model/child_window_from_point.h"
#include "ui/model/dialog_units.h"

namespace varnel {

class CSlideshowDlg;

// What the help tick asks of the toolkit about the pointer and the windows.
class HelpPointer {
 public:
  virtual ~HelpPointer() = default;
  // False while another window is active: one of our dialogs or message boxes, or
  // another program.
  virtual bool MainWindowIsActive() = 0;
  // Where the pointer is, in the main window's client coordinates (it may lie outside).
  virtual ClientPoint PointerInClient() = 0;
};

// The context help: on every tick of the help timer the help area explains the control
// under the pointer. The same tick takes the controls' values into the fields, which is
// how the check boxes without a click handler reach the options. While it lives it is
// the window's timer handler.
class ContextHelp {
 public:
  ContextHelp(CSlideshowDlg& window, HelpPointer& pointer, const DialogBaseUnits& base);
  ~ContextHelp();
  ContextHelp(const ContextHelp&) = delete;
  ContextHelp& operator=(const ContextHelp&) = delete;

  void OnHelpTick();

 private:
  CSlideshowDlg& window_;
  HelpPointer& pointer_;
  DialogBaseUnits base_;
};

}  // namespace varnel
