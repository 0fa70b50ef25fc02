#include "ui/qt/project_file_dialog.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include "project/project_file_name.h"

namespace varnel {

namespace {

QString ProjectFileFilter() {
  return QString::fromLatin1(kProjectFileFilter.data(),
                             static_cast<qsizetype>(kProjectFileFilter.size()));
}

// Both dialogs are Qt's own: the native ones confirm a replacement on the name as typed,
// before the extension is added, and match the pattern in one letter case only.
void SetUpProjectFileDialog(QFileDialog& dialog, QFileDialog::AcceptMode mode,
                            const QString& title) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setWindowTitle(title);
  dialog.setAcceptMode(mode);
  dialog.setNameFilter(ProjectFileFilter());
}

}  // namespace

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

ProjectSaveDialog::ProjectSaveDialog(QWidget* owner) : QFileDialog(owner) {
  SetUpProjectFileDialog(*this, QFileDialog::AcceptSave, tr("Save As"));
  setFileMode(QFileDialog::AnyFile);
  // This dialog asks itself, once the extension is on the name.
  setOption(QFileDialog::DontConfirmOverwrite);
}

void ProjectSaveDialog::accept() {
  const QStringList typed = selectedFiles();
  if (typed.isEmpty()) return;
  // A folder's name opens the folder.
  if (QFileInfo(typed.front()).isDir()) {
    QFileDialog::accept();
    return;
  }
  const QString path =
      QFile::decodeName(QByteArray::fromStdString(WithProjectExtension(LocalPath(typed.front()))));
  const QFileInfo target(path);
  if (target.isDir()) {
    setDirectory(path);
    return;
  }
  if (target.exists() && !ConfirmReplace(target.fileName())) return;
  chosenPath_ = path;
  QDialog::accept();
}

bool ProjectSaveDialog::ConfirmReplace(const QString& fileName) {
  const QString question = tr("%1 already exists.\nDo you want to replace it?").arg(fileName);
  return QMessageBox::warning(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) == QMessageBox::Yes;
}

ProjectOpenDialog::ProjectOpenDialog(QWidget* owner) : QFileDialog(owner) {
  SetUpProjectFileDialog(*this, QFileDialog::AcceptOpen, tr("Open"));
  setFileMode(QFileDialog::ExistingFile);
}

}  // namespace varnel
