#include "ui/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWhatsThis>
#include <algorithm>
#include <filesystem>

#include "ui/model/context_help.h"
#include "ui/model/control_layout.h"
#include "ui/model/dialog_template.h"
#include "ui/model/help_texts.h"
#include "ui/model/screen_fit.h"
#include "ui/qt/caption_edit.h"
#include "ui/qt/control_widgets.h"
#include "ui/qt/dialog_font.h"
#include "ui/qt/elided_line.h"
#include "ui/qt/picture_list_widget.h"
#include "ui/qt/preview_widget.h"
#include "ui/qt/qt_help_pointer.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/remembered_folders.h"

namespace varnel {

namespace {

// During a Build the progress bar gives up the right end of its row to the Cancel button,
// which then lies between the picture's info boxes above and the meter below and covers
// no text. In the dialog's units.
constexpr DialogRect kCancelRect = {131, 268, 36, 14};
constexpr DialogRect kProgressBesideCancelRect = {7, 270, 121, 11};

QString FromView(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// How a text box shows its text, line breaks made uniform, for comparing with the model.
QString ShownText(const QPlainTextEdit& box) {
  return CaptionForDisplay(CaptionFromEditor(box.document()->toRawText()));
}

// Qt's filter entry for one of the model's: the description followed by its patterns in
// parentheses, which the dialog hides so it shows the descriptions as they are. "*.*"
// stands for every file, also those without a dot in their name.
QString NameFilterOf(const FileFilter& filter) {
  QStringList patterns;
  for (const std::string& pattern : filter.patterns) {
    patterns << (pattern == "*.*" ? QStringLiteral("*") : FromUtf8(pattern));
  }
  return FromUtf8(filter.description) + QStringLiteral(" (") + patterns.join(QChar(' ')) +
         QStringLiteral(")");
}

QMessageBox::Icon IconOf(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::kStop:
      return QMessageBox::Critical;
    case MessageBoxIcon::kInformation:
      return QMessageBox::Information;
    case MessageBoxIcon::kExclamation:
      break;
  }
  return QMessageBox::Warning;
}

// The keys a Linux desktop program answers to, shown beside the menu items.
struct CommandShortcut {
  int commandId;
  QKeyCombination keys;
};
constexpr CommandShortcut kCommandShortcuts[] = {
    {kCmdNew, Qt::CTRL | Qt::Key_N},  {kCmdLoad, Qt::CTRL | Qt::Key_O},
    {kCmdSave, Qt::CTRL | Qt::Key_S}, {kCmdQuit, Qt::CTRL | Qt::Key_Q},
    {kCmdBuildSlideShow, Qt::Key_F5}, {kCmdStartSlideShow, Qt::Key_F6},
    {kCmdPlay, Qt::CTRL | Qt::Key_P},
};

class MirrorScope {
 public:
  explicit MirrorScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~MirrorScope() { flag_ = was_; }
  MirrorScope(const MirrorScope&) = delete;
  MirrorScope& operator=(const MirrorScope&) = delete;

 private:
  bool& flag_;
  bool was_;
};

}  // namespace

MainWindow::MainWindow(CSlideshowDlg& dialog, QWidget* parent)
    : QMainWindow(parent), dialog_(dialog) {
  // A fixed-size window with a title bar, system menu and minimize box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  auto* client = new QWidget(this);
  ChooseDialogFont(*client);
  const PixelRect size = ClientPixelRect(baseUnits_);
  client->setFixedSize(size.width, size.height);
  setCentralWidget(client);
  CreateControls();
  CreateCommandControls();
  CreateMenu();
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  qApp->installEventFilter(this);
  focusConnection_ = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget*, QWidget* now) { ReportFocus(now); });
  dialog_.AttachPlatform(*this);
  helpPointer_ = std::make_unique<QtHelpPointer>(*this, *client);
  contextHelp_ = std::make_unique<ContextHelp>(dialog_, *helpPointer_, baseUnits_);
  MirrorAll();
  dialog_.OnInitDialog();
  MirrorAll();

  adjustSize();
  if (const QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

MainWindow::~MainWindow() {
  contextHelp_.reset();
  qApp->removeEventFilter(this);
  disconnect(focusConnection_);
  dialog_.DetachPlatform();
}

// ---- Building the window ----

// The widgets and the pointer hit test both place controls through baseUnits_, so a
// layout shrunk to fit the screen stays one layout.
void MainWindow::ChooseDialogFont(QWidget& client) {
  QFont font = DialogFont();
  baseUnits_ = BaseUnitsOf(font);
  if (const QScreen* screen = this->screen()) {
    const QRect available = screen->availableGeometry();
    const DialogBaseUnits fitting =
        BaseUnitsFittingScreen(baseUnits_, {available.width(), available.height()});
    if (fitting.x != baseUnits_.x || fitting.y != baseUnits_.y) {
      // The shrunk font's own width keeps the texts inside their controls.
      font = DialogFontWithin(fitting);
      const DialogBaseUnits measured = BaseUnitsOf(font);
      baseUnits_ = {measured.x, std::max(measured.y, fitting.y)};
    }
  }
  // A small font spreads the layout out just enough for the preview area.
  baseUnits_ = UnitsHoldingPreview(baseUnits_);
  client.setFont(font);
}

void MainWindow::CreateControls() {
  controls_ = CreateTemplateControls(kMainWindowControls, centralWidget(), baseUnits_);
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const int id = kMainWindowControls[i].id;
    controls_[i]->setProperty("controlId", id);
    if (id != kIdNone) ConnectControl(id, controls_[i]);
  }
  // The fit choice lies over the empty end of the "Description" label (see the template).
  control(kIdFitChoice)->raise();
}

