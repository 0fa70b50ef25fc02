// Build SlideShow with the window as the builder's host: the progress bar, the preview,
// the info texts, the work directory and the error box.
#include <exception>
#include <filesystem>

#include "builder/build_slideshow.h"
#include "ui/slideshow_dlg.h"

namespace varnel {

CSlideshowDlg::LongCommand::LongCommand(CSlideshowDlg& window)
    : window_(window), wasBusy_(window.busy_) {
  window_.busy_ = true;
}

CSlideshowDlg::LongCommand::~LongCommand() {
  window_.busy_ = wasBusy_;
}

void CSlideshowDlg::OnBuildSlideShow() {
  // A box holding more than it may would build from values the window does not show;
  // the exchange has told the user and put the focus on that box.
  if (!UpdateData(true)) return;
  LongCommand running(*this);
  builtDocument_.reset();
  try {
    if (BuildSlideShow(*this, DefaultBuildFiles(workDirectory_)).ok) builtDocument_ = document_;
  } catch (const std::exception& error) {
    ShowError(error.what());
  }
}

bool CSlideshowDlg::BuiltImageIsCurrent() const {
  std::error_code error;
  return builtDocument_ == document_ &&
         std::filesystem::is_regular_file(DefaultBuildFiles(workDirectory_).outputPath, error);
}

const SlideshowDocument& CSlideshowDlg::CurrentDocument() {
  UpdateData(true);
  return document_;
}

void CSlideshowDlg::ClearPictureInfo() {
  fields_.sizeInfo.clear();
  fields_.colorInfo.clear();
  UpdateData(false);
  PaintIfBusy();
}

void CSlideshowDlg::RepaintPreview() {
  Changed(kIdPreview);
  platform_->UpdateNow();
}

void CSlideshowDlg::ShowError(const std::string& message) {
  ShowMessage(message, MessageBoxIcon::kStop);
}

}  // namespace varnel
