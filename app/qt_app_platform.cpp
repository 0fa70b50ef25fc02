#include "app/qt_app_platform.h"

#include <QFile>
#include <QProcess>
#include <stdexcept>

#include "app/about_dlg.h"
#include "app/settings_dlg.h"
#include "ui/ini_profile.h"

namespace varnel {

namespace {
QString FromLocal(const std::string& text) {
  return QFile::decodeName(QByteArray::fromStdString(text));
}
}  // namespace

std::optional<std::string> QtAppPlatform::RunSettingsDialog(const std::string& emulatorLocation) {
  CSettingsDlg dialog(emulatorLocation, owner_);
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

}  // namespace varnel