void MainWindow::CreateCommandControls() {
  // Below the progress bar, in the dialog's units: the cartridge meter, the selected
  // row's cost and the status line. During a Build the Cancel button takes the right end
  // of the progress bar's row, where it covers no text (see MirrorCommandControl).
  constexpr DialogRect kMeterTextRect = {7, 283, 96, 8};
  constexpr DialogRect kMeterBarRect = {104, 283, 63, 8};
  constexpr DialogRect kRowCostRect = {7, 292, 160, 8};
  constexpr DialogRect kStatusLineRect = {7, 301, 160, 8};
  const auto place = [this](QWidget* widget, int id, const DialogRect& rect) {
    const PixelRect at = ToPixels(rect, baseUnits_);
    widget->setGeometry(at.x, at.y, at.width, at.height);
    widget->setObjectName(QStringLiteral("control_%1").arg(id));
    widget->setProperty("controlId", id);
  };
  meterText_ = new QLabel(centralWidget());
  place(meterText_, kIdCartridgeMeter, kMeterTextRect);
  meterBar_ = new QProgressBar(centralWidget());
  place(meterBar_, kIdCartridgeMeter, kMeterBarRect);
  meterBar_->setObjectName(QStringLiteral("cartridgeMeterBar"));
  meterBar_->setRange(0, 1000);
  meterBar_->setTextVisible(false);
  rowCost_ = new QLabel(centralWidget());
  place(rowCost_, kIdCartridgeMeter, kRowCostRect);
  rowCost_->setObjectName(QStringLiteral("rowCost"));
  // The cost of all three versions is a long line for the width of the left column.
  QFont smaller = rowCost_->font();
  smaller.setPixelSize(std::max(9, QFontInfo(smaller).pixelSize() - 1));
  rowCost_->setFont(smaller);
  statusLine_ = new QLabel(centralWidget());
  place(statusLine_, kIdStatusLine, kStatusLineRect);
  cancelButton_ = new QPushButton(QStringLiteral("Cancel"), centralWidget());
  place(cancelButton_, kIdCancelBuild, kCancelRect);
  cancelButton_->setFocusPolicy(Qt::NoFocus);
  cancelButton_->hide();
  connect(cancelButton_, &QPushButton::clicked, this, [this] { dialog_.RequestStop(); });
  // The preview stays on top of everything, as the template has it.
  control(kIdPreview)->raise();
}

namespace {

// Whether a control takes the user's input, which a long command must not get: those are
// disabled while one runs. Texts, the preview and the progress bar only show what the
// command does and stay as they are.
bool TakesInput(const ControlTemplate& t) {
  switch (t.controlClass) {
    case ControlClass::kListView:
    case ControlClass::kComboBox:
    case ControlClass::kEdit:
      return true;
    case ControlClass::kButton:
      return !t.Has(kStyleGroupBox);
    case ControlClass::kRichEdit:
      return !t.Has(kStyleReadOnly);
    case ControlClass::kStatic:
    case ControlClass::kProgressBar:
      return false;
  }
  return false;
}

// A one-line label showing as much of a text as fits; all of it in its tool tip.
void SetElidedText(QLabel& label, const QString& text) {
  label.setToolTip(text);
  label.setText(label.fontMetrics().elidedText(text, Qt::ElideMiddle, label.width()));
}

}  // namespace

