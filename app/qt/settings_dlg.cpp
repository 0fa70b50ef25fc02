#include "app/qt/settings_dlg.h"

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <array>

#include "ui/model/control_ids.h"
#include "ui/model/file_filter.h"

namespace varnel {

namespace {

constexpr DialogTemplate kSettingsTemplate = {136, "Settings", 194, 74, "MS Sans Serif", 8};

const std::array<ControlTemplate, 6> kSettingsControls = {{
    {kIdDialogOk, ControlClass::kButton, "OK", kStylePushButton, {137, 53, 50, 14}, false},
    {kIdDialogCancel, ControlClass::kButton, "Cancel", kStylePushButton, {75, 53, 50, 14}, false},
    {kIdNone,
     ControlClass::kStatic,
     "Enter the location of your Gameboy Advance Emulator :",
     kStyleNone,
     {7, 7, 180, 10},
     false},
    {kIdEmulatorLocation,
     ControlClass::kEdit,
     "",
     kStyleBorder | kStyleHorizontalScroll,
     {7, 16, 180, 12},
     false},
    {kIdBrowse, ControlClass::kButton, "Browse...", kStylePushButton, {147, 31, 40, 14}, false},
    // Empty unless the location shown is a suggestion, left of Browse.
    {kIdNone, ControlClass::kStatic, "", kStyleNone, {7, 34, 136, 10}, false},
}};
constexpr int kSuggestionNoteIndex = 5;

// Qt's filter entry for one of ours: the description followed by its patterns in
// parentheses, which the dialog hides, so it shows the description as it stands. "*.*"
// means every file, also those without a dot in their name.
QString NameFilterOf(const FileFilter& filter) {
  QStringList patterns;
  for (const std::string& pattern : filter.patterns) {
    patterns << (pattern == "*.*" ? QStringLiteral("*") : QString::fromStdString(pattern));
  }
  return QString::fromStdString(filter.description) + QStringLiteral(" (") +
         patterns.join(QChar(' ')) + QStringLiteral(")");
}

}  // namespace

CSettingsDlg::CSettingsDlg(const std::string& path, QWidget* parent)
    : TemplateDialog(kSettingsTemplate, kSettingsControls, kIdDialogOk, parent),
      path_(path),
      edit_(qobject_cast<QLineEdit*>(control(kIdEmulatorLocation))) {
  connect(qobject_cast<QPushButton*>(control(kIdBrowse)), &QPushButton::clicked, this,
          [this] { OnBrowse(); });
  ShowPath();
}

void CSettingsDlg::ShowAsSuggestion() {
  suggestion_ = true;
  static_cast<QLabel*>(controlAt(kSuggestionNoteIndex))
      ->setText(QString::fromLatin1(kSuggestionNote));
}

void CSettingsDlg::showEvent(QShowEvent* event) {
  TemplateDialog::showEvent(event);
  if (!suggestion_) return;
  edit_->setFocus(Qt::OtherFocusReason);
  edit_->selectAll();
}

void CSettingsDlg::accept() {
  TakeEditText();
  TemplateDialog::accept();
}

void CSettingsDlg::OnBrowse() {
  TakeEditText();
  QFileDialog dialog(this);
  // Qt's own dialog, the same on every desktop: the filter entries stay as given.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  QStringList filters;
  for (const FileFilter& filter : ParseFileFilter(kEmulatorFileFilter)) {
    filters << NameFilterOf(filter);
  }
  dialog.setNameFilters(filters);
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    path_ = QFile::encodeName(dialog.selectedFiles().front()).toStdString();
  }
  ShowPath();
}

void CSettingsDlg::TakeEditText() {
  path_ = QFile::encodeName(edit_->text()).toStdString();
}

void CSettingsDlg::ShowPath() {
  const QString text = QFile::decodeName(QByteArray::fromStdString(path_));
  // The box's typing limit never cuts a location it is given.
  edit_->setMaxLength(std::max(edit_->maxLength(), static_cast<int>(text.size())));
  edit_->setText(text);
}

}  // namespace varnel
