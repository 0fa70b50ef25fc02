#pragma once

#include <QDialog>
#include <span>
#include <vector>

#include "ui/model/dialog_template.h"
#include "ui/model/dialog_units.h"

namespace varnel {

// The dialog's own endings: its OK (also "Close") and Cancel buttons.
inline constexpr int kIdDialogOk = 1;
inline constexpr int kIdDialogCancel = 2;

// A modal dialog laid out from a dialog template: caption, fixed size and controls in
// dialog units, the controls in template order (which is also the tab order and the
// stacking order, earlier on top). Buttons 1 and 2 end it with OK and Cancel; Enter
// presses the default button, Escape cancels.
class TemplateDialog : public QDialog {
 public:
  TemplateDialog(const DialogTemplate& layout, std::span<const ControlTemplate> controls,
                 int defaultButtonId, QWidget* parent);

  // The widget of a control id, nullptr for none.
  QWidget* control(int id) const;
  // The widget at a position of the template order (controls without an id included).
  QWidget* controlAt(int templateIndex) const;
  const DialogBaseUnits& baseUnits() const { return baseUnits_; }

 private:
  std::vector<int> ids_;
  std::vector<QWidget*> controls_;
  DialogBaseUnits baseUnits_;
};

}  // namespace varnel
