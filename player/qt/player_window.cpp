#include "player/qt/player_window.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>

#include "emulator/console_screen.h"
#include "player/qt/console_view.h"
#include "player/qt/player_keys.h"

namespace varnel {

namespace {

// After a stall (a modal dialog, a busy host) at most this many frames are run at once.
constexpr int kMaxCatchUpFrames = 4;
// How often the image file is looked at for a rebuild.
constexpr int kRebuildCheckMs = 500;
constexpr int kDefaultScale = 2;

QString FromLocal(const std::string& text) {
  return QFile::decodeName(QByteArray::fromStdString(text));
}

std::string ToLocal(const QString& text) {
  return QFile::encodeName(text).toStdString();
}

QImage ImageOf(const ScreenRgb& pixels) {
  QImage image(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
  for (int y = 0; y < kScreenHeight; ++y) {
    auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
    std::copy_n(pixels.begin() + std::ptrdiff_t{y} * kScreenWidth, kScreenWidth, line);
  }
  return image;
}

// "shot.png" at scale 3 becomes "shot-3x.png".
QString ScaledName(const QString& path, int scale) {
  const QFileInfo info(path);
  const QString suffix = info.suffix().isEmpty() ? QString() : "." + info.suffix();
  return info.dir().filePath(info.completeBaseName() + QStringLiteral("-%1x").arg(scale) + suffix);
}

}  // namespace

PlayerWindow::PlayerWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), pacer_(kConsoleFramePeriod, kMaxCatchUpFrames) {
  setWindowTitle(QStringLiteral("Varnel Player"));
  view_ = new ConsoleView(this);
  view_->SetPreferredScale(kDefaultScale);
  status_ = new QLabel(this);
  // A long status (a screenshot's path) is shortened to the window's width; it never
  // widens the window.
  status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  auto* legend = new QLabel(KeyLegend(), this);
  legend->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addWidget(MakeConsoleButtons());
  layout->addWidget(MakePlayerButtons());
  layout->addWidget(legend);
  layout->addWidget(status_);

  frameTimer_ = new QTimer(this);
  frameTimer_->setSingleShot(true);
  frameTimer_->setTimerType(Qt::PreciseTimer);
  connect(frameTimer_, &QTimer::timeout, this, [this] { OnTick(); });
  rebuildTimer_ = new QTimer(this);
  connect(rebuildTimer_, &QTimer::timeout, this, [this] { CheckForRebuild(); });
  ShowScreen();
  view_->setFocus();
}

PlayerWindow::~PlayerWindow() = default;

// ---- Building the window ----

void PlayerWindow::AddConsoleButton(QLayout& layout, const QString& text, ConsoleKey key) {
  // Tool buttons: small enough for the row of them to fit under the screen at 2x.
  auto* button = new QToolButton(this);
  button->setText(text);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  // The keyboard stays with the console; buttons are for the mouse.
  button->setFocusPolicy(Qt::NoFocus);
  button->setProperty("consoleKey", static_cast<uint>(key));
  connect(button, &QToolButton::pressed, this, [this, key] { latch_.Press(key); });
  connect(button, &QToolButton::released, this, [this, key] { latch_.Release(key); });
  layout.addWidget(button);
}

QWidget* PlayerWindow::MakeConsoleButtons() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  AddConsoleButton(*layout, QStringLiteral("L"), kButtonL);
  AddConsoleButton(*layout, QStringLiteral("R"), kButtonR);
  layout->addSpacing(6);
  AddConsoleButton(*layout, QStringLiteral("\u2190"), kButtonLeft);
  AddConsoleButton(*layout, QStringLiteral("\u2191"), kButtonUp);
  AddConsoleButton(*layout, QStringLiteral("\u2193"), kButtonDown);
  AddConsoleButton(*layout, QStringLiteral("\u2192"), kButtonRight);
  layout->addSpacing(8);
  AddConsoleButton(*layout, QStringLiteral("B"), kButtonB);
  AddConsoleButton(*layout, QStringLiteral("A"), kButtonA);
  layout->addSpacing(8);
  AddConsoleButton(*layout, QStringLiteral("Select"), kButtonSelect);
  AddConsoleButton(*layout, QStringLiteral("Start"), kButtonStart);
  return row;
}

