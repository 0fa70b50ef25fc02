#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "ui/model/dialog_units.h"
#include "ui/model/slideshow_dlg.h"
#include "ui/model/window_platform.h"

class QAbstractButton;
class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimer;

namespace varnel {

class ContextHelp;
class QtHelpPointer;

// The main window in Qt 6 Widgets: built from the control table and menu 133, it shows
// the model's control states and hands every input to the model's command table. It
// holds no logic of its own.
class MainWindow : public QMainWindow, public WindowPlatform {
  Q_OBJECT

 public:
  // Builds the window for the model and runs the model's start-up.
  explicit MainWindow(CSlideshowDlg& dialog, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The widget of a control id, nullptr for none.
  QWidget* control(int id) const;
  // The widget at a position of the template order (controls without an id included).
  QWidget* controlAt(int templateIndex) const;
  QAction* commandAction(int commandId) const;
  QWidget* clientArea() const { return centralWidget(); }
  const DialogBaseUnits& baseUnits() const { return baseUnits_; }
  // kCmdOk or kCmdCancel once the window has ended, else 0.
  int result() const { return result_; }

  // Stands in for the user at the window's file dialogs, which are then not shown: it is
  // given each dialog as the window set it up and accepts or rejects it. For tests.
  using FileDialogAnswer = std::function<void(QFileDialog&)>;
  void SetFileDialogAnswer(FileDialogAnswer answer);

  // WindowPlatform
  void ControlChanged(int id) override;
  void WindowTextChanged() override;
  void FocusControl(int id, bool selectAllText) override;
  void ShowMessage(const std::string& text, MessageBoxIcon icon) override;
  SaveChangesAnswer AskSaveChanges(const std::string& question) override;
  bool AskToReplace(const std::string& question) override;
  std::optional<std::vector<std::string>> ChooseFilesToOpen(
      const OpenFilesRequest& request) override;
  std::optional<std::string> ChooseProjectFileToSave(const std::string& showFile) override;
  std::optional<std::string> ChooseProjectFileToOpen(const std::string& showFile) override;
  void Post(std::function<void()> task) override;
  void BusyChanged() override;
  void EndDialog(int result) override;
  void StartTimer(int timerId, int periodMs) override;
  std::string CurrentDirectory() override;
  std::string ReadProfileString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ChooseDialogFont(QWidget& client);
  void CreateControls();
  void CreateMenu();
  QMenu* CreateSubmenu(QMenu& popup, std::string_view title);
  static void ExplainCommand(QAction& action, std::string_view help);
  bool ExplainsMenuItem(QObject* watched, QEvent* event) const;
  void ShowHelpForFocusedControl();
  // The cartridge meter, the selected row's cost, the status line and the Cancel button
  // below the progress bar.
  void CreateCommandControls();
  void MirrorCommandControl(int id);
  // The control's enabled state as the window shows it: the model's, and off for a control
  // that takes input while a long command runs.
  bool EnabledAsShown(int id) const;
  void ConnectControl(int id, QWidget* widget);
  void Send(Notification code, int id, int parameter = 0);
  void MirrorAll();
  void MirrorList();
  void MirrorPreview();
  void ReportListSelection();
  void ReportFocus(QWidget* focused);
  // Runs a file dialog modally, or has the stand-in answer it; the dialog's result.
  int RunFileDialog(QFileDialog& dialog);
  QAbstractButton* MnemonicButton(const QKeyEvent& event) const;

  CSlideshowDlg& dialog_;
  DialogBaseUnits baseUnits_;
  std::vector<QWidget*> controls_;  // in template order
  QPushButton* cancelButton_ = nullptr;
  QLabel* statusLine_ = nullptr;
  QLabel* meterText_ = nullptr;
  QProgressBar* meterBar_ = nullptr;
  QLabel* rowCost_ = nullptr;
  std::map<int, QAction*> actions_;
  std::map<int, QTimer*> timers_;
  FileDialogAnswer fileDialogAnswer_;
  std::unique_ptr<QtHelpPointer> helpPointer_;
  std::unique_ptr<ContextHelp> contextHelp_;  // the help timer's tick
  QMetaObject::Connection focusConnection_;
  // The rows as the list widget shows them, so a mirror converts only rows that changed:
  // a Load of many rows mirrors the list once per row.
  std::vector<PictureEntry> shownRows_;
  bool mirroring_ = false;  // the window is showing the model; its signals are not input
  // Where the keyboard was when a long command disabled the controls; it goes back there.
  QPointer<QWidget> focusBeforeCommand_;
  bool ending_ = false;
  int result_ = 0;
};

}  // namespace varnel
