#pragma once

#include <string>

#include "app/qt/template_dialog.h"

class QLineEdit;

namespace varnel {

// Controls of the Settings dialog (template 136).
inline constexpr int kIdEmulatorLocation = 1040;
inline constexpr int kIdBrowse = 1041;

// Shown under the location when it was found on this computer rather than stored.
inline constexpr const char* kSuggestionNote = "Found on this computer.";

// The Browse button's file dialog filter. Programs on this system carry no extension, so
// the "All (*.*)" entry is the one that shows them: it lists every file.
inline constexpr const char* kEmulatorFileFilter = "Programs (*.exe)|*.exe|All (*.*)|*.*||";

// The Settings dialog: edits the emulator location. It holds one text, the location,
// exchanged with the edit box 1040; nothing checks it.
class CSettingsDlg : public TemplateDialog {
 public:
  explicit CSettingsDlg(const std::string& path, QWidget* parent = nullptr);

  // The location; after OK, the text the edit box held.
  const std::string& path() const { return path_; }

  // Says that the location shown was found on this computer, not stored: OK keeps it.
  void ShowAsSuggestion();

  // OK: the edit box's text becomes the location, then the dialog ends.
  void accept() override;

 protected:
  // A suggestion gets the focus, selected, so that typing replaces it.
  void showEvent(QShowEvent* event) override;

 private:
  void OnBrowse();
  // Data exchange with the edit box.
  void TakeEditText();
  void ShowPath();

  std::string path_;
  QLineEdit* edit_;
  bool suggestion_ = false;
};

}  // namespace varnel
