#include "ui/model/slideshow_dlg.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <utility>

#include "document/label_tables.h"
#include "document/number_box_rule.h"
#include "ui/model/caption_rules.h"
#include "ui/model/dialog_template.h"
#include "ui/model/field_table.h"
#include "ui/model/picture_library.h"

namespace varnel {

namespace {

constexpr const char* kTitleBase = "Varnel 1.3";
constexpr const char* kNewShowName = "New SlideShow";
constexpr const char* kNewShowSuffix = " (New SlideShow)";
constexpr const char* kTooLongMessage = "Please enter no more than %u characters.";
constexpr uint32_t kCaptionPreviewBackground = 0xC8C8C8;  // light grey

// Stands in until a toolkit is attached, so the model runs on its own in tests.
class DetachedPlatform final : public WindowPlatform {
 public:
  void ControlChanged(int) override {}
  void WindowTextChanged() override {}
  void FocusControl(int, bool) override {}
  void ShowMessage(const std::string&, MessageBoxIcon) override {}
  std::optional<std::vector<std::string>> ChooseFilesToOpen(const OpenFilesRequest&) override {
    return std::nullopt;
  }
  // With no window there is no event loop to run a long command's tasks.
  void Post(std::function<void()>) override {}
  void EndDialog(int) override {}
  void StartTimer(int, int) override {}
  std::string CurrentDirectory() override { return std::filesystem::current_path().string(); }
};

DetachedPlatform& Detached() {
  static DetachedPlatform platform;
  return platform;
}

template <std::size_t N>
std::vector<std::string> LabelsOf(const std::array<std::string_view, N>& table) {
  return std::vector<std::string>(table.begin(), table.end());
}

std::string WithTrailingSeparator(std::string directory) {
  if (directory.empty() || directory.back() != '/') directory += '/';
  return directory;
}

}  // namespace

CSlideshowDlg::CSlideshowDlg()
    : platform_(&Detached()),
      progress_([this] { Changed(kIdProgress); }),
      preview_([this] { Changed(kIdPreview); }) {
  controls_.reserve(kMainWindowControls.size());
  for (const ControlTemplate& t : kMainWindowControls) {
    ControlState state;
    state.text = std::string(t.text);
    state.enabled = !t.Has(kStyleDisabled);
    controls_.push_back(std::move(state));
  }
  MutableControl(kIdEffectChoice).items = LabelsOf(kEffectLabels);
  MutableControl(kIdEffectOverrideChoice).items = LabelsOf(kEffectLabels);
  MutableControl(kIdSizingChoice).items = LabelsOf(kSizingLabels);
  MutableControl(kIdSizingOverrideChoice).items = LabelsOf(kSizingLabels);
  MutableControl(kIdFitChoice).items = LabelsOf(kFitLabels);
  document_.options = SlideshowOptions::BeforeFirstNew();
  windowText_ = std::string(kMainWindowTemplate.caption);
  SetCommandHandler(kCmdSave, [this] { OnSave(); });
  SetCommandHandler(kCmdLoad, [this] { OnLoad(); });
}

CSlideshowDlg::~CSlideshowDlg() {
  AbandonCommand();
}

void CSlideshowDlg::AttachPlatform(WindowPlatform& platform) {
  platform_ = &platform;
}

void CSlideshowDlg::DetachPlatform() {
  // The command's work posts to the toolkit going away: it ends first.
  AbandonCommand();
  platform_ = &Detached();
}

void CSlideshowDlg::OnInitDialog() {
  UpdateData(false);
  preview_.PlaceAtNormalRect();
  workDirectory_ = WithTrailingSeparator(platform_->CurrentDirectory());
  // The fit, a column of Varnel's own, is shown beside the other choices of the picture.
  listColumns_ = {{"File", 125},      {"Effect", 100}, {"Resizing", 100}, {"Size", 100},
                  {"Directory", 280}, {"", 0},         {"Fit", 110, 2}};
  ListChanged();
  MutableControl(kIdCaptionPreview).backgroundRgb = kCaptionPreviewBackground;
  Changed(kIdCaptionPreview);
  platform_->StartTimer(kHelpTimerId, kHelpTimerPeriodMs);
  titleBase_ = kTitleBase;
  emulatorPath_ = platform_->ReadProfileString("Main", "Emulator", "");
  InitPictureLibrary();
  ResetToNewShow();
  RefreshCartridgeMeter();
  // The first control that takes the focus.
  SetFocusedControl(kIdPictureList);
  platform_->FocusControl(kIdPictureList, false);
}

// ---- Control states ----

const ControlState& CSlideshowDlg::control(int id) const {
  const int index = TemplateIndexOf(id);
  if (index < 0) throw std::out_of_range("no control " + std::to_string(id));
  return controls_[static_cast<std::size_t>(index)];
}

ControlState& CSlideshowDlg::MutableControl(int id) {
  return const_cast<ControlState&>(std::as_const(*this).control(id));
}

void CSlideshowDlg::Changed(int id) {
  platform_->ControlChanged(id);
}

void CSlideshowDlg::RefreshShowState() {
  project_.RefreshModified();
  cartridge_.Refresh();
  consolePreview_.Refresh();
}

void CSlideshowDlg::SetStatusText(const std::string& text, const std::string& shortenable) {
  if (statusText_ == text && statusShortenable_ == shortenable) return;
  statusText_ = text;
  statusShortenable_ = shortenable;
  Changed(kIdStatusLine);
}

// Writing the text a control already shows leaves it alone, so repeated exchanges
// neither flicker nor move a caret.
void CSlideshowDlg::SetText(int id, const std::string& text) {
  ControlState& state = MutableControl(id);
  if (state.text == text) return;
  state.text = text;
  Changed(id);
}

void CSlideshowDlg::SetEnabled(int id, bool enabled) {
  ControlState& state = MutableControl(id);
  if (state.enabled == enabled) return;
  state.enabled = enabled;
  Changed(id);
}

void CSlideshowDlg::SetControlText(int id, std::string text) {
  MutableControl(id).text = std::move(text);
}

void CSlideshowDlg::SetControlCheck(int id, int check) {
  MutableControl(id).check = check;
}

void CSlideshowDlg::SetComboIndex(int id, int index) {
  ControlState& state = MutableControl(id);
  state.comboIndex = index >= 0 && index < static_cast<int>(state.items.size()) ? index : -1;
}

void CSlideshowDlg::SetFocusedControl(int id) {
  focusedControl_ = id;
}

void CSlideshowDlg::OnCaptionInputLeftOut(const std::vector<char32_t>& refused, bool overLimit) {
  const std::string text = CaptionLeftOutText(refused, overLimit, kCaptionLimit);
  if (!text.empty()) SetStatusText(text);
}

void CSlideshowDlg::SetWindowText(const std::string& text) {
  if (windowText_ == text) return;
  windowText_ = text;
  platform_->WindowTextChanged();
}

void CSlideshowDlg::ShowMessage(const std::string& text, MessageBoxIcon icon) {
  // A command that was running when the window ended (the system asked the program to
  // end) finishes without asking anyone anything.
  if (ended_) return;
  platform_->ShowMessage(text, icon);
}

// ---- Data exchange ----

std::string& CSlideshowDlg::TextFieldOf(int id) {
  switch (id) {
    case kIdColorInfo:
      return fields_.colorInfo;
    case kIdCaption:
      return fields_.caption;
    case kIdCaptionPreview:
      return fields_.captionPreview;
    case kIdSizeInfo:
      return fields_.sizeInfo;
    case kIdHelpText:
      return fields_.helpText;
    case kIdSeconds:
      return document_.options.secondsText;
    case kIdIntroCount:
      return document_.options.introCountText;
  }
  throw std::logic_error("no text field for control " + std::to_string(id));
}

int& CSlideshowDlg::NumberFieldOf(int id) {
  SlideshowOptions& o = document_.options;
  switch (id) {
    case kIdEffectChoice:
      return fields_.effectChoice;
    case kIdSizingChoice:
      return fields_.sizingChoice;
    case kIdFitChoice:
      return fields_.fitChoice;
    case kIdAsOnConsole:
      return fields_.asOnConsole;
    case kIdHelpScreen:
      return o.helpScreen;
    case kIdTextDisplay:
      return o.textDisplay;
    case kIdSizeOverride:
      return o.sizingOverride;
    case kIdThumbnails:
      return o.thumbnails;
    case kIdTimeLimit:
      return o.timeLimit;
    case kIdKeyUse:
      return o.keyUse;
    case kIdEffectOverride:
      return o.effectOverride;
    case kIdSizingOverrideChoice:
      return o.sizingOverrideIndex;
    case kIdEffectOverrideChoice:
      return o.effectOverrideIndex;
  }
  throw std::logic_error("no number field for control " + std::to_string(id));
}

bool CSlideshowDlg::ExchangeField(const FieldBinding& binding, bool saveAndValidate) {
  const int id = binding.controlId;
  ControlState& state = MutableControl(id);
  switch (binding.exchange) {
    case Exchange::kText: {
      std::string& field = TextFieldOf(id);
      if (!saveAndValidate) {
        if (binding.limit != 0 && state.textLimit != binding.limit) {
          state.textLimit = binding.limit;
          Changed(id);
        }
        SetText(id, field);
        return true;
      }
      if (binding.limit != 0 && state.text.size() > binding.limit) {
        char message[96];
        std::snprintf(message, sizeof message, kTooLongMessage,
                      static_cast<unsigned>(binding.limit));
        ShowMessage(message, MessageBoxIcon::kExclamation);
        SetFocusedControl(id);
        platform_->FocusControl(id, true);
        return false;
      }
      field = state.text;
      return true;
    }
    case Exchange::kComboIndex: {
      int& field = NumberFieldOf(id);
      if (saveAndValidate) {
        field = state.comboIndex;
      } else {
        const bool valid = field >= 0 && field < static_cast<int>(state.items.size());
        const int shown = valid ? field : -1;
        if (state.comboIndex != shown) {
          state.comboIndex = shown;
          Changed(id);
        }
      }
      return true;
    }
    case Exchange::kCheck: {
      int& field = NumberFieldOf(id);
      if (saveAndValidate) {
        field = state.check;
      } else if (state.check != field) {
        state.check = field;
        Changed(id);
      }
      return true;
    }
  }
  return true;
}

bool CSlideshowDlg::UpdateData(bool saveAndValidate) {
  for (const FieldBinding& binding : kFieldTable) {
    if (!ExchangeField(binding, saveAndValidate)) return false;
  }
  return true;
}

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

// ---- Long commands ----

void CSlideshowDlg::RunCommand(CommandThread::Work work, std::function<void()> afterwards,
                               std::function<void()> stop) {
  if (busy_) throw std::logic_error("a long command is running already");
  busy_ = true;
  stopRequested_ = false;
  commandStop_ = std::move(stop);
  platform_->BusyChanged();
  command_ = std::make_unique<CommandThread>(
      *platform_,
      [this, work = std::move(work), afterwards = std::move(afterwards)](CommandThread& command) {
        try {
          work(command);
        } catch (const std::exception& error) {
          // The work's own failures are its messages; this is one it did not expect
          // (memory ran out): the command ends with it.
          command.Post([this, message = std::string(error.what())] {
            ShowMessage(message, MessageBoxIcon::kStop);
          });
        }
        command.Post([this, afterwards] { FinishCommand(afterwards); });
      });
}

void CSlideshowDlg::FinishCommand(const std::function<void()>& afterwards) {
  command_->Join();
  command_.reset();
  commandStop_ = nullptr;
  busy_ = false;
  platform_->BusyChanged();
  if (afterwards) afterwards();
  // The command changed the show after the input that began it was taken.
  if (!ended_) RefreshShowState();
}

void CSlideshowDlg::RequestStop() {
  stopRequested_ = true;
  if (commandStop_) commandStop_();
}

void CSlideshowDlg::AbandonCommand() {
  if (!command_) return;
  RequestStop();
  command_->Abandon();
  command_->Join();
  command_.reset();
  commandStop_ = nullptr;
  busy_ = false;
}

// ---- Enabling rules, number boxes, New, Quit ----

void CSlideshowDlg::ApplyEnablingRules() {
  UpdateData(true);
  const SlideshowOptions& o = document_.options;
  const bool hasRows = RowCount() > 0;
  SetEnabled(kIdUp, hasRows);
  SetEnabled(kIdDown, hasRows);
  SetEnabled(kIdCaption, hasRows && o.textDisplay != 0);
  SetEnabled(kIdSeconds, o.timeLimit != 0);
  SetEnabled(kIdEffectOverrideChoice, o.effectOverride != 0);
  SetEnabled(kIdEffectChoice, o.effectOverride == 0 && hasRows);
  SetEnabled(kIdSizingChoice, o.sizingOverride == 0 && hasRows);
  SetEnabled(kIdSizingOverrideChoice, o.sizingOverride != 0);
  SetEnabled(kIdFitChoice, hasRows);
}

void CSlideshowDlg::RunNumberCheck(std::string& field, int maximum) {
  UpdateData(true);
  field = FilterNumberBoxText(field, maximum);
  UpdateData(false);
}

void CSlideshowDlg::OnSecondsUpdate() {
  RunNumberCheck(document_.options.secondsText, kSecondsMaximum);
}

void CSlideshowDlg::OnIntroCountUpdate() {
  RunNumberCheck(document_.options.introCountText, 0);
}

void CSlideshowDlg::OnNew() {
  MaySetChangesAside([this] { ResetToNewShow(); });
}

void CSlideshowDlg::ResetToNewShow() {
  DeleteAllRows();
  document_.options = SlideshowOptions::DefaultsAfterNew();
  fields_.sizeInfo.clear();
  fields_.colorInfo.clear();
  UpdateData(false);
  SetWindowText(titleBase_ + kNewShowSuffix);
  ApplyEnablingRules();
  MarkSaved(kNewShowName);
}

void CSlideshowDlg::OnOK() {
  // A box holding more than it may keeps the window open, with that box in focus.
  if (!UpdateData(true)) return;
  MaySetChangesAside([this] { End(kCmdOk); });
}

void CSlideshowDlg::OnCancel() {
  MaySetChangesAside([this] { End(kCmdCancel); });
}

void CSlideshowDlg::End(int result) {
  ended_ = true;
  result_ = result;
  platform_->EndDialog(result);
}

}  // namespace varnel
