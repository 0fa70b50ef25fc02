#pragma once

#include <functional>
#include <string>
#include <vector>

#include "document/label_tables.h"
#include "ui/model/control_state.h"
#include "ui/model/row_maker.h"

namespace varnel {

class CSlideshowDlg;

// The picture list of the window and its editing: the rows' selection, adding, removing,
// clearing and moving rows, the row click that previews a picture and loads its settings
// into the editing controls, and writing the edits back into the row.
class PictureListEditor {
 public:
  explicit PictureListEditor(CSlideshowDlg& window) : window_(window) {}
  PictureListEditor(const PictureListEditor&) = delete;
  PictureListEditor& operator=(const PictureListEditor&) = delete;

  // ---- The list's own operations ----
  const std::vector<RowState>& rowStates() const { return rowStates_; }
  std::vector<int> SelectedRows() const;
  // Selecting a row deselects the others (single selection); focusing one unfocuses them.
  void SetRowState(int row, bool selected, bool focused);
  // The list's own selection and focused row after the user moved them; -1 for none.
  void SetListSelection(int selectedRow, int focusedRow);
  void DeleteRow(int row);
  void DeleteAllRows();
  bool AddRow(const std::string& path, int sizingIndex, int effectIndex, const std::string& caption,
              int fitIndex, RowError* error, std::string* failure);
  std::vector<MakeRowResult> AddRows(std::vector<RowRequest> requests,
                                     const std::function<void(int done)>& onRowsDone);

  // ---- Commands ----
  void OnAdd();
  void OnDropFiles(const std::vector<std::string>& paths);
  void OnRemove();
  void OnClear();
  enum class MoveStart { kButton, kKey };
  void MoveSelectedRow(int direction, MoveStart start);
  void OnListKeyDown(int keyCode);
  void OnRowClick();
  void OnSelectionChanged();
  void LoadRowIntoEditingBuffer();
  void ApplyRowEdits();
  void OnCaptionChanged();
  void OnFitAllPictures(Fit fit);
  // The selected row's picture itself in the preview, with its size and colour info.
  void ShowSelectedPicture();

 private:
  int RowCount() const;
  void ListChanged();
  void ForgetRowLoadedBySelection() { rowLoadedBySelection_ = -1; }
  void AddPictures(const std::vector<std::string>& paths);
  void ShowSelectedRow();
  // Empties the picture options, the info texts and the preview.
  void ShowNoRow();
  void ShowRowPicture(const std::string& path);
  int FindComboItem(int id, const std::string& text) const;
  std::string ComboItemText(int id, int index) const;

  CSlideshowDlg& window_;
  std::vector<RowState> rowStates_;  // one per row
  std::string addDirectory_;         // the Add dialog's initial directory; empty lets it choose
  // The row the last selection change showed, so the click that made it does not show
  // it again; -1 after any other change of the rows or the selection.
  int rowLoadedBySelection_ = -1;
};

}  // namespace varnel
