// The cartridge meter and Fit to Cartridge: what the show would take of the 32 MiB the
// console reads, worked out from the rows' picture sizes without converting anything.
#include <utility>

#include "document/label_tables.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

void CSlideshowDlg::RefreshCartridgeMeter() {
  std::optional<std::size_t> selected;
  if (const std::vector<int> rows = SelectedRows(); rows.size() == 1)
    selected = static_cast<std::size_t>(rows.front());
  // The options as the controls show them: a check box changes the image before any
  // exchange takes it into the fields.
  const SlideshowOptions fields = std::exchange(document_.options, OptionsShown());
  CartridgeMeter meter = MeasureCartridge(document_, selected);
  document_.options = fields;
  if (meter == cartridgeMeter_) return;
  cartridgeMeter_ = std::move(meter);
  Changed(kIdCartridgeMeter);
}

void CSlideshowDlg::OnFitToCartridge() {
  const SlideshowOptions fields = std::exchange(document_.options, OptionsShown());
  const std::vector<std::size_t> rows = RowsToResizeForFit(document_);
  const bool fitsAlready = !cartridgeMeter_.over;
  document_.options = fields;
  if (rows.empty()) {
    if (!fitsAlready)
      ShowMessage(
          "The show does not fit into a cartridge even with every picture resized to 240 x "
          "160. Remove pictures, or switch off Thumbnails or the Size override.",
          MessageBoxIcon::kExclamation);
    return;
  }
  for (std::size_t row : rows)
    document_.rows[row].sizingLabel = std::string(kSizingLabels[kSizingResizedOnly]);
  ListChanged();
  // The selected row shows its new sizing in the editing controls.
  LoadRowIntoEditingBuffer();
  SetStatusText("Fit to Cartridge: " + std::to_string(rows.size()) +
                (rows.size() == 1 ? " picture is" : " pictures are") + " now Resized Only.");
}

}  // namespace varnel
