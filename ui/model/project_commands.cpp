#include "ui/model/project_commands.h"

#include <chrono>
#include <optional>

#include "document/number_box_rule.h"
#include "document/picture_row.h"
#include "project/load_command.h"
#include "project/project_host.h"
#include "project/save_command.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

namespace {

// "Save changes to <name>?"
std::string SaveChangesQuestion(const std::string& name) {
  return "Save changes to " + name + "?";
}

// The window's progress bar as Save and Load drive it. Every step would paint the window
// at once; rows whose pictures load in microseconds would then spend nearly all of a Load
// painting. So steps that come sooner than kShowInterval after the bar was last shown are
// gathered and shown together with the next one, or when the command ends.
class ProjectProgressBar final : public ProjectProgress {
 public:
  explicit ProjectProgressBar(ProgressBarState& bar) : bar_(bar) {}

  void SetRange(int maximum) override {
    Show();
    bar_.SetRange(maximum);
  }
  void SetPosition(int position) override {
    pendingSteps_ = 0;
    bar_.SetPosition(position);
  }
  void SetStep(int step) override {
    Show();
    bar_.SetStep(step);
  }
  void StepIt() override {
    ++pendingSteps_;
    if (Clock::now() - lastShown_ >= kShowInterval) Show();
  }

  // Shows the steps gathered so far.
  void Show() {
    lastShown_ = Clock::now();
    if (pendingSteps_ == 0) return;
    if (pendingSteps_ == 1) {
      bar_.StepIt();
    } else {
      bar_.SetPosition(bar_.position() + pendingSteps_ * bar_.step());
    }
    pendingSteps_ = 0;
  }

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kShowInterval{25};

  ProgressBarState& bar_;
  int pendingSteps_ = 0;
  Clock::time_point lastShown_{};
};

// Save and Load with the window as the project commands' host: the options from the
// controls, the rows of the list, the project file dialogs, the progress bar, the caption
// and the message boxes.
class WindowProjectHost final : public ProjectHost {
 public:
  // showFile: the project file the show was last saved to or loaded from, if any.
  WindowProjectHost(CSlideshowDlg& window, WindowPlatform& platform, std::string showFile)
      : window_(window),
        platform_(platform),
        progress_(window.progressBar()),
        showFile_(std::move(showFile)) {}

  SlideshowOptions OptionsFromControls() override {
    window_.UpdateData(true);
    return window_.document().options;
  }
  std::vector<PictureEntry> Rows() override { return window_.document().rows; }

  std::string AskSaveFileName() override {
    chosenPath_ = platform_.ChooseProjectFileToSave(showFile_).value_or(std::string());
    return chosenPath_;
  }
  std::string AskOpenFileName() override {
    chosenPath_ = platform_.ChooseProjectFileToOpen(showFile_).value_or(std::string());
    return chosenPath_;
  }

  ProjectProgress& Progress() override { return progress_; }

  bool AddRow(const std::string& path, int sizingIndex, int effectIndex, const std::string& caption,
              int fitIndex) override {
    return window_.AddRow(path, sizingIndex, effectIndex, caption, fitIndex);
  }
  std::vector<std::string> AddRows(const std::vector<StoredPicture>& pictures) override {
    std::vector<RowRequest> requests;
    for (const StoredPicture& picture : pictures)
      requests.push_back({picture.path, picture.sizingIndex, picture.effectIndex, picture.caption,
                          picture.fitIndex});
    std::vector<std::string> whyNot;
    for (const MakeRowResult& made :
         window_.AddRows(std::move(requests), [this](int done) { ShowRowsDone(done); }))
      whyNot.push_back(made.ok() ? "" : made.failure.empty() ? kPictureNotLoaded : made.failure);
    return whyNot;
  }
  void ClearRows() override { window_.DeleteAllRows(); }
  void SetOptions(const SlideshowOptions& options) override {
    window_.document().options = options;
    // Loaded numbers meet the boxes' rules as typed ones do.
    ApplyNumberBoxRules(window_.document().options);
  }
  void RefreshControls() override {
    progress_.Show();
    window_.UpdateData(false);
    window_.ApplyEnablingRules();
  }

