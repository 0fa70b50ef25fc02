#include "app/qt/qt_app_platform.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <stdexcept>

#include "app/qt/about_dlg.h"
#include "app/qt/settings_dlg.h"
#include "ui/qt/ini_profile.h"

namespace varnel {

namespace {
QString FromLocal(const std::string& text) {
  return QFile::decodeName(QByteArray::fromStdString(text));
}
}  // namespace

QtAppPlatform::~QtAppPlatform() {
  // A player without an owner is this object's to end; one with an owner ended with it.
  delete player_.data();
}

std::optional<std::string> QtAppPlatform::RunSettingsDialog(const std::string& emulatorLocation,
                                                            bool suggested) {
  CSettingsDlg dialog(emulatorLocation, owner_);
  if (suggested) dialog.ShowAsSuggestion();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.path();
}

void QtAppPlatform::RunAboutDialog() {
  CAboutDlg dialog(owner_);
  dialog.exec();
}

void QtAppPlatform::WriteProfileString(const std::string& section, const std::string& key,
                                       const std::string& value) {
  IniProfile::ForApplication().WriteString(section, key, value);
}

void QtAppPlatform::StartDetachedProcess(const std::string& program,
                                         const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& argument : arguments) list << FromLocal(argument);
  QProcess process;
  process.setProgram(FromLocal(program));
  process.setArguments(list);
  // The emulator shares the editor's environment and current directory.
  if (!process.startDetached()) throw std::runtime_error(process.errorString().toStdString());
}

bool QtAppPlatform::AskYesNo(const std::string& question) {
  QMessageBox box(QMessageBox::Question, QApplication::applicationName(), FromLocal(question),
                  QMessageBox::Yes | QMessageBox::No, owner_);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

bool QtAppPlatform::ShowNoEmulatorMessageOfferingPlay(const std::string& message) {
  QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), FromLocal(message),
                  QMessageBox::Ok, owner_);
  box.setInformativeText(
      QStringLiteral("Or play the show in Varnel's own player window (SlideShow > Play)."));
  QPushButton* play = box.addButton(QStringLiteral("&Play"), QMessageBox::AcceptRole);
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
  return box.clickedButton() == play;
}

void QtAppPlatform::ShowPlayer(const std::string& imagePath, bool rebuilt) {
  if (player_ == nullptr) player_ = new PlayerWindow(owner_);
  if (rebuilt || !player_->isVisible() || player_->imagePath() != imagePath) {
    std::string error;
    if (!player_->Open(imagePath, error)) throw std::runtime_error(error);
  }
  player_->show();
  player_->raise();
  player_->activateWindow();
}

}  // namespace varnel
