#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/picture_row.h"
#include "document/slideshow_document.h"
#include "ui/model/build_commands.h"
#include "ui/model/cartridge_meter.h"
#include "ui/model/cartridge_space.h"
#include "ui/model/command_thread.h"
#include "ui/model/console_preview.h"
#include "ui/model/control_ids.h"
#include "ui/model/control_state.h"
#include "ui/model/field_table.h"
#include "ui/model/picture_list_editor.h"
#include "ui/model/preview_area.h"
#include "ui/model/progress_bar_state.h"
#include "ui/model/project_commands.h"
#include "ui/model/row_maker.h"
#include "ui/model/window_platform.h"

namespace varnel {

// The fields of the window that are not options of the show: the editing buffer of the
// row last clicked and the display texts.
struct WindowFields {
  std::string colorInfo;       // 1022, "Color: %iBits"
  int effectChoice = -1;       // 1013
  std::string caption;         // 1018, line breaks as CR LF
  std::string captionPreview;  // 1025
  std::string sizeInfo;        // 1021, "Size: %ix%i"
  int sizingChoice = -1;       // 1014
  std::string helpText;        // 1033
  int fitChoice = -1;          // 1043
  int asOnConsole = 0;         // 1044: the preview shows the selected row as on the console

  bool operator==(const WindowFields&) const = default;
};

// The main window as a model of its fields, its control states and its commands, free
// of any toolkit. It owns the one document of the run: the options are fields bound to
// the option controls, the rows are the rows of the picture list. A toolkit shows the
// control states, reports the user's changes to them, and hands every input to Dispatch;
// the model reaches the toolkit only through WindowPlatform.
//
// The window itself keeps the controls, the data exchange, the enabling rules, the number
// boxes, New and the endings; the commands of the picture list, of Build, of the project
// file and of the cartridge meter live in parts it composes, each reaching the others
// through the window.
class CSlideshowDlg {
 public:
  CSlideshowDlg();
  ~CSlideshowDlg();
  CSlideshowDlg(const CSlideshowDlg&) = delete;
  CSlideshowDlg& operator=(const CSlideshowDlg&) = delete;

  // The toolkit showing the window; attached before OnInitDialog. A toolkit that goes
  // away before the model detaches itself.
  void AttachPlatform(WindowPlatform& platform);
  void DetachPlatform();

  // Start-up: places the preview, fixes the work directory, makes the list columns,
  // starts the help timer and runs New.
  void OnInitDialog();

  // ---- Input from the toolkit ----

  // Runs the operation the command table gives for this input; false when it gives none
  // or when the input is refused (a long command is running, or the window has ended).
  bool Dispatch(Notification code, int sourceId, int parameter = 0);
  // The system asks the program to end (Ctrl-C, SIGTERM): what runs is asked to stop and
  // the window ends at once, without asking about unsaved changes. Accepted while a long
  // command runs; the command then ends first.
  void OnTerminate();
  // A project named when the program started: loaded like Load does, without the dialog.
  void LoadProject(const std::string& path) { project_.LoadProject(path); }
  // Pictures dropped onto the list from a file manager: added like the Add command's.
  void OnDropFiles(const std::vector<std::string>& paths) { list_.OnDropFiles(paths); }

  // The user changed a control; no operation runs (the toolkit dispatches the
  // notification, if any, afterwards).
  void SetControlText(int id, std::string text);
  void SetControlCheck(int id, int check);
  void SetComboIndex(int id, int index);
  // The list's own selection and focused row after the user moved them; -1 for none.
  // When the selection changed, the toolkit then dispatches kItemChanged.
  void SetListSelection(int selectedRow, int focusedRow) {
    list_.SetListSelection(selectedRow, focusedRow);
  }
  void SetFocusedControl(int id);
  // The caption box left out part of what the user typed, pasted or dropped: these
  // characters a caption cannot hold, and the rest when it went over the limit. The
  // status line says which character and why, without a box.
  void OnCaptionInputLeftOut(const std::vector<char32_t>& refused, bool overLimit);

  // Commands whose operations other rooms supply (Settings, Start SlideShow, Play,
  // About) and the help timer's tick.
  void SetCommandHandler(int commandId, std::function<void()> handler);
  void SetTimerHandler(std::function<void()> handler);
  // Whoever runs a long command on a worker plugs in here how to stop it: the work it
  // would replace (the previous image) stays as it was.
  void SetStopHandler(std::function<void()> handler);

  // ---- State the toolkit shows ----

