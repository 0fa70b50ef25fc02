#include "ui/model/project_commands.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "document/number_box_rule.h"
#include "document/picture_row.h"
#include "project/load_command.h"
#include "project/project_host.h"
#include "project/save_command.h"
#include "ui/model/command_thread.h"
#include "ui/model/posted_progress.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

namespace {

// "Save changes to <name>?"
std::string SaveChangesQuestion(const std::string& name) {
  return "Save changes to " + name + "?";
}

}  // namespace

// Save and Load on the command's thread with the window as their host: the options and
// rows as the window held them when the command began, the project file dialogs asked on
// the window's thread, and whatever is shown sent there. The caption and the messages wait
// for the end of the command, where the window shows them after the rows and the options.
class CommandProjectHost final : public ProjectHost {
 public:
  // showFile: the project file the show was last saved to or loaded from, if any.
  CommandProjectHost(CommandThread& command, CSlideshowDlg& window,
                     std::shared_ptr<const SlideshowDocument> shown, std::string titleBase,
                     std::string showFile)
      : command_(command),
        window_(window),
        shown_(std::move(shown)),
        titleBase_(std::move(titleBase)),
        showFile_(std::move(showFile)),
        progress_(command, window) {}

  SlideshowOptions OptionsFromControls() override { return shown_->options; }
  std::vector<PictureEntry> Rows() override { return shown_->rows; }

  std::string AskSaveFileName() override {
    chosenPath_ = AskOnWindowThread(&WindowPlatform::ChooseProjectFileToSave);
    return chosenPath_;
  }
  std::string AskOpenFileName() override {
    chosenPath_ = AskOnWindowThread(&WindowPlatform::ChooseProjectFileToOpen);
    return chosenPath_;
  }

  ProjectProgress& Progress() override { return progress_; }

  bool AddRow(const std::string& path, int sizingIndex, int effectIndex, const std::string& caption,
              int fitIndex) override {
    const std::vector<MakeRowResult> made =
        window_.MakeRows(command_, {{path, sizingIndex, effectIndex, caption, fitIndex}}, nullptr);
    return !made.empty() && made.front().ok();
  }
  std::vector<std::string> AddRows(const std::vector<StoredPicture>& pictures) override {
    std::vector<RowRequest> requests;
    for (const StoredPicture& picture : pictures)
      requests.push_back({picture.path, picture.sizingIndex, picture.effectIndex, picture.caption,
                          picture.fitIndex});
    // A step per row, sent at once: rows come from the workers in groups, each group a
    // while after the one before.
    std::vector<std::string> whyNot;
    for (const MakeRowResult& made : window_.MakeRows(command_, std::move(requests),
                                                      [this](int done) { progress_.Steps(done); }))
      whyNot.push_back(made.ok() ? "" : made.failure.empty() ? kPictureNotLoaded : made.failure);
    return whyNot;
  }
  void ClearRows() override {
    command_.Post([&window = window_] { window.DeleteAllRows(); });
  }
  void SetOptions(const SlideshowOptions& options) override {
    command_.Post([&window = window_, options] {
      window.document().options = options;
      // Loaded numbers meet the boxes' rules as typed ones do.
      ApplyNumberBoxRules(window.document().options);
    });
  }
  void RefreshControls() override {
    progress_.Flush();
    command_.Post([&window = window_] {
      window.UpdateData(false);
      window.ApplyEnablingRules();
    });
  }

  std::string TitleBase() override { return titleBase_; }
  // Save and Load name the file in the caption only once the show is the file's.
  void SetCaption(const std::string& caption) override {
    progress_.Flush();
    caption_ = caption;
  }
  void ShowDiffersFromFile() override { showDiffersFromFile_ = true; }
  void ShowMessage(MessageIcon icon, const std::string& message) override {
    progress_.Flush();
    messages_.push_back({message, icon == MessageIcon::kError ? MessageBoxIcon::kStop
                                                              : MessageBoxIcon::kExclamation});
  }

