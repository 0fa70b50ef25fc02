#pragma once

#include <string>

#include "document/slideshow_document.h"

namespace varnel {

class CSlideshowDlg;

// Save and Load from the window, the project named at start-up, and whether the show
// differs from the one last saved, loaded or begun with New (with the question asked
// before a command would set such changes aside).
class ProjectCommands {
 public:
  explicit ProjectCommands(CSlideshowDlg& window) : window_(window) {}
  ProjectCommands(const ProjectCommands&) = delete;
  ProjectCommands& operator=(const ProjectCommands&) = delete;

  void OnSave();
  void OnLoad();
  void LoadProject(const std::string& path);

  bool modified() const { return modified_; }
  const std::string& documentName() const { return documentName_; }
  // Compares the show as the controls show it with the one last saved.
  void RefreshModified();
  // The show as it is now is the one named so ("New SlideShow"), with no file of its own.
  void MarkSaved(const std::string& documentName);
  // The show as it is now is the one in this project file.
  void MarkSavedAs(const std::string& projectFile);
  // The show as it is now was loaded from this project file; `differsFromFile` when Load
  // left rows out or found pictures elsewhere, so that the show is marked changed.
  void MarkLoaded(const std::string& projectFile, bool differsFromFile);
  // That file's full path; empty for a show never saved or loaded.
  const std::string& showFile() const { return showFile_; }
  // True when the command may go on: no unsaved changes, Discard, or a successful Save.
  bool MaySetChangesAside();

 private:
  CSlideshowDlg& window_;
  SlideshowDocument savedDocument_;
  std::string documentName_;
  std::string showFile_;
  // The show as loaded is not the file's (MarkLoaded); cleared by the next MarkSaved.
  bool differsFromSaved_ = false;
  bool modified_ = false;
};

}  // namespace varnel