void MainWindow::MirrorCommandControl(int id) {
  if (id == kIdCancelBuild) {
    const bool building = dialog_.buildRunning();
    const PixelRect progress =
        building ? ToPixels(kProgressBesideCancelRect, baseUnits_)
                 : ControlPixelRect(kMainWindowControls[TemplateIndexOf(kIdProgress)], baseUnits_);
    control(kIdProgress)->setGeometry(progress.x, progress.y, progress.width, progress.height);
    cancelButton_->setVisible(building);
    return;
  }
  if (id == kIdStatusLine) {
    // The image's path gives way from its start, so its file name stays in sight.
    const QString text = FromUtf8(dialog_.statusText());
    statusLine_->setToolTip(text);
    statusLine_->setText(ElideFromPartStart(statusLine_->fontMetrics(), text,
                                            FromUtf8(dialog_.statusShortenable()),
                                            statusLine_->width()));
    return;
  }
  const CartridgeMeter& meter = dialog_.cartridgeMeter();
  // The line below the progress bar is short: the count over the limit is written in the
  // bar itself, so the capacity stays readable beside it.
  const std::string capacity =
      meter.overText.empty() ? meter.text : meter.text.substr(0, meter.text.find(", "));
  SetElidedText(*meterText_, FromUtf8(capacity));
  meterText_->setToolTip(FromUtf8(meter.text));
  // What the selected picture costs; the tool tip says whose cost it is.
  SetElidedText(*rowCost_, FromUtf8(meter.rowCost));
  rowCost_->setToolTip(meter.rowCost.empty()
                           ? QString()
                           : QStringLiteral("Selected picture: ") + FromUtf8(meter.rowCost));
  meterBar_->setValue(meter.fillPermille);
  meterBar_->setTextVisible(meter.over);
  meterBar_->setFormat(FromUtf8(meter.overText));
  meterBar_->setAlignment(Qt::AlignCenter);
  // Red when the show does not fit, in the text and the bar alike.
  QPalette palette = centralWidget()->palette();
  if (meter.over) {
    palette.setColor(QPalette::WindowText, Qt::red);
    palette.setColor(QPalette::Highlight, Qt::red);
  }
  meterText_->setPalette(palette);
  meterBar_->setPalette(palette);
}

void MainWindow::CreateMenu() {
  std::map<std::string_view, QMenu*> popups;
  std::map<std::string_view, QMenu*> submenus;
  for (const MenuItemTemplate& item : kMainMenu) {
    QAction* action = nullptr;
    if (item.popup.empty()) {
      action = menuBar()->addAction(FromView(item.text));
    } else {
      QMenu*& popup = popups[item.popup];
      if (popup == nullptr) popup = menuBar()->addMenu(FromView(item.popup));
      if (item.commandId == 0) {
        popup->addSeparator();
        continue;
      }
      QMenu* menu = popup;
      if (!item.submenu.empty()) {
        QMenu*& submenu = submenus[item.submenu];
        if (submenu == nullptr) submenu = CreateSubmenu(*popup, item.submenu);
        menu = submenu;
      }
      action = menu->addAction(FromView(item.text));
      if (menu != popup) ExplainCommand(*action, kFitAllPicturesHelpText);
    }
    const int id = item.commandId;
    action->setData(id);
    actions_[id] = action;
    connect(action, &QAction::triggered, this, [this, id] { Send(Notification::kCommand, id); });
  }
  for (const CommandShortcut& shortcut : kCommandShortcuts) {
    if (QAction* action = commandAction(shortcut.commandId)) action->setShortcut(shortcut.keys);
  }
  // F1 explains the control that has the keyboard focus, as the help area explains the
  // one under the pointer.
  auto* help = new QAction(this);
  help->setShortcut(Qt::Key_F1);
  help->setShortcutContext(Qt::WindowShortcut);
  connect(help, &QAction::triggered, this, [this] { ShowHelpForFocusedControl(); });
  addAction(help);
}