  const ControlState& control(int id) const;
  const std::vector<RowState>& rowStates() const { return list_.rowStates(); }
  const std::vector<ListColumn>& listColumns() const { return listColumns_; }
  const ProgressBarState& progressBar() const { return progress_; }
  const PreviewArea& previewArea() const { return preview_; }
  const std::string& windowText() const { return windowText_; }
  int focusedControl() const { return focusedControl_; }
  // A long command runs: the window takes no input but its Cancel button's.
  bool busy() const { return busy_; }
  // The show differs from the one last saved, loaded or begun with New.
  bool modified() const { return project_.modified(); }
  // The show's name in the question about unsaved changes: the project file's name, or
  // "New SlideShow".
  const std::string& documentName() const { return project_.documentName(); }
  // Set once the running command was asked to stop; a worker may read it any time.
  bool stopRequested() const { return stopRequested_; }
  // A Build is running: its Cancel button is shown and works.
  bool buildRunning() const { return build_.buildRunning(); }
  // The line below the progress bar: where the last image went, or why it did not.
  const std::string& statusText() const { return statusText_; }
  // The part of the status text that a line too narrow for it shortens from its start
  // (the image's path, so that its file name stays seen); empty when none may be.
  const std::string& statusShortenable() const { return statusShortenable_; }
  // How full the cartridge of the show would be, with the selected row's share.
  const CartridgeMeter& cartridgeMeter() const { return cartridge_.meter(); }
  bool ended() const { return ended_; }
  int result() const { return result_; }

  // ---- Operations offered to the commands and to the window's parts ----

  // Data exchange over the whole field table: controls to fields when saveAndValidate,
  // else fields to controls. False when a text is longer than its box allows; then the
  // user has been told, the box holds the focus and the later fields kept their values.
  bool UpdateData(bool saveAndValidate = true);
  void ApplyEnablingRules();
  // The options as the controls show them: some check boxes reach their field only at the
  // next exchange, and the show the user sees is the one the controls show.
  SlideshowOptions OptionsShown() const;

  SlideshowDocument& document() { return document_; }
  const SlideshowDocument& document() const { return document_; }
  WindowFields& fields() { return fields_; }
  const WindowFields& fields() const { return fields_; }

  const std::string& workDirectory() const { return workDirectory_; }
  const std::string& titleBase() const { return titleBase_; }
  void SetWindowText(const std::string& text);
  const std::string& emulatorPath() const { return emulatorPath_; }
  void SetEmulatorPath(const std::string& path) { emulatorPath_ = path; }
  ProgressBarState& progressBar() { return progress_; }
  PreviewArea& previewArea() { return preview_; }
  void ShowMessage(const std::string& text, MessageBoxIcon icon);
  void SetStatusText(const std::string& text, const std::string& shortenable = {});
  // The toolkit is told that this control's state changed.
  void Changed(int id);
  void ListChanged() { Changed(kIdPictureList); }
  WindowPlatform& platform() { return *platform_; }
  // The show may have changed: the mark of unsaved changes, the cartridge meter and the
  // preview "As on Console" follow.
  void RefreshShowState();
  void RefreshCartridgeMeter() { cartridge_.Refresh(); }
  void MarkSaved(const std::string& documentName) { project_.MarkSaved(documentName); }
  // Runs goOn when the show may be set aside: no unsaved changes, Discard, or a Save that
  // succeeded (once it has).
  void MaySetChangesAside(std::function<void()> goOn) {
    project_.MaySetChangesAside(std::move(goOn));
  }

  // The picture list.
  int RowCount() const { return static_cast<int>(document_.rows.size()); }
  std::vector<int> SelectedRows() const { return list_.SelectedRows(); }
  int SelectedCount() const { return static_cast<int>(SelectedRows().size()); }
  // Selecting a row deselects the others (single selection); focusing one unfocuses them.
  void SetRowState(int row, bool selected, bool focused) {
    list_.SetRowState(row, selected, focused);
  }
  void DeleteRow(int row) { list_.DeleteRow(row); }
  void DeleteAllRows() { list_.DeleteAllRows(); }
  // Appends the row the row rule makes of the picture; false (and the reason, when
  // asked: its kind, and for a picture that does not load the words for the user) when it
  // makes none.
  bool AddRow(const std::string& path, int sizingIndex, int effectIndex, const std::string& caption,
              int fitIndex = kFitStretch, RowError* error = nullptr,
              std::string* failure = nullptr) {
    return list_.AddRow(path, sizingIndex, effectIndex, caption, fitIndex, error, failure);
  }
  // On a long command's thread: makes the rows of these pictures on worker threads and
  // hands them to the window's thread in groups, appended in order; onRowsTaken runs on
  // the command's thread each time requests were done (given a row or not), with their
  // count. The result of each request; a stop leaves the rest out.
  std::vector<MakeRowResult> MakeRows(CommandThread& command, std::vector<RowRequest> requests,
                                      const std::function<void(int done)>& onRowsTaken) {
    return list_.MakeRows(command, std::move(requests), onRowsTaken);
  }

