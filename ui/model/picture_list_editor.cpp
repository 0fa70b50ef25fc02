#include "ui/model/picture_list_editor.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <memory>

#include "builder/preview.h"
#include "document/label_tables.h"
#include "ui/model/caption_rules.h"
#include "ui/model/command_thread.h"
#include "ui/model/display_picture.h"
#include "ui/model/file_filter.h"
#include "ui/model/not_added_report.h"
#include "ui/model/posted_progress.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

namespace {

constexpr std::string_view kPictureFilter =
    "Pictures (Bmp,Jpg,Gif,Png)|*.Bmp;*.Jpg;*.Gif;*.Png;*.Jpeg;*.Jpe;*.Tif;*.Tiff;*.Webp|"
    "All (*.*)|*.*||";

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

// ---- The list's own operations ----

int PictureListEditor::RowCount() const {
  return window_.RowCount();
}

void PictureListEditor::ListChanged() {
  window_.ListChanged();
}

std::vector<int> PictureListEditor::SelectedRows() const {
  std::vector<int> rows;
  for (std::size_t i = 0; i < rowStates_.size(); ++i) {
    if (rowStates_[i].selected) rows.push_back(static_cast<int>(i));
  }
  return rows;
}

void PictureListEditor::SetRowState(int row, bool selected, bool focused) {
  if (row < 0 || row >= RowCount()) return;
  for (RowState& other : rowStates_) {
    if (selected) other.selected = false;
    if (focused) other.focused = false;
  }
  rowStates_[static_cast<std::size_t>(row)] = {selected, focused};
  ForgetRowLoadedBySelection();
  ListChanged();
}

void PictureListEditor::SetListSelection(int selectedRow, int focusedRow) {
  for (std::size_t i = 0; i < rowStates_.size(); ++i) {
    rowStates_[i].selected = static_cast<int>(i) == selectedRow;
    rowStates_[i].focused = static_cast<int>(i) == focusedRow;
  }
}

void PictureListEditor::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  window_.document().rows.erase(window_.document().rows.begin() + row);
  rowStates_.erase(rowStates_.begin() + row);
  ForgetRowLoadedBySelection();
  ListChanged();
}

void PictureListEditor::DeleteAllRows() {
  window_.document().rows.clear();
  rowStates_.clear();
  ForgetRowLoadedBySelection();
  ListChanged();
}

bool PictureListEditor::AddRow(const std::string& path, int sizingIndex, int effectIndex,
                               const std::string& caption, int fitIndex, RowError* error,
                               std::string* failure) {
  MakeRowResult made = MakePictureRow(path, sizingIndex, effectIndex, caption, fitIndex);
  if (error != nullptr) *error = made.error;
  if (failure != nullptr) *failure = made.failure;
  if (!made.ok()) return false;
  window_.document().rows.push_back(std::move(made.row));
  rowStates_.emplace_back();
  ListChanged();
  return true;
}

// ---- Commands ----

void PictureListEditor::OnAdd() {
  OpenFilesRequest request;
  request.filters = ParseFileFilter(kPictureFilter);
  request.initialDirectory = addDirectory_;
  request.multipleFiles = true;
  if (const auto files = window_.platform().ChooseFilesToOpen(request)) {
    AddPictures(*files);
  } else {
    window_.ApplyEnablingRules();
  }
}

void PictureListEditor::OnDropFiles(const std::vector<std::string>& paths) {
  if (window_.busy() || window_.ended()) return;
  AddPictures(paths);
}

// A file that is not a picture is passed over and the others still come in; one message
// then names every file left out. The rows are made on workers, the progress bar going.
void PictureListEditor::AddPictures(const std::vector<std::string>& paths) {
  auto notAdded = std::make_shared<std::vector<NotAddedFile>>();
  window_.RunCommand(
      [this, paths, notAdded](CommandThread& command) {
        std::vector<RowRequest> requests;
        for (const std::string& path : paths) requests.push_back({path, kSizingBoth, 0, ""});
        PostedProgress progress(command, window_);
        progress.SetRange(static_cast<int>(requests.size()));
        progress.SetPosition(0);
        progress.SetStep(1);
        progress.Flush();
        const std::vector<MakeRowResult> made =
            MakeRows(command, std::move(requests), [&progress](int done) { progress.Steps(done); });
        progress.Flush();
        for (std::size_t i = 0; i < made.size(); ++i) {
          if (made[i].ok()) continue;
          notAdded->push_back({paths[i], made[i].failure.empty()
                                             ? std::string("it could not be made into a row")
                                             : made[i].failure});
        }
      },
      [this, notAdded] {
        window_.ApplyEnablingRules();
        if (!notAdded->empty())
          window_.ShowMessage(NotAddedMessage(*notAdded), MessageBoxIcon::kExclamation);
      });
}

