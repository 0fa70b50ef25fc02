// Save and Load with the window as the project commands' host: the options from the
// controls, the rows of the list, the project file dialogs, the progress bar, the caption
// and the message boxes.
#include "project/load_command.h"
#include "project/project_host.h"
#include "project/save_command.h"
#include "ui/slideshow_dlg.h"

namespace varnel {

namespace {

// The window's progress bar as Save and Load drive it.
class ProjectProgressBar final : public ProjectProgress {
 public:
  explicit ProjectProgressBar(ProgressSink& bar) : bar_(bar) {}
  void SetRange(int maximum) override { bar_.SetRange(maximum); }
  void SetPosition(int position) override { bar_.SetPosition(position); }
  void SetStep(int step) override { bar_.SetStep(step); }
  void StepIt() override { bar_.StepIt(); }

 private:
  ProgressSink& bar_;
};

class WindowProjectHost final : public ProjectHost {
 public:
  WindowProjectHost(CSlideshowDlg& window, WindowPlatform& platform)
      : window_(window), platform_(platform), progress_(window.progressBar()) {}

  SlideshowOptions OptionsFromControls() override {
    window_.UpdateData(true);
    return window_.document().options;
  }
  std::vector<PictureEntry> Rows() override { return window_.document().rows; }

  std::string AskSaveFileName() override {
    return platform_.ChooseProjectFileToSave().value_or(std::string());
  }
  std::string AskOpenFileName() override {
    return platform_.ChooseProjectFileToOpen().value_or(std::string());
  }

  ProjectProgress& Progress() override { return progress_; }

  bool AddRow(const std::string& path, int sizingIndex, int effectIndex,
              const std::string& caption) override {
    return window_.AddRow(path, sizingIndex, effectIndex, caption);
  }
  void ClearRows() override { window_.DeleteAllRows(); }
  void SetOptions(const SlideshowOptions& options) override {
    window_.document().options = options;
  }
  void RefreshControls() override {
    window_.UpdateData(false);
    window_.ApplyEnablingRules();
  }

  std::string TitleBase() override { return window_.titleBase(); }
  void SetCaption(const std::string& caption) override { window_.SetWindowText(caption); }
  void ShowMessage(MessageIcon icon, const std::string& message) override {
    window_.ShowMessage(message, icon == MessageIcon::kError ? MessageBoxIcon::kStop
                                                             : MessageBoxIcon::kExclamation);
  }

 private:
  CSlideshowDlg& window_;
  WindowPlatform& platform_;
  ProjectProgressBar progress_;
};

}  // namespace

void CSlideshowDlg::OnSave() {
  // A box holding more than it may would save values the window does not show; the
  // exchange has told the user and put the focus on that box.
  if (!UpdateData(true)) return;
  LongCommand running(*this);
  WindowProjectHost host(*this, *platform_);
  RunSaveCommand(host);
}

void CSlideshowDlg::OnLoad() {
  LongCommand running(*this);
  WindowProjectHost host(*this, *platform_);
  RunLoadCommand(host);
}

}  // namespace varnel