// A submenu whose items explain themselves: in a tool tip under the pointer, and with F1
// for the item the keyboard is on.
QMenu* MainWindow::CreateSubmenu(QMenu& popup, std::string_view title) {
  QMenu* submenu = popup.addMenu(FromView(title));
  submenu->setToolTipsVisible(true);
  ExplainCommand(*submenu->menuAction(), kFitAllPicturesHelpText);
  return submenu;
}

void MainWindow::ExplainCommand(QAction& action, std::string_view help) {
  const QString text = FromLatin1(std::string(help));
  action.setToolTip(text);
  action.setWhatsThis(text);
  action.setStatusTip(text);
}

void MainWindow::ShowHelpForFocusedControl() {
  const int id = dialog_.focusedControl();
  QWidget* widget = control(id);
  if (widget == nullptr) widget = centralWidget();
  const QPoint where = widget->mapToGlobal(QPoint(widget->width() / 2, widget->height() / 2));
  QWhatsThis::showText(where, FromLatin1(std::string(HelpTextFor(id))), widget);
}

void MainWindow::ConnectControl(int id, QWidget* widget) {
  if (auto* list = qobject_cast<PictureListWidget*>(widget)) {
    connect(list, &PictureListWidget::keyDown, this,
            [this](int code) { Send(Notification::kKeyDown, kIdPictureList, code); });
    connect(list, &PictureListWidget::clickedInList, this, [this] {
      ReportListSelection();
      Send(Notification::kClick, kIdPictureList);
    });
    connect(list, &PictureListWidget::filesDropped, this,
            [this](const std::vector<std::string>& paths) {
              if (!mirroring_) dialog_.OnDropFiles(paths);
            });
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
      if (mirroring_) return;
      ReportListSelection();
      Send(Notification::kItemChanged, kIdPictureList);
    });
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { ReportListSelection(); });
  } else if (auto* caption = qobject_cast<CaptionEdit*>(widget)) {
    caption->setLeftOutHandler([this](const std::vector<char32_t>& refused, bool overLimit) {
      if (!mirroring_) dialog_.OnCaptionInputLeftOut(refused, overLimit);
    });
    connect(caption, &QPlainTextEdit::textChanged, this, [this, id, caption] {
      if (mirroring_) return;
      dialog_.SetControlText(id, CaptionFromEditor(caption->rawText()));
      Send(Notification::kChange, id);
    });
  } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
    connect(check, &QCheckBox::clicked, this, [this, id](bool on) {
      if (mirroring_) return;
      dialog_.SetControlCheck(id, on ? 1 : 0);
      Send(Notification::kClicked, id);
    });
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    connect(button, &QPushButton::clicked, this, [this, id] { Send(Notification::kClicked, id); });
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    connect(combo, &QComboBox::activated, this, [this, id](int index) {
      if (mirroring_) return;
      dialog_.SetComboIndex(id, index);
      Send(Notification::kSelChange, id);
    });
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
      if (mirroring_) return;
      dialog_.SetControlText(id, ToLatin1(text));
      Send(Notification::kUpdate, id);
      Send(Notification::kChange, id);
    });
  }
}

void MainWindow::Send(Notification code, int id, int parameter) {
  if (mirroring_) return;
  dialog_.Dispatch(code, id, parameter);
}

// ---- Lookups ----

QWidget* MainWindow::control(int id) const {
  if (id == kIdCancelBuild) return cancelButton_;
  if (id == kIdStatusLine) return statusLine_;
  if (id == kIdCartridgeMeter) return meterText_;
  const int index = TemplateIndexOf(id);
  return index < 0 ? nullptr : controls_[static_cast<std::size_t>(index)];
}

QWidget* MainWindow::controlAt(int templateIndex) const {
  if (templateIndex < 0 || templateIndex >= static_cast<int>(controls_.size())) return nullptr;
  return controls_[static_cast<std::size_t>(templateIndex)];
}

QAction* MainWindow::commandAction(int commandId) const {
  const auto found = actions_.find(commandId);
  return found == actions_.end() ? nullptr : found->second;
}

// ---- Showing the model ----

void MainWindow::MirrorAll() {
  for (const ControlTemplate& t : kMainWindowControls) {
    if (t.id != kIdNone) ControlChanged(t.id);
  }
  MirrorCommandControl(kIdCancelBuild);
  MirrorCommandControl(kIdStatusLine);
  MirrorCommandControl(kIdCartridgeMeter);
  WindowTextChanged();
}

