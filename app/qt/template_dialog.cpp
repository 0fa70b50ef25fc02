#include "app/qt/template_dialog.h"

#include <QPushButton>

#include "ui/model/control_ids.h"
#include "ui/qt/control_widgets.h"
#include "ui/qt/dialog_font.h"

namespace varnel {

TemplateDialog::TemplateDialog(const DialogTemplate& layout,
                               std::span<const ControlTemplate> controls, int defaultButtonId,
                               QWidget* parent)
    : QDialog(parent) {
  // A modal frame with a caption and a system menu; no sizing, no help button.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setWindowTitle(
      QString::fromLatin1(layout.caption.data(), static_cast<qsizetype>(layout.caption.size())));
  const QFont font = DialogFont();
  setFont(font);
  baseUnits_ = BaseUnitsOf(font);
  const PixelRect size = ToPixels({0, 0, layout.width, layout.height}, baseUnits_);
  setFixedSize(size.width, size.height);

  controls_ = CreateTemplateControls(controls, this, baseUnits_);
  for (const ControlTemplate& t : controls) ids_.push_back(t.id);

  if (auto* ok = qobject_cast<QPushButton*>(control(kIdDialogOk))) {
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  }
  if (auto* cancel = qobject_cast<QPushButton*>(control(kIdDialogCancel))) {
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  }
  if (auto* button = qobject_cast<QPushButton*>(control(defaultButtonId))) {
    button->setDefault(true);
  }
}

QWidget* TemplateDialog::control(int id) const {
  if (id == kIdNone) return nullptr;
  for (std::size_t i = 0; i < ids_.size(); ++i) {
    if (ids_[i] == id) return controls_[i];
  }
  return nullptr;
}

QWidget* TemplateDialog::controlAt(int templateIndex) const {
  if (templateIndex < 0 || templateIndex >= static_cast<int>(controls_.size())) return nullptr;
  return controls_[static_cast<std::size_t>(templateIndex)];
}

}  // namespace varnel
