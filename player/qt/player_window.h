#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "emulator/console_emulator.h"
#include "player/model/frame_pacer.h"
#include "player/model/image_file_state.h"
#include "player/model/key_latch.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace varnel {

class ConsoleView;

// Plays a built image on the console emulator at the console's own rate (59.73 frames a
// second, paced by a timer), with the keyboard or on-screen buttons as the console's keys.
// It runs only while shown and not paused, and loads the image again when the file is
// rebuilt.
class PlayerWindow : public QWidget {
 public:
  explicit PlayerWindow(QWidget* parent = nullptr);
  ~PlayerWindow() override;

  // Loads the image and plays it from its start. On failure returns false with the
  // reason, and whatever was playing goes on.
  bool Open(const std::string& imagePath, std::string& error);
  // Loads the open image's file again (after a rebuild); on failure the reason is shown
  // and the image that was playing goes on.
  void Reload();
  const std::string& imagePath() const { return imagePath_; }

  void SetPaused(bool paused);
  bool paused() const { return paused_; }
  void Restart();
  // The scale the window is sized for, 1 to 6.
  void SetScale(int scale);
  int shownScale() const;

  // Runs frames now, as the timer does when they are due, with the keys held.
  void AdvanceFrames(int frames);
  // Checks whether the image file was rebuilt, as the window does twice a second.
  void CheckForRebuild();

  // The console screen as shown, at a scale of 1 (240 x 160) or more.
  QImage ScreenImage(int scale) const;
  // Writes the screen at 1x to `path` and, when the chosen scale is larger, at that scale
  // beside it (the name with "-2x" etc. before ".png"). The reason when one fails.
  std::optional<std::string> SaveScreenshots(const QString& path);

  const ConsoleEmulator* emulator() const { return emulator_.get(); }
  ConsoleView* view() const { return view_; }
  // The whole status text; the line shows as much of it as fits the window's width.
  QString statusText() const { return statusText_; }

  // Each time it opens, the window is placed centred over the window it belongs to (the
  // editor), kept on that window's screen.
  void setVisible(bool visible) override;
  ConsoleKeys heldKeys() const { return latch_.held(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* MakeConsoleButtons();
  QWidget* MakePlayerButtons();
  void AddConsoleButton(QLayout& layout, const QString& text, ConsoleKey key);
  void OnTick();
  void ScheduleTick();
  void StartPacing();
  void StopPacing();
  void ShowScreen();
  void ShowStatus(const QString& text);
  void FitStatusLine();
  void PlaceOverOwner();
  void OnSaveScreenshot();
  void UpdatePauseButton();

  std::unique_ptr<ConsoleEmulator> emulator_;
  std::string imagePath_;
  std::optional<ImageFileStamp> loadedStamp_;
  std::optional<ImageFileStamp> changedStamp_;  // a change seen, waiting to settle
  FramePacer pacer_;
  KeyLatch latch_;
  bool paused_ = false;
  ConsoleView* view_ = nullptr;
  QLabel* status_ = nullptr;
  QString statusText_;
  QPushButton* pauseButton_ = nullptr;
  QComboBox* scaleChoice_ = nullptr;
  QTimer* frameTimer_ = nullptr;
  QTimer* rebuildTimer_ = nullptr;
};

}  // namespace varnel