  // A long command (Build, Save, Load, Add): work runs on a thread of its own while the
  // window takes no input (busy); afterwards runs on the window's thread once every task
  // the work posted has run and the window takes input again. stop, when given, is how
  // the work is asked to stop besides stopRequested(). Only one runs at a time.
  void RunCommand(CommandThread::Work work, std::function<void()> afterwards,
                  std::function<void()> stop = {});

  // Stops the running command as soon as it can: a Build ends without replacing the
  // image, a Load or an Add keeps the rows made so far. Nothing when none runs.
  void RequestStop();

  // ---- Commands of the window ----

  // New, Quit, Enter, Escape, the close box, Load and Clear first ask whether to save
  // unsaved changes; Cancel, or a Save that fails or is cancelled, ends them there.
  void OnNew();
  void OnOK();      // Quit, Enter: takes the controls' values, then ends
  void OnCancel();  // Escape, close box: ends without the exchange
  void OnBuildSlideShow() { build_.OnBuildSlideShow(); }
  // Play's build, into the player's own image (never the work folder's slide.gba). Once
  // that file holds the show as it is now, play runs on the window's thread, told whether
  // the file was written now; not when the build failed or was stopped.
  void BuildForPlayer(const std::string& imagePath, std::function<void(bool rebuilt)> play) {
    build_.BuildForPlayer(imagePath, std::move(play));
  }
  // Sets "Resized Only" on the largest full-size pictures, one at a time, until the show
  // fits into a cartridge; a show that cannot be made to fit is left as it is.
  void OnFitToCartridge() { cartridge_.OnFitToCartridge(); }
  void OnSave() { project_.OnSave(); }  // the project file commands
  void OnLoad() { project_.OnLoad(); }
  void OnSecondsUpdate();
  void OnIntroCountUpdate();

  void OnAdd() { list_.OnAdd(); }
  void OnRemove() { list_.OnRemove(); }
  void OnClear() { list_.OnClear(); }
  using MoveStart = PictureListEditor::MoveStart;
  // direction -1 up, +1 down
  void MoveSelectedRow(int direction, MoveStart start) { list_.MoveSelectedRow(direction, start); }
  void OnListKeyDown(int keyCode) { list_.OnListKeyDown(keyCode); }
  void OnRowClick() { list_.OnRowClick(); }
  // The user selected another row (mouse or keyboard): it is shown and its settings and
  // caption are loaded, so edits go to the row the user sees selected.
  void OnSelectionChanged() { list_.OnSelectionChanged(); }
  void LoadRowIntoEditingBuffer() { list_.LoadRowIntoEditingBuffer(); }
  void ApplyRowEdits() { list_.ApplyRowEdits(); }
  void OnCaptionChanged() { list_.OnCaptionChanged(); }
  // SlideShow > Fit All Pictures: one fit for every row, as one change of the show.
  void OnFitAllPictures(Fit fit) { list_.OnFitAllPictures(fit); }
  // Shows the selected row's picture itself in the preview (the "As on Console" check box
  // turned off).
  void ShowSelectedPicture() { list_.ShowSelectedPicture(); }

 private:
  ControlState& MutableControl(int id);
  void SetText(int id, const std::string& text);
  void SetEnabled(int id, bool enabled);
  std::string& TextFieldOf(int id);
  int& NumberFieldOf(int id);
  bool ExchangeField(const FieldBinding& binding, bool saveAndValidate);
  bool RunOperation(Notification code, int sourceId, int parameter);
  void End(int result);
  void ResetToNewShow();
  void RunExternal(int commandId);
  void RunNumberCheck(std::string& field, int maximum);
  void FinishCommand(const std::function<void()>& afterwards);
  // The window goes away while a command runs: it is stopped and waited for, and what it
  // had still to show is dropped.
  void AbandonCommand();

  WindowPlatform* platform_;
  std::vector<ControlState> controls_;  // in template order
  SlideshowDocument document_;
  WindowFields fields_;
  std::vector<ListColumn> listColumns_;
  ProgressBarState progress_;
  PreviewArea preview_;
  std::string windowText_;
  std::string titleBase_;
  std::string workDirectory_;
  std::string emulatorPath_;
  int focusedControl_ = kIdNone;
  bool busy_ = false;
  std::atomic<bool> stopRequested_ = false;
  std::function<void()> stopHandler_;
  std::unique_ptr<CommandThread> command_;
  std::function<void()> commandStop_;
  std::string statusText_;
  std::string statusShortenable_;
  bool ended_ = false;
  int result_ = 0;
  std::map<int, std::function<void()>> commandHandlers_;
  std::function<void()> timerHandler_;

  PictureListEditor list_{*this};
  BuildCommands build_{*this};
  ProjectCommands project_{*this};
  CartridgeSpace cartridge_{*this};
  ConsolePreview consolePreview_{*this};
};

}  // namespace varnel