  // Shows the steps the bar has gathered; the command's last steps may be among them.
  void ShowProgress() { progress_.Show(); }
  // A step per row, shown at once: rows come from the workers in groups, each group
  // a while after the one before.
  void ShowRowsDone(int done) {
    for (int i = 0; i < done; ++i) progress_.StepIt();
    progress_.Show();
  }
  // A file named without the dialog (the project named at start-up).
  void SetChosenFile(const std::string& path) { chosenPath_ = path; }
  // The file the show was saved to or loaded from; nothing when the command failed or
  // was cancelled.
  std::optional<std::string> FileOfShow() const {
    if (!showIsTheFile_) return std::nullopt;
    return chosenPath_;
  }

  std::string TitleBase() override { return window_.titleBase(); }
  // Save and Load name the file in the caption only once the show is the file's.
  void SetCaption(const std::string& caption) override {
    progress_.Show();
    window_.SetWindowText(caption);
    showIsTheFile_ = true;
  }
  void ShowDiffersFromFile() override { showDiffersFromFile_ = true; }
  bool showDiffersFromFile() const { return showDiffersFromFile_; }
  void ShowMessage(MessageIcon icon, const std::string& message) override {
    progress_.Show();
    window_.ShowMessage(message, icon == MessageIcon::kError ? MessageBoxIcon::kStop
                                                             : MessageBoxIcon::kExclamation);
  }

 private:
  CSlideshowDlg& window_;
  WindowPlatform& platform_;
  ProjectProgressBar progress_;
  std::string showFile_;
  std::string chosenPath_;
  bool showIsTheFile_ = false;
  bool showDiffersFromFile_ = false;
};

}  // namespace

void ProjectCommands::OnSave() {
  // A box holding more than it may would save values the window does not show; the
  // exchange has told the user and put the focus on that box.
  if (!window_.UpdateData(true)) return;
  CSlideshowDlg::LongCommand running(window_);
  WindowProjectHost host(window_, window_.platform(), showFile_);
  RunSaveCommand(host);
  host.ShowProgress();
  if (const auto file = host.FileOfShow()) MarkSavedAs(*file);
}

void ProjectCommands::OnLoad() {
  if (!MaySetChangesAside()) return;
  CSlideshowDlg::LongCommand running(window_, CSlideshowDlg::LongCommand::Painting::kWhileWaiting);
  WindowProjectHost host(window_, window_.platform(), showFile_);
  RunLoadCommand(host);
  host.ShowProgress();
  if (const auto file = host.FileOfShow()) MarkLoaded(*file, host.showDiffersFromFile());
}

// The show then has its file's name exactly as after File > Load.
void ProjectCommands::LoadProject(const std::string& path) {
  CSlideshowDlg::LongCommand running(window_);
  WindowProjectHost host(window_, window_.platform(), showFile_);
  host.SetChosenFile(path);
  LoadProjectFile(host, path);
  host.ShowProgress();
  if (const auto file = host.FileOfShow()) MarkLoaded(*file, host.showDiffersFromFile());
}

// ---- Unsaved changes ----

void ProjectCommands::RefreshModified() {
  const bool modified = differsFromSaved_ || window_.document().rows != savedDocument_.rows ||
                        window_.OptionsShown() != savedDocument_.options;
  if (modified == modified_) return;
  modified_ = modified;
  window_.platform().WindowTextChanged();
}

void ProjectCommands::MarkSavedAs(const std::string& projectFile) {
  MarkSaved(FileNameOfPath(projectFile));
  showFile_ = projectFile;
}

void ProjectCommands::MarkLoaded(const std::string& projectFile, bool differsFromFile) {
  MarkSavedAs(projectFile);
  if (!differsFromFile) return;
  differsFromSaved_ = true;
  RefreshModified();
}

void ProjectCommands::MarkSaved(const std::string& documentName) {
  documentName_ = documentName;
  showFile_.clear();
  differsFromSaved_ = false;
  savedDocument_.rows = window_.document().rows;
  savedDocument_.options = window_.OptionsShown();
  RefreshModified();
}

bool ProjectCommands::MaySetChangesAside() {
  RefreshModified();
  if (!modified_) return true;
  switch (window_.platform().AskSaveChanges(SaveChangesQuestion(documentName_))) {
    case SaveChangesAnswer::kDiscard:
      return true;
    case SaveChangesAnswer::kCancel:
      return false;
    case SaveChangesAnswer::kSave:
      OnSave();
      return !modified_;
  }
  return false;
}

}  // namespace varnel
