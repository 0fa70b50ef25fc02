// The main window's file dialogs for project files, and the stand-in that answers file
// dialogs without showing them.
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

// Save and Load open where the user last kept a project.
void OpenInProjectsFolder(QFileDialog& dialog) {
  const QString folder = RememberedFolder(FolderUse::kProjects);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
}

void RememberProjectsFolderOf(const QString& path) {
  RememberFolder(FolderUse::kProjects, QFileInfo(path).absolutePath());
}

}  // namespace

std::optional<std::string> MainWindow::ChooseProjectFileToSave() {
  ProjectSaveDialog dialog(this);
  OpenInProjectsFolder(dialog);
  if (RunFileDialog(dialog) != QDialog::Accepted || dialog.chosenPath().isEmpty()) {
    return std::nullopt;
  }
  RememberProjectsFolderOf(dialog.chosenPath());
  return LocalPath(dialog.chosenPath());
}

std::optional<std::string> MainWindow::ChooseProjectFileToOpen() {
  ProjectOpenDialog dialog(this);
  OpenInProjectsFolder(dialog);
  if (RunFileDialog(dialog) != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  RememberProjectsFolderOf(files.front());
  return LocalPath(files.front());
}

}  // namespace varnel
