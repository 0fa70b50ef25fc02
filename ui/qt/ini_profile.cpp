#include "ui/qt/ini_profile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

#include "files/file_error.h"

namespace varnel {

namespace {

constexpr const char* kProfileExtension = ".ini";
// Without an application object (a tool, a test) the profile is the editor's.
constexpr const char* kFallbackName = "varnel";

QString KeyPath(const std::string& section, const std::string& key) {
  return QString::fromUtf8(section) + QChar('/') + QString::fromUtf8(key);
}

}  // namespace

IniProfile IniProfile::ForApplication() {
  QString name = QCoreApplication::applicationName();
  if (name.isEmpty()) name = QString::fromLatin1(kFallbackName);
  const QString directory = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return IniProfile(
      QFile::encodeName(directory + QChar('/') + name + QString::fromLatin1(kProfileExtension))
          .toStdString());
}

std::string IniProfile::ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) const {
  const QSettings settings(QFile::decodeName(filePath_.c_str()), QSettings::IniFormat);
  const QVariant value = settings.value(KeyPath(section, key));
  if (!value.isValid()) return defaultValue;
  // A hand-written value with commas outside quotes reads as a list; the commas belong to
  // the text.
  if (value.typeId() == QMetaType::QStringList) {
    return value.toStringList().join(QChar(',')).toStdString();
  }
  return value.toString().toStdString();
}

void IniProfile::WriteString(const std::string& section, const std::string& key,
                             const std::string& value) const {
  QSettings settings(QFile::decodeName(filePath_.c_str()), QSettings::IniFormat);
  settings.setValue(KeyPath(section, key), QString::fromUtf8(value));
  settings.sync();
  if (settings.status() != QSettings::NoError) {
    throw FileError(filePath_, filePath_ + " could not be written.");
  }
}

}  // namespace varnel