QWidget* PlayerWindow::MakePlayerButtons() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  const auto addButton = [this, layout](const QString& text, auto onClick) {
    auto* button = new QPushButton(text, this);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, onClick);
    layout->addWidget(button);
    return button;
  };
  pauseButton_ = addButton(QStringLiteral("Pause"), [this] { SetPaused(!paused_); });
  pauseButton_->setObjectName(QStringLiteral("pause"));
  addButton(QStringLiteral("Restart"), [this] {
    Restart();
  })->setObjectName(QStringLiteral("restart"));

  layout->addWidget(new QLabel(QStringLiteral("Scale:"), this));
  scaleChoice_ = new QComboBox(this);
  scaleChoice_->setFocusPolicy(Qt::NoFocus);
  for (int scale = ConsoleView::kMinScale; scale <= ConsoleView::kMaxScale; ++scale)
    scaleChoice_->addItem(QStringLiteral("%1x").arg(scale), scale);
  scaleChoice_->setCurrentIndex(kDefaultScale - ConsoleView::kMinScale);
  connect(scaleChoice_, &QComboBox::activated, this,
          [this](int index) { SetScale(scaleChoice_->itemData(index).toInt()); });
  layout->addWidget(scaleChoice_);
  // Resizing the window by hand picks the scale that fits; the choice follows it.
  view_->SetScaleListener(
      [this](int scale) { scaleChoice_->setCurrentIndex(scale - ConsoleView::kMinScale); });

  addButton(QStringLiteral("Save Screenshot..."), [this] {
    OnSaveScreenshot();
  })->setObjectName(QStringLiteral("screenshot"));
  layout->addStretch(1);
  addButton(QStringLiteral("Close"), [this] { close(); })->setObjectName(QStringLiteral("close"));
  return row;
}

// ---- The image ----

bool PlayerWindow::Open(const std::string& imagePath, std::string& error) {
  std::unique_ptr<ConsoleEmulator> loaded;
  const std::optional<ImageFileStamp> stamp = StampOf(imagePath);
  try {
    loaded = std::make_unique<ConsoleEmulator>(imagePath);
  } catch (const std::exception& failure) {
    error = failure.what();
    return false;
  }
  emulator_ = std::move(loaded);
  imagePath_ = imagePath;
  loadedStamp_ = stamp;
  changedStamp_.reset();
  latch_.ReleaseAll();
  setWindowTitle(QStringLiteral("Varnel Player - ") + QFileInfo(FromLocal(imagePath)).fileName());
  ShowScreen();
  ShowStatus(QStringLiteral("Playing ") + FromLocal(imagePath));
  if (isVisible()) StartPacing();
  return true;
}

void PlayerWindow::Reload() {
  if (imagePath_.empty()) return;
  std::string error;
  if (Open(imagePath_, error)) {
    ShowStatus(QStringLiteral("Rebuilt: playing the new ") +
               QFileInfo(FromLocal(imagePath_)).fileName() + QStringLiteral(" from its start"));
  } else {
    // The file may be gone or unreadable; the image in memory plays on.
    ShowStatus(QStringLiteral("Still playing the image loaded before: ") + FromLocal(error));
  }
}

void PlayerWindow::CheckForRebuild() {
  if (imagePath_.empty()) return;
  const std::optional<ImageFileStamp> stamp = StampOf(imagePath_);
  if (!stamp || stamp == loadedStamp_) {
    changedStamp_.reset();
    return;
  }
  // Reload only once the file has stayed the same for a check and the build has finished.
  if (stamp != changedStamp_) {
    changedStamp_ = stamp;
    return;
  }
  if (LooksFinished(imagePath_)) Reload();
}

// ---- Running ----

void PlayerWindow::AdvanceFrames(int frames) {
  if (!emulator_) return;
  for (int i = 0; i < frames; ++i) {
    const ConsoleKeys keys = latch_.held();
    if (keys != emulator_->heldKeys()) emulator_->HoldKeys(keys);
    emulator_->RunFrames(1);
    latch_.FrameRan();
  }
  ShowScreen();
}

void PlayerWindow::OnTick() {
  AdvanceFrames(pacer_.TakeFramesDue(FramePacer::Clock::now()));
  ScheduleTick();
}

void PlayerWindow::ScheduleTick() {
  using std::chrono::ceil;
  using std::chrono::milliseconds;
  const auto wait = ceil<milliseconds>(pacer_.UntilNextFrame(FramePacer::Clock::now()));
  frameTimer_->start(static_cast<int>(wait.count()));
}

void PlayerWindow::StartPacing() {
  if (!emulator_ || paused_) return;
  pacer_.Start(FramePacer::Clock::now());
  ScheduleTick();
  rebuildTimer_->start(kRebuildCheckMs);
}

void PlayerWindow::StopPacing() {
  frameTimer_->stop();
  rebuildTimer_->stop();
}

void PlayerWindow::SetPaused(bool paused) {
  paused_ = paused;
  UpdatePauseButton();
  if (paused_) {
    StopPacing();
    // The console sees every key let go while it stands still.
    latch_.ReleaseAll();
    ShowStatus(QStringLiteral("Paused"));
  } else {
    if (isVisible()) StartPacing();
    ShowStatus(QStringLiteral("Playing ") + FromLocal(imagePath_));
  }
}

