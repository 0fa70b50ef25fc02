#include "ui/model/console_preview.h"

#include "builder/rom_layout.h"
#include "builder/show_plan.h"
#include "document/number_rules.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

namespace {

uint8_t Widened(uint16_t channel) {
  return static_cast<uint8_t>(channel << 3 | channel >> 2);
}

}  // namespace

Bitmap ScreenAsBitmap(const ScreenPixels& screen) {
  Bitmap bitmap;
  bitmap.width = kScreenWidth;
  bitmap.height = kScreenHeight;
  bitmap.rows.assign(bitmap.stride() * kScreenHeight, 0);
  for (int y = 0; y < kScreenHeight; ++y) {
    uint8_t* row =
        bitmap.rows.data() + static_cast<std::size_t>(kScreenHeight - 1 - y) * bitmap.stride();
    for (int x = 0; x < kScreenWidth; ++x) {
      const uint16_t pixel = screen[static_cast<std::size_t>(y * kScreenWidth + x)];
      row[x * 3 + 0] = Widened((pixel >> 10) & 0x1F);
      row[x * 3 + 1] = Widened((pixel >> 5) & 0x1F);
      row[x * 3 + 2] = Widened(pixel & 0x1F);
    }
  }
  return bitmap;
}

void ConsolePreview::Refresh() {
  PreviewArea& preview = window_.previewArea();
  const bool stillShown = shown_ && preview.changes() == previewChanges_;
  if (window_.fields().asOnConsole == 0) {
    shown_.reset();
    if (stillShown) window_.ShowSelectedPicture();
    return;
  }
  const std::vector<int> selected = window_.SelectedRows();
  if (selected.size() != 1) return;
  const auto index = static_cast<std::size_t>(selected.front());
  const PictureEntry& row = window_.document().rows[index];
  const SlideshowOptions& options = window_.document().options;
  const Shown wanted{
      row.path, row.fitLabel,
      options.sizingOverride ? options.sizingOverrideIndex : LabelIndex(row.sizingLabel),
      index < IntroCountOf(options)};
  if (stillShown && *shown_ == wanted) return;
  // A picture that no longer loads leaves the preview as it was, and is not tried again
  // until something changes.
  if (const std::optional<ScreenPixels> screen = FirstScreenOfRow(options, row, index))
    preview.SetPicture(ScreenAsBitmap(*screen));
  shown_ = wanted;
  previewChanges_ = preview.changes();
}

}  // namespace varnel
