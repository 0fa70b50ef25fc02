#pragma once

#include <QFileDialog>
#include <QString>
#include <string>

namespace varnel {

// The Save dialog of project files, with the one filter "Varnel Files (*.vrn)". The name
// the user settles on gets ".vrn" when it has no extension, and only then is an existing
// file asked about, so choosing "show" beside an existing "show.vrn" asks before replacing
// it. Answering no keeps the dialog open.
class ProjectSaveDialog : public QFileDialog {
 public:
  explicit ProjectSaveDialog(QWidget* owner);

  // The path to write, extension included; empty until the dialog is accepted.
  const QString& chosenPath() const { return chosenPath_; }

  void accept() override;

 protected:
  // Asks whether the existing file of this name is to be replaced.
  virtual bool ConfirmReplace(const QString& fileName);

 private:
  QString chosenPath_;
};

// The Load dialog of project files: one existing file, with the same filter.
class ProjectOpenDialog : public QFileDialog {
 public:
  explicit ProjectOpenDialog(QWidget* owner);
};

// A path as the dialogs give it, in the bytes the file system takes.
std::string LocalPath(const QString& path);

}  // namespace varnel