std::vector<MakeRowResult> PictureListEditor::MakeRows(
    CommandThread& command, std::vector<RowRequest> requests,
    const std::function<void(int)>& onRowsTaken) {
  using Clock = std::chrono::steady_clock;
  constexpr std::chrono::milliseconds kShowInterval{kCommandShowIntervalMs};
  constexpr std::chrono::milliseconds kRowsShowInterval{kRowsShowIntervalMs};
  std::vector<MakeRowResult> results;
  RowMaker maker(std::move(requests), RowMaker::DefaultWorkers());
  Clock::time_point rowsShown = Clock::now();
  while (!maker.AllTaken() && !window_.stopRequested()) {
    std::vector<MakeRowResult> ready = maker.TakeReady(kShowInterval);
    if (ready.empty()) continue;
    std::vector<PictureEntry> rows;
    for (MakeRowResult& made : ready) {
      // The result keeps its error and failure; the row goes to the window.
      if (made.ok()) rows.push_back(std::move(made.row));
      results.push_back(std::move(made));
    }
    // Showing the list costs about as much for one row as for many: groups of rows are
    // shown together, the last one at once.
    const bool show = maker.AllTaken() || Clock::now() - rowsShown >= kRowsShowInterval;
    if (show) rowsShown = Clock::now();
    command.Post([this, rows = std::move(rows), show]() mutable {
      AppendRows(std::move(rows));
      if (show) ShowAppendedRows();
    });
    if (onRowsTaken) onRowsTaken(static_cast<int>(ready.size()));
  }
  // Stopped: the rows made so far stay and are shown.
  command.Post([this] { ShowAppendedRows(); });
  return results;
}

void PictureListEditor::AppendRows(std::vector<PictureEntry> rows) {
  if (rows.empty()) return;
  for (PictureEntry& row : rows) {
    window_.document().rows.push_back(std::move(row));
    rowStates_.emplace_back();
  }
  appendedRowsShown_ = false;
}

void PictureListEditor::ShowAppendedRows() {
  if (appendedRowsShown_) return;
  appendedRowsShown_ = true;
  ListChanged();
  window_.RefreshCartridgeMeter();
}

void PictureListEditor::OnRemove() {
  const std::vector<int> selected = SelectedRows();
  // From the last, so the earlier indices stay valid.
  for (auto row = selected.rbegin(); row != selected.rend(); ++row) DeleteRow(*row);
  // The picture options showed the row just deleted; edits to them would reach no row.
  if (!selected.empty()) ShowNoRow();
  window_.ApplyEnablingRules();
}

void PictureListEditor::ShowNoRow() {
  WindowFields& fields = window_.fields();
  fields.effectChoice = -1;
  fields.sizingChoice = -1;
  fields.fitChoice = -1;
  fields.caption.clear();
  fields.captionPreview.clear();
  fields.sizeInfo.clear();
  fields.colorInfo.clear();
  window_.previewArea().ClearPicture();
  window_.UpdateData(false);
}

void PictureListEditor::OnClear() {
  window_.MaySetChangesAside([this] {
    DeleteAllRows();
    window_.ApplyEnablingRules();
  });
}

void PictureListEditor::MoveSelectedRow(int direction, MoveStart start) {
  const std::vector<int> selected = SelectedRows();
  if (selected.size() != 1) return;
  window_.SetFocusedControl(kIdPictureList);
  window_.platform().FocusControl(kIdPictureList, false);
  const int current = selected.front();
  const int target = current + direction;
  if (target < 0 || target >= RowCount()) return;
  std::swap(window_.document().rows[static_cast<std::size_t>(current)],
            window_.document().rows[static_cast<std::size_t>(target)]);
  ForgetRowLoadedBySelection();
  // A button leaves the selection on the moved picture. An arrow key is handled by the
  // list itself after this, moving the selection one row on, onto the moved picture; so
  // here the selection stays where it was.
  const bool selectionFollows = start == MoveStart::kButton;
  SetRowState(selectionFollows ? current : target, false, false);
  SetRowState(selectionFollows ? target : current, true, true);
}

void PictureListEditor::OnListKeyDown(int keyCode) {
  // The list moves its selection itself for the arrow keys only; the keypad's 8 and 2
  // get no handling of their own, so for them the selection follows the picture here.
  switch (keyCode) {
    case kKeyUp:
      MoveSelectedRow(-1, MoveStart::kKey);
      break;
    case kKeyNumpad8:
      MoveSelectedRow(-1, MoveStart::kButton);
      break;
    case kKeyDown:
      MoveSelectedRow(+1, MoveStart::kKey);
      break;
    case kKeyNumpad2:
      MoveSelectedRow(+1, MoveStart::kButton);
      break;
    case kKeyInsert:
      OnAdd();
      break;
    case kKeyDelete:
      OnRemove();
      break;
    default:
      break;
  }
}