void MainWindow::ControlChanged(int id) {
  if (id == kIdCancelBuild || id == kIdStatusLine || id == kIdCartridgeMeter) {
    MirrorCommandControl(id);
    return;
  }
  QWidget* widget = control(id);
  if (widget == nullptr) return;
  MirrorScope scope(mirroring_);
  const ControlState& state = dialog_.control(id);
  if (id == kIdPictureList) {
    MirrorList();
  } else if (id == kIdPreview) {
    MirrorPreview();
  } else if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
    bar->setRange(0, dialog_.progressBar().maximum());
    bar->setValue(dialog_.progressBar().position());
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
    if (auto* caption = qobject_cast<CaptionEdit*>(box)) caption->setLimit(state.textLimit);
    const QString shown = CaptionForDisplay(state.text);
    if (ShownText(*box) != shown) box->setPlainText(shown);
    if (state.backgroundRgb) {
      QPalette palette = box->palette();
      palette.setColor(QPalette::Base, QColor::fromRgb(*state.backgroundRgb));
      box->setPalette(palette);
    }
  } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
    check->setChecked(state.check != 0);
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    QStringList items;
    for (const std::string& item : state.items) items << FromLatin1(item);
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
    if (shown != items) {
      combo->clear();
      combo->addItems(items);
    }
    combo->setCurrentIndex(state.comboIndex);
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    const QString text = FromLatin1(state.text);
    // A text put in by the window may be longer than the user may type; it shows whole.
    constexpr int kNoLimit = 32767;
    const int limit = state.textLimit == 0 ? kNoLimit : static_cast<int>(state.textLimit);
    edit->setMaxLength(std::max<int>(limit, static_cast<int>(text.size())));
    if (edit->text() != text) edit->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    const QString text = FromLatin1(state.text);
    if (label->text() != text) label->setText(text);
  }
  widget->setEnabled(EnabledAsShown(id));
  widget->setVisible(state.visible);
}

bool MainWindow::EnabledAsShown(int id) const {
  if (!dialog_.control(id).enabled) return false;
  if (!dialog_.busy()) return true;
  const auto t = std::find_if(kMainWindowControls.begin(), kMainWindowControls.end(),
                              [id](const ControlTemplate& c) { return c.id == id; });
  return t == kMainWindowControls.end() || !TakesInput(*t);
}

void MainWindow::MirrorList() {
  auto* list = static_cast<PictureListWidget*>(control(kIdPictureList));
  const std::vector<ListColumn>& columns = dialog_.listColumns();
  QStringList headings;
  for (const ListColumn& column : columns) headings << FromLatin1(column.heading);
  if (!columns.empty() && list->headerItem()->text(0) != headings.front()) {
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(headings);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
      const int width = columns[static_cast<std::size_t>(c)].widthPixels;
      list->setColumnHidden(c, width == 0);
      if (width > 0) list->setColumnWidth(c, ScaledToFontWidth(width, baseUnits_));
    }
    QHeaderView* header = list->header();
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
      const int after = columns[static_cast<std::size_t>(c)].shownAfter;
      if (after < 0) continue;
      const int to = header->visualIndex(after) + 1;
      header->moveSection(header->visualIndex(c), to > header->visualIndex(c) ? to - 1 : to);
    }
  }

  const std::vector<PictureEntry>& rows = dialog_.document().rows;
  const int rowCount = static_cast<int>(rows.size());
  // Items come and go together: the view lays itself out again once, not once per item
  // (a Load replaces a thousand rows).
  if (rowCount == 0 && list->topLevelItemCount() > 0) list->clear();
  while (list->topLevelItemCount() > rowCount) {
    delete list->takeTopLevelItem(list->topLevelItemCount() - 1);
  }
  if (list->topLevelItemCount() < rowCount) {
    QList<QTreeWidgetItem*> added;
    for (int r = list->topLevelItemCount(); r < rowCount; ++r) added.append(new QTreeWidgetItem);
    list->addTopLevelItems(added);
  }
  shownRows_.resize(rows.size());
  for (int r = 0; r < rowCount; ++r) {
    const PictureEntry& row = rows[static_cast<std::size_t>(r)];
    PictureEntry& shown = shownRows_[static_cast<std::size_t>(r)];
    if (shown == row) continue;  // a new item and a new slot are both empty
    shown = row;
    const QString texts[kPictureEntryColumns] = {
        FromUtf8(row.fileName),   FromLatin1(row.effectLabel), FromLatin1(row.sizingLabel),
        FromLatin1(row.sizeText), FromUtf8(row.path),          FromLatin1(row.caption),
        FromLatin1(row.fitLabel)};
    QTreeWidgetItem* item = list->topLevelItem(r);
    for (int c = 0; c < kPictureEntryColumns; ++c) {
      if (item->text(c) != texts[c]) item->setText(c, texts[c]);
    }
  }

  QItemSelection selection;
  QModelIndex focused;
  const std::vector<RowState>& states = dialog_.rowStates();
  for (int r = 0; r < rowCount; ++r) {
    const QModelIndex index = list->model()->index(r, 0);
    if (states[static_cast<std::size_t>(r)].selected) selection.select(index, index);
    if (states[static_cast<std::size_t>(r)].focused) focused = index;
  }
  list->selectionModel()->select(selection,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  list->selectionModel()->setCurrentIndex(focused, QItemSelectionModel::NoUpdate);
}