  // A file named without the dialog (File > Load asks on the window's thread first).
  void SetChosenFile(const std::string& path) { chosenPath_ = path; }
  // What the window shows once the command has ended, in this order: the caption naming
  // the file when the show is now the file's, the messages, and the show as the file's
  // (marked changed when Load left rows out or found pictures elsewhere).
  struct Ending {
    std::optional<std::string> caption;
    std::vector<std::pair<std::string, MessageBoxIcon>> messages;
    std::optional<std::string> fileOfShow;
    bool showDiffersFromFile = false;
  };
  Ending End() {
    progress_.Flush();
    std::optional<std::string> fileOfShow;
    if (caption_) fileOfShow = chosenPath_;
    return {caption_, std::move(messages_), fileOfShow, showDiffersFromFile_};
  }

 private:
  using FileDialog = std::optional<std::string> (WindowPlatform::*)(const std::string&);
  std::string AskOnWindowThread(FileDialog dialog) {
    return command_
        .Call<std::string>([&window = window_, dialog, showFile = showFile_] {
          return (window.platform().*dialog)(showFile).value_or(std::string());
        })
        .value_or(std::string());
  }

  CommandThread& command_;
  CSlideshowDlg& window_;
  const std::shared_ptr<const SlideshowDocument> shown_;
  const std::string titleBase_;
  const std::string showFile_;
  PostedProgress progress_;
  std::string chosenPath_;
  std::optional<std::string> caption_;
  std::vector<std::pair<std::string, MessageBoxIcon>> messages_;
  bool showDiffersFromFile_ = false;
};

void ProjectCommands::OnSave(std::function<void()> afterwards) {
  // A box holding more than it may would save values the window does not show; the
  // exchange has told the user and put the focus on that box.
  if (!window_.UpdateData(true)) return;
  RunProjectCommand([](CommandProjectHost& host) { RunSaveCommand(host); }, {},
                    std::make_shared<const SlideshowDocument>(window_.document()),
                    std::move(afterwards));
}

void ProjectCommands::OnLoad() {
  window_.MaySetChangesAside([this] {
    const std::optional<std::string> path = window_.platform().ChooseProjectFileToOpen(showFile_);
    if (!path) return;
    LoadProject(*path);
  });
}

// The show then has its file's name exactly as after File > Load.
void ProjectCommands::LoadProject(const std::string& path) {
  // Load reads nothing of the show it replaces.
  RunProjectCommand([path](CommandProjectHost& host) { LoadProjectFile(host, path); }, path,
                    std::make_shared<const SlideshowDocument>(), {});
}

void ProjectCommands::RunProjectCommand(std::function<void(CommandProjectHost&)> run,
                                        const std::string& chosenFile,
                                        std::shared_ptr<const SlideshowDocument> shown,
                                        std::function<void()> afterwards) {
  auto ending = std::make_shared<CommandProjectHost::Ending>();
  window_.RunCommand(
      [this, run = std::move(run), chosenFile, ending, shown = std::move(shown),
       titleBase = window_.titleBase(), showFile = showFile_](CommandThread& command) {
        CommandProjectHost host(command, window_, shown, titleBase, showFile);
        if (!chosenFile.empty()) host.SetChosenFile(chosenFile);
        run(host);
        *ending = host.End();
      },
      [this, ending, afterwards = std::move(afterwards)] {
        if (ending->caption) window_.SetWindowText(*ending->caption);
        for (const auto& [message, icon] : ending->messages) window_.ShowMessage(message, icon);
        // A Save's show never differs from its file: it ends as MarkSavedAs.
        if (ending->fileOfShow) MarkLoaded(*ending->fileOfShow, ending->showDiffersFromFile);
        if (afterwards) afterwards();
      });
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

void ProjectCommands::MaySetChangesAside(std::function<void()> goOn) {
  RefreshModified();
  if (!modified_) {
    goOn();
    return;
  }
  switch (window_.platform().AskSaveChanges(SaveChangesQuestion(documentName_))) {
    case SaveChangesAnswer::kDiscard:
      goOn();
      return;
    case SaveChangesAnswer::kCancel:
      return;
    case SaveChangesAnswer::kSave:
      // A Save that fails or is cancelled leaves the changes unsaved: the command ends.
      OnSave([this, goOn = std::move(goOn)] {
        if (!modified_) goOn();
      });
      return;
  }
}

}  // namespace varnel
