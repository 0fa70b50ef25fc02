#include "ui/context_help.h"

#include <string>

#include "ui/field_table.h"
#include "ui/help_texts.h"
#include "ui/slideshow_dlg.h"

namespace varnel {

ContextHelp::ContextHelp(CSlideshowDlg& window, HelpPointer& pointer, const DialogBaseUnits& base)
    : window_(window), pointer_(pointer), base_(base) {
  window_.SetTimerHandler([this] { OnHelpTick(); });
}

ContextHelp::~ContextHelp() {
  window_.SetTimerHandler(nullptr);
}

bool HoldsOverlongText(const CSlideshowDlg& window) {
  for (const FieldBinding& binding : kFieldTable) {
    if (binding.exchange == Exchange::kText && binding.limit != 0 &&
        window.control(binding.controlId).text.size() > binding.limit) {
      return true;
    }
  }
  return false;
}

void ContextHelp::OnHelpTick() {
  // A dialog or message box of ours, or another program, has the user's attention.
  if (!pointer_.MainWindowIsActive()) return;
  const WindowAtPoint found = ChildWindowFromPoint(window_, base_, pointer_.PointerInClient());
  if (found.kind == WindowAtPoint::Kind::kNothing) return;

  // The seconds box is left as the user is typing in it.
  const bool takeControls = window_.focusedControl() != kIdSeconds;
  if (takeControls) {
    // A box holding more than it may (a loaded value) would stop the exchange with the
    // length message four times a second, and the fields after it would then be written
    // back over the user's changes; the commands that take the values report it instead.
    if (HoldsOverlongText(window_)) return;
    window_.UpdateData(true);
  }
  const int id = found.kind == WindowAtPoint::Kind::kControl ? found.controlId : kIdNone;
  window_.fields().helpText = std::string(HelpTextFor(id));
  window_.UpdateData(false);
}

}  // namespace varnel