void PictureListEditor::OnRowClick() {
  const std::vector<int> selected = SelectedRows();
  if (selected.size() != 1) {
    window_.UpdateData(false);
    return;
  }
  // The press that selected the row has shown it already; a further click shows it anew.
  const bool shownBySelection = selected.front() == rowLoadedBySelection_;
  ForgetRowLoadedBySelection();
  if (shownBySelection) return;
  ShowSelectedRow();
}

void PictureListEditor::OnSelectionChanged() {
  const std::vector<int> selected = SelectedRows();
  ForgetRowLoadedBySelection();
  if (selected.size() != 1) return;
  ShowSelectedRow();
  rowLoadedBySelection_ = selected.front();
}

void PictureListEditor::ShowSelectedRow() {
  const std::vector<int> selected = SelectedRows();
  if (selected.size() != 1) return;
  ShowRowPicture(window_.document().rows[static_cast<std::size_t>(selected.front())].path);
  LoadRowIntoEditingBuffer();
}

void PictureListEditor::ShowSelectedPicture() {
  const std::vector<int> selected = SelectedRows();
  if (selected.size() != 1) return;
  ShowRowPicture(window_.document().rows[static_cast<std::size_t>(selected.front())].path);
  window_.UpdateData(false);
}

void PictureListEditor::ShowRowPicture(const std::string& path) {
  const auto shown = PrepareDisplayPicture(path, kPreviewWidth, kPreviewHeight);
  // A picture that no longer loads leaves the preview and the info texts as they were.
  if (!shown) return;
  char text[64];
  std::snprintf(text, sizeof text, "Size: %ix%i", shown->width, shown->height);
  WindowFields& fields = window_.fields();
  fields.sizeInfo = text;
  std::snprintf(text, sizeof text, "Color: %iBits", shown->bitsPerPixel);
  fields.colorInfo = text;
  if (shown->preview) window_.previewArea().SetPicture(*shown->preview);
}

int PictureListEditor::FindComboItem(int id, const std::string& text) const {
  const std::vector<std::string>& items = window_.control(id).items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (EqualIgnoringCase(items[i], text)) return static_cast<int>(i);
  }
  return -1;
}

std::string PictureListEditor::ComboItemText(int id, int index) const {
  const std::vector<std::string>& items = window_.control(id).items;
  if (index < 0 || index >= static_cast<int>(items.size())) return {};
  return items[static_cast<std::size_t>(index)];
}

void PictureListEditor::LoadRowIntoEditingBuffer() {
  const std::vector<int> selected = SelectedRows();
  if (selected.size() != 1) return;
  const PictureEntry& row = window_.document().rows[static_cast<std::size_t>(selected.front())];
  WindowFields& fields = window_.fields();
  fields.effectChoice = FindComboItem(kIdEffectChoice, row.effectLabel);
  fields.sizingChoice = FindComboItem(kIdSizingChoice, row.sizingLabel);
  fields.fitChoice = FindComboItem(kIdFitChoice, row.fitLabel);
  fields.caption = row.caption;
  fields.captionPreview = BuildCaptionPreview(fields.caption);
  window_.UpdateData(false);
}

void PictureListEditor::ApplyRowEdits() {
  // A box holding more than it may leaves the row as it is; the user has been told.
  if (!window_.UpdateData(true)) return;
  const std::vector<int> selected = SelectedRows();
  if (selected.size() != 1) return;
  PictureEntry& row = window_.document().rows[static_cast<std::size_t>(selected.front())];
  const WindowFields& fields = window_.fields();
  // A choice list showing no choice (no row clicked yet) keeps the row's label, so every
  // row keeps a label of the tables.
  if (fields.effectChoice >= 0)
    row.effectLabel = ComboItemText(kIdEffectChoice, fields.effectChoice);
  if (fields.sizingChoice >= 0)
    row.sizingLabel = ComboItemText(kIdSizingChoice, fields.sizingChoice);
  if (fields.fitChoice >= 0) row.fitLabel = ComboItemText(kIdFitChoice, fields.fitChoice);
  row.caption = fields.caption;
  ListChanged();
}

void PictureListEditor::OnCaptionChanged() {
  window_.UpdateData(true);
  WindowFields& fields = window_.fields();
  fields.captionPreview = BuildCaptionPreview(fields.caption);
  window_.UpdateData(false);
  ApplyRowEdits();
}

void PictureListEditor::OnFitAllPictures(Fit fit) {
  window_.UpdateData(true);
  const std::string label(kFitLabels[fit]);
  for (PictureEntry& row : window_.document().rows) row.fitLabel = label;
  // The picture options show what every row now holds, so a later edit keeps it.
  window_.fields().fitChoice = fit;
  window_.UpdateData(false);
  ListChanged();
}

}  // namespace varnel
