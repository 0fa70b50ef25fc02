#include "ui/qt/control_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "ui/model/control_ids.h"
#include "ui/model/control_layout.h"
#include "ui/qt/caption_edit.h"
#include "ui/qt/group_frame.h"
#include "ui/qt/picture_list_widget.h"
#include "ui/qt/preview_widget.h"

namespace varnel {

namespace {

// A check box answers a click anywhere in its rectangle, whichever side its text is on.
class OptionCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

QString TextOf(const ControlTemplate& control) {
  return QString::fromLatin1(control.text.data(), static_cast<qsizetype>(control.text.size()));
}

QWidget* CreateStatic(const ControlTemplate& control, QWidget* parent) {
  if (control.Has(kStyleBitmapCentred)) return new PreviewWidget(parent);
  auto* label = new QLabel(TextOf(control), parent);
  // A static shows its text as it stands; line feeds break lines, nothing is markup.
  label->setTextFormat(Qt::PlainText);
  if (control.Has(kStyleSunkenEdge)) {
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
  }
  if (control.Has(kStyleCentredText)) {
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  } else {
    // Plain statics break their text at word boundaries, from the top-left corner.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
  }
  return label;
}

QWidget* CreateButton(const ControlTemplate& control, QWidget* parent) {
  if (control.Has(kStyleGroupBox)) {
    return new GroupFrame(TextOf(control), parent);
  }
  if (control.Has(kStyleAutoCheckBox)) {
    auto* box = new OptionCheckBox(TextOf(control), parent);
    if (control.Has(kStyleTextLeftOfBox)) box->setLayoutDirection(Qt::RightToLeft);
    return box;
  }
  auto* button = new QPushButton(TextOf(control), parent);
  // Enter on a focused push button presses it, as in any dialog.
  button->setAutoDefault(true);
  return button;
}

QWidget* CreateRichEdit(const ControlTemplate& control, QWidget* parent) {
  if (control.Has(kStyleReadOnly)) {
    auto* view = new QPlainTextEdit(parent);
    view->setReadOnly(true);
    view->setTabChangesFocus(true);
    if (control.Has(kStyleNoWordWrap)) view->setLineWrapMode(QPlainTextEdit::NoWrap);
    return view;
  }
  return new CaptionEdit(parent);
}

}  // namespace

QWidget* CreateControlWidget(const ControlTemplate& control, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (control.controlClass) {
    case ControlClass::kStatic:
      widget = CreateStatic(control, parent);
      break;
    case ControlClass::kListView:
      widget = new PictureListWidget(parent);
      break;
    case ControlClass::kButton:
      widget = CreateButton(control, parent);
      break;
    case ControlClass::kComboBox:
      widget = new QComboBox(parent);
      break;
    case ControlClass::kRichEdit:
      widget = CreateRichEdit(control, parent);
      break;
    case ControlClass::kEdit:
      widget = new QLineEdit(parent);
      break;
    case ControlClass::kProgressBar: {
      auto* bar = new QProgressBar(parent);
      bar->setTextVisible(false);
      widget = bar;
      break;
    }
  }
  widget->setEnabled(!control.Has(kStyleDisabled));
  return widget;
}

QRect ControlGeometry(const ControlTemplate& control, const DialogBaseUnits& base) {
  const PixelRect r = ControlPixelRect(control, base);
  return QRect(r.x, r.y, r.width, r.height);
}

std::vector<QWidget*> CreateTemplateControls(std::span<const ControlTemplate> controls,
                                             QWidget* parent, const DialogBaseUnits& base) {
  std::vector<QWidget*> widgets;
  widgets.reserve(controls.size());
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlTemplate& t = controls[i];
    QWidget* widget = CreateControlWidget(t, parent);
    widget->setGeometry(ControlGeometry(t, base));
    widget->setObjectName(t.id == kIdNone ? QStringLiteral("control_none_%1").arg(i)
                                          : QStringLiteral("control_%1").arg(t.id));
    widgets.push_back(widget);
  }
  for (auto it = widgets.rbegin(); it != widgets.rend(); ++it) (*it)->raise();
  QWidget* previous = nullptr;
  for (QWidget* widget : widgets) {
    if (!(widget->focusPolicy() & Qt::TabFocus)) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  return widgets;
}

}  // namespace varnel
