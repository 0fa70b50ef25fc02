// The window's command table: every input arrives as a notification from a source and
// goes to one operation.
#include <array>

#include "document/label_tables.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

namespace {

enum class Operation {
  kAdd,
  kClear,
  kRemove,
  kUp,
  kDown,
  kRowClick,
  kSelectionChanged,
  kApplyRowEdits,
  kCaptionChanged,
  kListKeys,
  kHelpTick,
  kBuildSlideShow,
  kFitToCartridge,
  kFitAllPictures,
  kAsOnConsole,
  kQuit,
  kEnablingRules,
  kSecondsCheck,
  kIntroCountCheck,
  kNew,
  kOk,
  kCancel,
  kSuppliedElsewhere,  // Save, Load, Settings, Start SlideShow, Play, About
};

struct CommandEntry {
  Notification code;
  int source;
  Operation operation;
};

using N = Notification;
using O = Operation;

constexpr std::array<CommandEntry, 35> kCommandTable = {{
    {N::kClicked, kIdAdd, O::kAdd},
    {N::kClicked, kIdClear, O::kClear},
    {N::kClicked, kIdRemove, O::kRemove},
    {N::kClicked, kIdUp, O::kUp},
    {N::kClicked, kIdDown, O::kDown},
    {N::kClick, kIdPictureList, O::kRowClick},
    {N::kSelChange, kIdEffectChoice, O::kApplyRowEdits},
    {N::kChange, kIdCaption, O::kCaptionChanged},
    {N::kSelChange, kIdSizingChoice, O::kApplyRowEdits},
    {N::kKeyDown, kIdPictureList, O::kListKeys},
    {N::kTimer, kHelpTimerId, O::kHelpTick},
    {N::kCommand, kCmdBuildSlideShow, O::kBuildSlideShow},
    {N::kCommand, kCmdStartSlideShow, O::kSuppliedElsewhere},
    {N::kCommand, kCmdPlay, O::kSuppliedElsewhere},
    {N::kCommand, kCmdFitToCartridge, O::kFitToCartridge},
    {N::kCommand, kCmdQuit, O::kQuit},
    {N::kCommand, kCmdAbout, O::kSuppliedElsewhere},
    {N::kClicked, kIdSizeOverride, O::kEnablingRules},
    {N::kUpdate, kIdSeconds, O::kSecondsCheck},
    {N::kClicked, kIdTimeLimit, O::kEnablingRules},
    {N::kClicked, kIdEffectOverride, O::kEnablingRules},
    {N::kCommand, kCmdSettings, O::kSuppliedElsewhere},
    {N::kUpdate, kIdIntroCount, O::kIntroCountCheck},
    {N::kCommand, kCmdNew, O::kNew},
    {N::kClicked, kIdTextDisplay, O::kEnablingRules},
    {N::kCommand, kCmdSave, O::kSuppliedElsewhere},
    {N::kCommand, kCmdLoad, O::kSuppliedElsewhere},
    // The dialog's own endings: Enter, Escape and the close box.
    {N::kCommand, kCmdOk, O::kOk},
    {N::kCommand, kCmdCancel, O::kCancel},
    // Keyboard selection loads the row as a click does.
    {N::kItemChanged, kIdPictureList, O::kSelectionChanged},
    // The window's own additions: the fit is edited as the effect and the sizing are; the
    // preview follows its check box as the show changes (RefreshShowState).
    {N::kSelChange, kIdFitChoice, O::kApplyRowEdits},
    {N::kClicked, kIdAsOnConsole, O::kAsOnConsole},
    {N::kCommand, kCmdFitAllPictures + kFitStretch, O::kFitAllPictures},
    {N::kCommand, kCmdFitAllPictures + kFitWholePicture, O::kFitAllPictures},
    {N::kCommand, kCmdFitAllPictures + kFitFillScreen, O::kFitAllPictures},
}};

}  // namespace

bool CSlideshowDlg::Dispatch(Notification code, int sourceId, int parameter) {
  if (busy_ || ended_) return false;
  const bool handled = RunOperation(code, sourceId, parameter);
  // Every input may have changed the show, also a check box without an operation. A long
  // command it began changes the show later and refreshes it at its end.
  if (!ended_ && !busy_) RefreshShowState();
  return handled;
}

bool CSlideshowDlg::RunOperation(Notification code, int sourceId, int parameter) {
  for (const CommandEntry& entry : kCommandTable) {
    if (entry.code != code || entry.source != sourceId) continue;
    switch (entry.operation) {
      case O::kAdd:
        OnAdd();
        break;
      case O::kClear:
        OnClear();
        break;
      case O::kRemove:
        OnRemove();
        break;
      case O::kUp:
        MoveSelectedRow(-1, MoveStart::kButton);
        break;
      case O::kDown:
        MoveSelectedRow(+1, MoveStart::kButton);
        break;
      case O::kRowClick:
        OnRowClick();
        break;
      case O::kSelectionChanged:
        OnSelectionChanged();
        break;
      case O::kApplyRowEdits:
        ApplyRowEdits();
        break;
      case O::kCaptionChanged:
        OnCaptionChanged();
        break;
      case O::kListKeys:
        OnListKeyDown(parameter);
        break;
      case O::kHelpTick:
        if (timerHandler_) timerHandler_();
        break;
      case O::kBuildSlideShow:
        OnBuildSlideShow();
        break;
      case O::kFitToCartridge:
        OnFitToCartridge();
        break;
      case O::kFitAllPictures:
        OnFitAllPictures(static_cast<Fit>(sourceId - kCmdFitAllPictures));
        break;
      case O::kAsOnConsole:
        UpdateData(true);
        break;
      case O::kQuit:
      case O::kOk:
        OnOK();
        break;
      case O::kCancel:
        OnCancel();
        break;
      case O::kEnablingRules:
        ApplyEnablingRules();
        break;
      case O::kSecondsCheck:
        OnSecondsUpdate();
        break;
      case O::kIntroCountCheck:
        OnIntroCountUpdate();
        break;
      case O::kNew:
        OnNew();
        break;
      case O::kSuppliedElsewhere:
        RunExternal(sourceId);
        break;
    }
    return true;
  }
  return false;
}

void CSlideshowDlg::OnTerminate() {
  if (ended_) return;
  RequestStop();
  if (stopHandler_) stopHandler_();
  End(kCmdCancel);
}

void CSlideshowDlg::SetStopHandler(std::function<void()> handler) {
  stopHandler_ = std::move(handler);
}

void CSlideshowDlg::RunExternal(int commandId) {
  const auto handler = commandHandlers_.find(commandId);
  if (handler != commandHandlers_.end() && handler->second) handler->second();
}

void CSlideshowDlg::SetCommandHandler(int commandId, std::function<void()> handler) {
  commandHandlers_[commandId] = std::move(handler);
}

void CSlideshowDlg::SetTimerHandler(std::function<void()> handler) {
  timerHandler_ = std::move(handler);
}

}  // namespace varnel
