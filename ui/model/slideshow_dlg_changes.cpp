// Unsaved changes: whether the show differs from the one last saved, loaded or begun with
// New, and the question asked before a command would set such changes aside.
#include "ui/model/slideshow_dlg.h"

namespace varnel {

namespace {

// "Save changes to <name>?"
std::string SaveChangesQuestion(const std::string& name) {
  return "Save changes to " + name + "?";
}

}  // namespace

// Some check boxes reach their field only at the next exchange; the show the user sees
// is the one the controls show.
SlideshowOptions CSlideshowDlg::OptionsShown() const {
  SlideshowOptions o;
  o.helpScreen = control(kIdHelpScreen).check;
  o.textDisplay = control(kIdTextDisplay).check;
  o.sizingOverride = control(kIdSizeOverride).check;
  o.thumbnails = control(kIdThumbnails).check;
  o.timeLimit = control(kIdTimeLimit).check;
  o.keyUse = control(kIdKeyUse).check;
  o.effectOverride = control(kIdEffectOverride).check;
  o.secondsText = control(kIdSeconds).text;
  o.sizingOverrideIndex = control(kIdSizingOverrideChoice).comboIndex;
  o.effectOverrideIndex = control(kIdEffectOverrideChoice).comboIndex;
  o.introCountText = control(kIdIntroCount).text;
  return o;
}

void CSlideshowDlg::RefreshModified() {
  const bool modified =
      document_.rows != savedDocument_.rows || OptionsShown() != savedDocument_.options;
  if (modified == modified_) return;
  modified_ = modified;
  platform_->WindowTextChanged();
}

void CSlideshowDlg::MarkSaved(const std::string& documentName) {
  documentName_ = documentName;
  savedDocument_.rows = document_.rows;
  savedDocument_.options = OptionsShown();
  RefreshModified();
}

bool CSlideshowDlg::MaySetChangesAside() {
  RefreshModified();
  if (!modified_) return true;
  switch (platform_->AskSaveChanges(SaveChangesQuestion(documentName_))) {
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