void MainWindow::MirrorPreview() {
  auto* preview = static_cast<PreviewWidget*>(control(kIdPreview));
  const PreviewArea& area = dialog_.previewArea();
  if (const auto& placed = area.rect()) {
    const PixelRect r = MovedWithPreview(*placed, baseUnits_);
    preview->setGeometry(r.x, r.y, r.width, r.height);
    preview->raise();
  }
  preview->setPicture(area.picture() ? &*area.picture() : nullptr);
}

// Qt's title placeholder shows the mark of unsaved changes; a "[*]" of the window's own
// text (a project file may be named so) is doubled to stay as it is.
void MainWindow::WindowTextChanged() {
  QString title = FromUtf8(dialog_.windowText());
  title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  setWindowTitle(title + QStringLiteral("[*]"));
  setWindowModified(dialog_.modified());
}

// ---- Reporting the user's changes ----

void MainWindow::ReportListSelection() {
  if (mirroring_) return;
  auto* list = static_cast<PictureListWidget*>(control(kIdPictureList));
  const QModelIndexList selected = list->selectionModel()->selectedRows();
  const QModelIndex current = list->selectionModel()->currentIndex();
  dialog_.SetListSelection(selected.isEmpty() ? -1 : selected.front().row(),
                           current.isValid() ? current.row() : -1);
}

void MainWindow::ReportFocus(QWidget* focused) {
  for (QWidget* w = focused; w != nullptr; w = w->parentWidget()) {
    const QVariant id = w->property("controlId");
    if (id.isValid() && w->window() == this) {
      dialog_.SetFocusedControl(id.toInt());
      return;
    }
  }
  dialog_.SetFocusedControl(kIdNone);
}

// ---- What the model asks of the toolkit ----

void MainWindow::FocusControl(int id, bool selectAllText) {
  QWidget* widget = control(id);
  if (widget == nullptr) return;
  widget->setFocus(Qt::OtherFocusReason);
  if (!selectAllText) return;
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
  if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) box->selectAll();
}

// Once the window has ended (the system asked the program to end) nothing waits on the
// user any more.
void MainWindow::ShowMessage(const std::string& text, MessageBoxIcon icon) {
  if (dialog_.ended()) return;
  QMessageBox box(IconOf(icon), QApplication::applicationName(), FromUtf8(text), QMessageBox::Ok,
                  this);
  box.exec();
}

SaveChangesAnswer MainWindow::AskSaveChanges(const std::string& question) {
  if (dialog_.ended()) return SaveChangesAnswer::kCancel;
  QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), FromUtf8(question),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveChangesAnswer::kSave;
    case QMessageBox::Discard:
      return SaveChangesAnswer::kDiscard;
    default:
      return SaveChangesAnswer::kCancel;
  }
}

bool MainWindow::AskToReplace(const std::string& question) {
  if (dialog_.ended()) return false;
  QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), FromUtf8(question),
                  QMessageBox::Cancel, this);
  QPushButton* replace = box.addButton(QStringLiteral("&Replace"), QMessageBox::AcceptRole);
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  box.exec();
  return box.clickedButton() == replace;
}

