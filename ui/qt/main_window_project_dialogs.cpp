// The main window's file dialogs for project files, and the stand-in that answers file
// dialogs without showing them.
#include <QFile>
#include <QFileInfo>

#include "ui/qt/main_window.h"
#include "ui/qt/project_file_dialog.h"
#include "ui/qt/remembered_folders.h"

namespace varnel {

void MainWindow::SetFileDialogAnswer(FileDialogAnswer answer) {
  fileDialogAnswer_ = std::move(answer);
}

int MainWindow::RunFileDialog(QFileDialog& dialog) {
  // Once the window has ended nothing waits on the user any more.
  if (dialog_.ended()) return QDialog::Rejected;
  if (!fileDialogAnswer_) return dialog.exec();
  fileDialogAnswer_(dialog);
  return dialog.result();
}

namespace {

// Save and Load open in the folder of the show's project file, or else where the user
// last kept a project.
void OpenInProjectsFolder(QFileDialog& dialog, const std::string& showFile) {
  const QString folder =
      showFile.empty()
          ? RememberedFolder(FolderUse::kProjects)
          : QFileInfo(QFile::decodeName(QByteArray::fromStdString(showFile))).absolutePath();
  if (!folder.isEmpty()) dialog.setDirectory(folder);
}

void RememberProjectsFolderOf(const QString& path) {
  RememberFolder(FolderUse::kProjects, QFileInfo(path).absolutePath());
}

}  // namespace

std::optional<std::string> MainWindow::ChooseProjectFileToSave(const std::string& showFile) {
  ProjectSaveDialog dialog(this);
  OpenInProjectsFolder(dialog, showFile);
  // Saving the show again is one Enter away (with the question about replacing it).
  if (!showFile.empty())
    dialog.selectFile(QFileInfo(QFile::decodeName(QByteArray::fromStdString(showFile))).fileName());
  if (RunFileDialog(dialog) != QDialog::Accepted || dialog.chosenPath().isEmpty()) {
    return std::nullopt;
  }
  RememberProjectsFolderOf(dialog.chosenPath());
  return LocalPath(dialog.chosenPath());
}

std::optional<std::string> MainWindow::ChooseProjectFileToOpen(const std::string& showFile) {
  ProjectOpenDialog dialog(this);
  OpenInProjectsFolder(dialog, showFile);
  if (RunFileDialog(dialog) != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  RememberProjectsFolderOf(files.front());
  return LocalPath(files.front());
}

}  // namespace varnel
