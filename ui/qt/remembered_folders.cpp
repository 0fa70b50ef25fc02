#include "ui/qt/remembered_folders.h"

#include <QDir>
#include <QFile>

#include "files/file_error.h"
#include "ui/qt/ini_profile.h"

namespace varnel {

namespace {

constexpr const char* kFoldersSection = "Folders";

const char* KeyOf(FolderUse use) {
  return use == FolderUse::kPictures ? "Pictures" : "Projects";
}

}  // namespace

QString RememberedFolder(FolderUse use) {
  const std::string stored =
      IniProfile::ForApplication().ReadString(kFoldersSection, KeyOf(use), "");
  const QString folder = QFile::decodeName(QByteArray::fromStdString(stored));
  if (folder.isEmpty() || !QDir(folder).exists()) return {};
  return folder;
}

void RememberFolder(FolderUse use, const QString& folder) {
  if (folder.isEmpty()) return;
  try {
    IniProfile::ForApplication().WriteString(kFoldersSection, KeyOf(use),
                                             QFile::encodeName(folder).toStdString());
  } catch (const FileError&) {
    // The user's command has done its work; a dialog that opens elsewhere next time is
    // not worth a message on every Add, Save and Load.
  }
}

}  // namespace varnel