void PlayerWindow::UpdatePauseButton() {
  pauseButton_->setText(paused_ ? QStringLiteral("Resume") : QStringLiteral("Pause"));
}

void PlayerWindow::Restart() {
  if (!emulator_) return;
  emulator_->Restart();
  latch_.ReleaseAll();
  pacer_.Start(FramePacer::Clock::now());
  ShowScreen();
}

// ---- Showing ----

void PlayerWindow::ShowScreen() {
  if (emulator_) {
    view_->SetScreen(ImageOf(emulator_->ScreenAsRgb()));
  } else {
    QImage black(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
    black.fill(Qt::black);
    view_->SetScreen(black);
  }
}

void PlayerWindow::ShowStatus(const QString& text) {
  statusText_ = text;
  status_->setToolTip(text);
  FitStatusLine();
}

void PlayerWindow::FitStatusLine() {
  status_->setText(status_->fontMetrics().elidedText(statusText_, Qt::ElideMiddle,
                                                     status_->contentsRect().width()));
}

void PlayerWindow::PlaceOverOwner() {
  const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
  if (owner == nullptr || !owner->isVisible()) return;
  // Inside the frames: a window not shown yet has no frame, and the window system draws
  // the same frame around both.
  QRect placed(QPoint(0, 0), size());
  placed.moveCenter(owner->geometry().center());
  if (const QScreen* screen = owner->screen()) {
    const QRect room = screen->availableGeometry();
    placed.moveLeft(
        std::max(room.left(), std::min(placed.left(), room.right() + 1 - placed.width())));
    placed.moveTop(
        std::max(room.top(), std::min(placed.top(), room.bottom() + 1 - placed.height())));
  }
  setGeometry(placed);
}

void PlayerWindow::setVisible(bool visible) {
  if (visible && !isVisible()) {
    // Sized by its contents before the first showing, so that it is centred at that size.
    if (!testAttribute(Qt::WA_Resized)) {
      if (layout() != nullptr) layout()->activate();
      adjustSize();
    }
    PlaceOverOwner();
  }
  QWidget::setVisible(visible);
}

void PlayerWindow::SetScale(int scale) {
  view_->SetPreferredScale(scale);
  scaleChoice_->setCurrentIndex(view_->preferredScale() - ConsoleView::kMinScale);
  // The window shrinks or grows to the new size of the screen.
  view_->setFixedSize(view_->sizeHint());
  adjustSize();
  view_->setMinimumSize(kScreenWidth, kScreenHeight);
  view_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

int PlayerWindow::shownScale() const {
  return view_->shownScale();
}

QImage PlayerWindow::ScreenImage(int scale) const {
  const QImage& screen = view_->screen();
  if (scale <= 1) return screen;
  // Nearest neighbour, as the window shows it.
  return screen.scaled(screen.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

std::optional<std::string> PlayerWindow::SaveScreenshots(const QString& path) {
  if (!ScreenImage(1).save(path, "PNG"))
    return "The screenshot " + ToLocal(path) + " could not be written.";
  const int scale = shownScale();
  if (scale > 1) {
    const QString scaled = ScaledName(path, scale);
    if (!ScreenImage(scale).save(scaled, "PNG"))
      return "The screenshot " + ToLocal(scaled) + " could not be written.";
    ShowStatus(QStringLiteral("Saved %1 (240 x 160) and %2 (%3x)").arg(path, scaled).arg(scale));
  } else {
    ShowStatus(QStringLiteral("Saved %1 (240 x 160)").arg(path));
  }
  return std::nullopt;
}

void PlayerWindow::OnSaveScreenshot() {
  QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Screenshot"),
                                              QStringLiteral("screenshot.png"),
                                              QStringLiteral("PNG pictures (*.png)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
  if (const std::optional<std::string> error = SaveScreenshots(path)) ShowStatus(FromLocal(*error));
}

// ---- Window events ----

void PlayerWindow::keyPressEvent(QKeyEvent* event) {
  const std::optional<ConsoleKey> key = ConsoleKeyForHostKey(event->key());
  if (!key || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
    QWidget::keyPressEvent(event);
    return;
  }
  event->accept();
  if (!event->isAutoRepeat()) latch_.Press(*key);
}

void PlayerWindow::keyReleaseEvent(QKeyEvent* event) {
  const std::optional<ConsoleKey> key = ConsoleKeyForHostKey(event->key());
  if (!key) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  event->accept();
  if (!event->isAutoRepeat()) latch_.Release(*key);
}

void PlayerWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  StartPacing();
}

void PlayerWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  StopPacing();
  latch_.ReleaseAll();
}

void PlayerWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitStatusLine();
}

void PlayerWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // A key let go while another window had the keyboard never reaches this one.
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) latch_.ReleaseAll();
}

}  // namespace varnel
