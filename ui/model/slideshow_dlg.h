#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "builder/build_host.h"
#include "document/picture_row.h"
#include "document/slideshow_document.h"
#include "ui/model/build_relay.h"
#include "ui/model/cartridge_meter.h"
#include "ui/model/control_ids.h"
#include "ui/model/control_state.h"
#include "ui/model/field_table.h"
#include "ui/model/preview_area.h"
#include "ui/model/progress_bar_state.h"
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

  bool operator==(const WindowFields&) const = default;
};

// The main window as a model of its fields, its control states and its commands, free
// of any toolkit. It owns the one document of the run: the options are fields bound to
// the option controls, the rows are the rows of the picture list. A toolkit shows the
// control states, reports the user's changes to them, and hands every input to Dispatch;
// the model reaches the toolkit only through WindowPlatform.
class CSlideshowDlg : public BuildHost {
 public:
  CSlideshowDlg();
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
  void LoadProject(const std::string& path);
  // Pictures dropped onto the list from a file manager: added like the Add command's.
  void OnDropFiles(const std::vector<std::string>& paths);

  // The user changed a control; no operation runs (the toolkit dispatches the
  // notification, if any, afterwards).
  void SetControlText(int id, std::string text);
  void SetControlCheck(int id, int check);
  void SetComboIndex(int id, int index);
  // The list's own selection and focused row after the user moved them; -1 for none.
  // When the selection changed, the toolkit then dispatches kItemChanged.
  void SetListSelection(int selectedRow, int focusedRow);
  void SetFocusedControl(int id);

  // Commands whose operations other rooms supply (Save, Load, Settings, Start
  // SlideShow, About) and the help timer's tick.
  void SetCommandHandler(int commandId, std::function<void()> handler);
  void SetTimerHandler(std::function<void()> handler);
  // Whoever runs a long command on a worker plugs in here how to stop it: the work it
  // would replace (the previous image) stays as it was.
  void SetStopHandler(std::function<void()> handler);

  // ---- State the toolkit shows ----

  const ControlState& control(int id) const;
  const std::vector<RowState>& rowStates() const { return rowStates_; }
  const std::vector<ListColumn>& listColumns() const { return listColumns_; }
  const ProgressBarState& progressBar() const { return progress_; }
  const PreviewArea& previewArea() const { return preview_; }
  const std::string& windowText() const { return windowText_; }
  int focusedControl() const { return focusedControl_; }
  bool busy() const { return busy_; }
  // The show differs from the one last saved, loaded or begun with New.
  bool modified() const { return modified_; }
  // The show's name in the question about unsaved changes: the project file's name, or
  // "New SlideShow".
  const std::string& documentName() const { return documentName_; }
  // Set once the running command was asked to stop; a worker may read it any time.
  bool stopRequested() const { return stopRequested_; }
  // A Build is running: its Cancel button is shown and works.
  bool buildRunning() const { return buildRunning_; }
  // The line below the progress bar: where the last image went, or why it did not.
  const std::string& statusText() const { return statusText_; }
  // How full the cartridge of the show would be, with the selected row's share.
  const CartridgeMeter& cartridgeMeter() const { return cartridgeMeter_; }
  bool ended() const { return ended_; }
  int result() const { return result_; }

  // ---- Operations offered to the other commands of the window ----

  // Data exchange over the whole field table: controls to fields when saveAndValidate,
  // else fields to controls. False when a text is longer than its box allows; then the
  // user has been told, the box holds the focus and the later fields kept their values.
  bool UpdateData(bool saveAndValidate = true);
  void ApplyEnablingRules();

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
  void ShowMessage(const std::string& text, MessageBoxIcon icon);

  // The picture list.
  int RowCount() const { return static_cast<int>(document_.rows.size()); }
  std::vector<int> SelectedRows() const;
  int SelectedCount() const { return static_cast<int>(SelectedRows().size()); }
  // Selecting a row deselects the others (single selection); focusing one unfocuses them.
  void SetRowState(int row, bool selected, bool focused);
  void DeleteRow(int row);
  void DeleteAllRows();
  // Appends the row the row rule makes of the picture; false (and the reason, when
  // asked: its kind, and for a picture that does not load the words for the user) when it
  // makes none.
  bool AddRow(const std::string& path, int sizingIndex, int effectIndex, const std::string& caption,
              int fitIndex = kFitStretch, RowError* error = nullptr,
              std::string* failure = nullptr);

  // While it lives, a long command (Build, Save, Load, Add) runs: input is refused.
  // A command that runs on the window's thread paints every change of the progress bar
  // or the preview at once; one whose work runs on workers paints while it waits.
  class LongCommand {
   public:
    enum class Painting { kEachChange, kWhileWaiting };
    explicit LongCommand(CSlideshowDlg& window, Painting painting = Painting::kEachChange);
    ~LongCommand();
    LongCommand(const LongCommand&) = delete;
    LongCommand& operator=(const LongCommand&) = delete;

   private:
    CSlideshowDlg& window_;
    bool wasBusy_;
    bool wasPaintingEachChange_;
  };

