#include "ui/model/cartridge_space.h"

#include <optional>
#include <utility>

#include "document/label_tables.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

void CartridgeSpace::Refresh() {
  std::optional<std::size_t> selected;
  if (const std::vector<int> rows = window_.SelectedRows(); rows.size() == 1)
    selected = static_cast<std::size_t>(rows.front());
  // The options as the controls show them: a check box changes the image before any
  // exchange takes it into the fields.
  SlideshowDocument& document = window_.document();
  const SlideshowOptions fields = std::exchange(document.options, window_.OptionsShown());
  CartridgeMeter meter = MeasureCartridge(document, selected);
  document.options = fields;
  if (meter == meter_) return;
  meter_ = std::move(meter);
  window_.Changed(kIdCartridgeMeter);
}

void CartridgeSpace::OnFitToCartridge() {
  SlideshowDocument& document = window_.document();
  const SlideshowOptions fields = std::exchange(document.options, window_.OptionsShown());
  const std::vector<std::size_t> rows = RowsToResizeForFit(document);
  const bool fitsAlready = !meter_.over;
  document.options = fields;
  if (rows.empty()) {
    if (!fitsAlready)
      window_.ShowMessage(
          "The show does not fit into a cartridge even with every picture resized to 240 x "
          "160. Remove pictures, or switch off Thumbnails or the Size override.",
          MessageBoxIcon::kExclamation);
    return;
  }
  for (std::size_t row : rows)
    document.rows[row].sizingLabel = std::string(kSizingLabels[kSizingResizedOnly]);
  window_.ListChanged();
  // The selected row shows its new sizing in the editing controls.
  window_.LoadRowIntoEditingBuffer();
  window_.SetStatusText("Fit to Cartridge: " + std::to_string(rows.size()) +
                        (rows.size() == 1 ? " picture is" : " pictures are") +
                        " now Resized Only.");
}

}  // namespace varnel
