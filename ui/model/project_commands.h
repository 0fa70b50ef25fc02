#pragma once

#include <functional>
#include <memory>
#include <string>

#include "document/slideshow_document.h"

namespace varnel {

class CSlideshowDlg;
class CommandProjectHost;

// Save and Load from the window, the project named at start-up, and whether the show
// differs from the one last saved, loaded or begun with New (with the question asked
// before a command would set such changes aside).
class ProjectCommands {
 public:
  explicit ProjectCommands(CSlideshowDlg& window) : window_(window) {}
  ProjectCommands(const ProjectCommands&) = delete;
  ProjectCommands& operator=(const ProjectCommands&) = delete;

  // afterwards, when given, runs once the Save has ended, whether or not it saved; not
  // when it did not begin.
  void OnSave(std::function<void()> afterwards = {});
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
  // Runs goOn when the show may be set aside: no unsaved changes, Discard, or a Save that
  // succeeded (once it has ended).
  void MaySetChangesAside(std::function<void()> goOn);

 private:
  // Runs Save or Load as the window's long command; chosenFile is the file it works on
  // when no dialog asks for one, shown the show as the command reads it.
  void RunProjectCommand(std::function<void(CommandProjectHost&)> run,
                         const std::string& chosenFile,
                         std::shared_ptr<const SlideshowDocument> shown,
                         std::function<void()> afterwards);

  CSlideshowDlg& window_;
  SlideshowDocument savedDocument_;
  std::string documentName_;
  std::string showFile_;
  // The show as loaded is not the file's (MarkLoaded); cleared by the next MarkSaved.
  bool differsFromSaved_ = false;
  bool modified_ = false;
};

}  // namespace varnel