  // Stops the running command as soon as it can: a Build ends without replacing the
  // image, a Load or an Add keeps the rows made so far. Nothing when none runs. Safe to
  // call from the toolkit while a command waits (the Cancel button, a request to end).
  void RequestStop() { stopRequested_ = true; }

  // Makes the rows of these pictures on worker threads and appends them in order, the
  // window painting meanwhile; onRowsDone runs each time requests were done (given a row
  // or not), with their count, so the progress bar can show them. The result of each
  // request (its row moved into the list when it gave one); a stop leaves the rest out.
  std::vector<MakeRowResult> AddRows(std::vector<RowRequest> requests,
                                     const std::function<void(int done)>& onRowsDone);

  // ---- Commands of the window ----

  // New, Quit, Enter, Escape, the close box, Load and Clear first ask whether to save
  // unsaved changes; Cancel, or a Save that fails or is cancelled, ends them there.
  void OnNew();
  void OnOK();      // Quit, Enter: takes the controls' values, then ends
  void OnCancel();  // Escape, close box: ends without the exchange
  void OnBuildSlideShow();
  // Whether slide.gba in the work directory was built by this window from the document
  // as it is now (the options as last taken from the controls) and is still there.
  bool BuiltImageIsCurrent() const;
  // Sets "Resized Only" on the largest full-size pictures, one at a time, until the show
  // fits into a cartridge; a show that cannot be made to fit is left as it is.
  void OnFitToCartridge();
  void OnSave();  // the project file commands
  void OnLoad();
  void OnSecondsUpdate();
  void OnIntroCountUpdate();

  void OnAdd();
  void OnRemove();
  void OnClear();
  enum class MoveStart { kButton, kKey };
  void MoveSelectedRow(int direction, MoveStart start);  // direction -1 up, +1 down
  void OnListKeyDown(int keyCode);
  void OnRowClick();
  // The user selected another row (mouse or keyboard): it is shown and its settings and
  // caption are loaded, so edits go to the row the user sees selected.
  void OnSelectionChanged();
  void LoadRowIntoEditingBuffer();
  void ApplyRowEdits();
  void OnCaptionChanged();

  // ---- BuildHost ----
  const SlideshowDocument& CurrentDocument() override;
  void ClearPictureInfo() override;
  ProgressSink& Progress() override { return progress_; }
  PreviewSink& Preview() override { return preview_; }
  void RepaintPreview() override;
  std::string WorkDirectory() override { return workDirectory_; }
  void ShowError(const std::string& message) override;

 private:
  ControlState& MutableControl(int id);
  void SetText(int id, const std::string& text);
  void SetEnabled(int id, bool enabled);
  void Changed(int id);
  void ListChanged() { Changed(kIdPictureList); }
  void PaintIfBusy();
  void SetStatusText(const std::string& text);
  void RefreshCartridgeMeter();
  void ShowBuildUpdates(BuildRelay::Updates updates);
  std::string& TextFieldOf(int id);
  int& NumberFieldOf(int id);
  bool ExchangeField(const FieldBinding& binding, bool saveAndValidate);
  bool RunOperation(Notification code, int sourceId, int parameter);
  void End(int result);
  void ResetToNewShow();
  // Unsaved changes: the options as the controls show them, compared with the show as
  // it was last saved, loaded or begun.
  SlideshowOptions OptionsShown() const;
  void RefreshModified();
  void MarkSaved(const std::string& documentName);
  // True when the command may go on: no unsaved changes, Discard, or a successful Save.
  bool MaySetChangesAside();
  void ShowSelectedRow();
  void ForgetRowLoadedBySelection() { rowLoadedBySelection_ = -1; }
  void RunExternal(int commandId);
  void RunNumberCheck(std::string& field, int maximum);
  void ShowRowPicture(const std::string& path);
  void AddPictures(const std::vector<std::string>& paths);
  int FindComboItem(int id, const std::string& text) const;
  std::string ComboItemText(int id, int index) const;

  WindowPlatform* platform_;
  std::vector<ControlState> controls_;  // in template order
  SlideshowDocument document_;
  std::vector<RowState> rowStates_;  // one per row
  WindowFields fields_;
  std::vector<ListColumn> listColumns_;
  ProgressBarState progress_;
  PreviewArea preview_;
  std::string windowText_;
  std::string titleBase_;
  std::string workDirectory_;
  std::string emulatorPath_;
  std::optional<SlideshowDocument> builtDocument_;  // as the last successful build took it
  std::string addDirectory_;  // the Add dialog's initial directory; empty lets it choose
  int focusedControl_ = kIdNone;
  bool busy_ = false;
  SlideshowDocument savedDocument_;
  std::string documentName_;
  bool modified_ = false;
  std::atomic<bool> stopRequested_ = false;
  std::function<void()> stopHandler_;
  // The row the last selection change showed, so the click that made it does not show
  // it again; -1 after any other change of the rows or the selection.
  int rowLoadedBySelection_ = -1;
  bool paintEachChange_ = true;
  bool buildRunning_ = false;
  std::string statusText_;
  CartridgeMeter cartridgeMeter_;
  bool ended_ = false;
  int result_ = 0;
  std::map<int, std::function<void()>> commandHandlers_;
  std::function<void()> timerHandler_;
};

}  // namespace varnel
