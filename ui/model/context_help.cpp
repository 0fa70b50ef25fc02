#include "ui/model/context_help.h"

#include <string>

#include "ui/model/field_table.h"
#include "ui/model/help_texts.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

namespace {
// Whether a limited box holds more characters than its field takes, so that taking the
// controls' values would stop at it.
bool HoldsOverlongText(const CSlideshowDlg& window) {
  for (const FieldBinding& binding : kFieldTable) {
    if (binding.exchange == Exchange::kText && binding.limit != 0 &&
        window.control(binding.controlId).text.size() > binding.limit) {
      return true;
    }
  }
  return false;
}
}  // namespace

ContextHelp::ContextHelp(CSlideshowDlg& window, HelpPointer& pointer, const DialogBaseUnits& base)
    : window_(window), pointer_(pointer), base_(base) {
  window_.SetTimerHandler([this] { OnHelpTick(); });
}

ContextHelp::~ContextHelp() {
  window_.SetTimerHandler(nullptr);
}

void ContextHelp::OnHelpTick() {
  // A dialog or message box of ours, or another program, has the user's attention.
  if (!pointer_.MainWindowIsActive()) return;
  const WindowAtPoint found = ChildWindowFromPoint(window_, base_, pointer_.PointerInClient());
  if (found.kind == WindowAtPoint::Kind::kNothing) return;

  // While the seconds box has the focus the controls are not read; every change of its
  // text has already reached its field through the seconds check.
  if (window_.focusedControl() != kIdSeconds) {
    // A box holding more than it may (a loaded value) would stop the exchange with the
    // length message four times a second, and the fields after it would then be written
    // back over the user's changes; the commands that take the values report it instead.
    if (HoldsOverlongText(window_) || !window_.UpdateData(true)) return;
  }
  const int id = found.kind == WindowAtPoint::Kind::kControl ? found.controlId : kIdNone;
  window_.fields().helpText = std::string(HelpTextFor(id));
  window_.UpdateData(false);
}

}  // namespace varnel