std::optional<std::vector<std::string>> MainWindow::ChooseFilesToOpen(
    const OpenFilesRequest& request) {
  QFileDialog dialog(this);
  // Qt's own dialog matches the patterns in any letter case, as picture names need.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(request.multipleFiles ? QFileDialog::ExistingFiles
                                           : QFileDialog::ExistingFile);
  QStringList filters;
  for (const FileFilter& filter : request.filters) filters << NameFilterOf(filter);
  dialog.setNameFilters(filters);
  // With no folder of its own the dialog opens where the user last took pictures from.
  const QString folder = request.initialDirectory.empty() ? RememberedFolder(FolderUse::kPictures)
                                                          : FromUtf8(request.initialDirectory);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  if (RunFileDialog(dialog) != QDialog::Accepted) return std::nullopt;
  std::vector<std::string> files;
  for (const QString& file : dialog.selectedFiles()) {
    files.push_back(QFile::encodeName(file).toStdString());
  }
  if (!dialog.selectedFiles().isEmpty()) {
    RememberFolder(FolderUse::kPictures, QFileInfo(dialog.selectedFiles().front()).absolutePath());
  }
  return files;
}

// Thread-safe: the task becomes an event of the window's thread, dropped with the window.
void MainWindow::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

// While a long command runs, every control that takes input and every menu command is
// disabled, so the user's input cannot reach the show the command works on; the Cancel
// button stays.
void MainWindow::BusyChanged() {
  const bool busy = dialog_.busy();
  if (busy) focusBeforeCommand_ = QApplication::focusWidget();
  for (const ControlTemplate& t : kMainWindowControls) {
    if (QWidget* widget = control(t.id); t.id != kIdNone && widget != nullptr && TakesInput(t))
      widget->setEnabled(EnabledAsShown(t.id));
  }
  for (const auto& [id, action] : actions_) action->setEnabled(!busy);
  if (!busy && focusBeforeCommand_ && focusBeforeCommand_->isEnabled())
    focusBeforeCommand_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::EndDialog(int result) {
  result_ = result;
  ending_ = true;
  close();
}

void MainWindow::StartTimer(int timerId, int periodMs) {
  QTimer*& timer = timers_[timerId];
  if (timer == nullptr) {
    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this,
            [this, timerId] { Send(Notification::kTimer, timerId); });
  }
  timer->start(periodMs);
}

std::string MainWindow::CurrentDirectory() {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  return error ? std::string(".") : current.string();
}

// ---- Window events ----

QAbstractButton* MainWindow::MnemonicButton(const QKeyEvent& event) const {
  if (event.modifiers() != Qt::AltModifier) return nullptr;
  const QKeySequence pressed(QKeyCombination(Qt::AltModifier, Qt::Key(event.key())));
  for (QWidget* widget : controls_) {
    auto* button = qobject_cast<QPushButton*>(widget);
    if (button != nullptr && button->isEnabled() && button->isVisible() &&
        QKeySequence::mnemonic(button->text()) == pressed) {
      return button;
    }
  }
  return nullptr;
}

// A dialog gives its controls' mnemonics precedence over its menu bar's: Alt+A presses
// "&Add", not the "&About" item. Claiming the key here keeps Qt from treating the two as
// an ambiguous shortcut; the key then reaches keyPressEvent.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (ExplainsMenuItem(watched, event)) return true;
  if (event->type() == QEvent::ShortcutOverride) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr && widget->window() == this &&
        MnemonicButton(*static_cast<QKeyEvent*>(event)) != nullptr) {
      event->accept();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// F1 on a menu item that explains itself shows its explanation beside it, as F1 on a
// control does.
bool MainWindow::ExplainsMenuItem(QObject* watched, QEvent* event) const {
  auto* menu = qobject_cast<QMenu*>(watched);
  if (menu == nullptr || event->type() != QEvent::KeyPress ||
      static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
    return false;
  QAction* item = menu->activeAction();
  if (item == nullptr || item->whatsThis().isEmpty()) return false;
  const QRect at = menu->actionGeometry(item);
  QWhatsThis::showText(menu->mapToGlobal(at.topRight()), item->whatsThis(), menu);
  return true;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Keys no control took: Enter is the dialog's OK, Escape its Cancel.
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      Send(Notification::kCommand, kCmdOk);
      return;
    case Qt::Key_Escape:
      event->accept();
      Send(Notification::kCommand, kCmdCancel);
      return;
    default:
      if (QAbstractButton* button = MnemonicButton(*event)) {
        event->accept();
        button->setFocus(Qt::ShortcutFocusReason);
        button->click();
        return;
      }
      QMainWindow::keyPressEvent(event);
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!ending_ && !dialog_.busy()) Send(Notification::kCommand, kCmdCancel);
  if (ending_) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace varnel
