#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/model/file_filter.h"

namespace varnel {

enum class MessageBoxIcon { kExclamation, kStop, kInformation };

enum class SaveChangesAnswer { kSave, kDiscard, kCancel };

struct OpenFilesRequest {
  std::vector<FileFilter> filters;  // patterns match names in any letter case
  std::string initialDirectory;     // empty: the toolkit's own choice
  bool multipleFiles = false;
};

// What the window model needs of the toolkit that shows it. Implementations may read the
// model's state but never hand input to the model from inside these calls.
class WindowPlatform {
 public:
  virtual ~WindowPlatform() = default;

  // The state of this control (or of the picture list, the preview, the progress bar)
  // changed in the model; show it.
  virtual void ControlChanged(int id) = 0;
  virtual void WindowTextChanged() = 0;
  // Gives the control the keyboard focus, selecting all of its text when asked.
  virtual void FocusControl(int id, bool selectAllText) = 0;

  // A message box with an OK button, captioned with the application's name.
  virtual void ShowMessage(const std::string& text, MessageBoxIcon icon) = 0;
  // Asks the question about unsaved changes, with Save, Discard and Cancel. A toolkit with
  // no user to ask lets the command go on as it would without changes.
  virtual SaveChangesAnswer AskSaveChanges(const std::string& question) {
    (void)question;
    return SaveChangesAnswer::kDiscard;
  }
  // Asks whether to replace something the user has (the question as given, with Replace
  // and Cancel, Cancel the default). A toolkit with no user to ask keeps it.
  virtual bool AskToReplace(const std::string& question) {
    (void)question;
    return false;
  }
  // The files the user picked in dialog order, or nothing when the dialog was cancelled.
  virtual std::optional<std::vector<std::string>> ChooseFilesToOpen(
      const OpenFilesRequest& request) = 0;

  // The project file dialogs of Save and Load, owned by the window, with the one filter of
  // project files. Both open in the folder of the show's project file (`showFile`, empty
  // for a show never saved or loaded), Save with that file's name filled in. Save gives
  // the name to write: ".vrn" added to a name that has no extension, and replacing an
  // existing file confirmed by the user. Load gives an existing file. Nothing when the
  // user cancels.
  virtual std::optional<std::string> ChooseProjectFileToSave(const std::string& showFile) {
    (void)showFile;
    return std::nullopt;
  }
  virtual std::optional<std::string> ChooseProjectFileToOpen(const std::string& showFile) {
    (void)showFile;
    return std::nullopt;
  }

  // Runs task on the window's thread from its event loop, after the tasks posted before
  // it. Called from any thread: this is how a long command's work, running on a thread of
  // its own, reaches the window. A toolkit that is gone drops the task.
  virtual void Post(std::function<void()> task) = 0;
  // A long command began or ended (CSlideshowDlg::busy): while one runs, the window takes
  // no input but the Cancel button's.
  virtual void BusyChanged() {}
  // The window ends with this result (kCmdOk or kCmdCancel).
  virtual void EndDialog(int result) = 0;
  virtual void StartTimer(int timerId, int periodMs) = 0;
  // The process's current directory.
  virtual std::string CurrentDirectory() = 0;

  // A value from the profile; the default when the profile holds none.
  virtual std::string ReadProfileString(const std::string& section, const std::string& key,
                                        const std::string& defaultValue) {
    (void)section;
    (void)key;
    return defaultValue;
  }
};

}  // namespace varnel
