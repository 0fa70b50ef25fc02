// The player window on real shows: what it shows against the emulator core run alone,
// keys and buttons reaching the console, screenshots, and rebuilds while it plays. Frames
// are run by hand; the timer is kept still so nothing depends on the clock.
#include "player/qt/player_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "player/qt/console_view.h"
#include "tests/support/console_run.h"
#include "tests/viewer/viewer_show.h"

namespace varnel::testing {
namespace {

constexpr int kBootFrames = 10;
constexpr int kNoEffectFrames = 6;

// The window shown with its timer stopped: frames run only through AdvanceFrames.
class StillPlayer {
 public:
  explicit StillPlayer(const std::string& imagePath) {
    std::string error;
    opened = window.Open(imagePath, error);
    window.show();
    window.SetPaused(true);
    window.SetPaused(false);  // resumes only while shown: the timer runs again
    window.SetPaused(true);
  }
  PlayerWindow window;
  bool opened = false;
};

// The part of the view widget that shows the console screen, as painted: centred in the
// widget at the shown scale.
QImage PaintedConsole(PlayerWindow& window) {
  ConsoleView& view = *window.view();
  const QImage painted = view.grab().toImage();
  const int scale = view.shownScale();
  return painted.copy((painted.width() - 240 * scale) / 2, (painted.height() - 160 * scale) / 2,
                      240 * scale, 160 * scale);
}

// What the view shows, read back as 15-bit pixels of a 240 x 160 screen: the top-left
// pixel of each block.
Screen15 PaintedScreen(PlayerWindow& window) {
  const QImage painted = PaintedConsole(window);
  const int scale = painted.width() / 240;
  Screen15 screen;
  for (int y = 0; y < 160; ++y) {
    for (int x = 0; x < 240; ++x) {
      const QRgb pixel = painted.pixel(x * scale, y * scale);
      screen.push_back(static_cast<uint16_t>((qRed(pixel) >> 3) | (qGreen(pixel) >> 3) << 5 |
                                             (qBlue(pixel) >> 3) << 10));
    }
  }
  return screen;
}

// Whether every block of scale x scale pixels is one colour (no smoothing between them).
bool BlocksAreSharp(const QImage& image, int scale) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != image.pixel(x - x % scale, y - y % scale)) return false;
  return true;
}

std::optional<int> RunWindowUntilShown(PlayerWindow& window, const Screen15& expected,
                                       int maxFrames) {
  for (int frames = 1; frames <= maxFrames; ++frames) {
    window.AdvanceFrames(1);
    if (Differences(testing::Screen15Of(*window.emulator()), expected) == 0) return frames;
  }
  return std::nullopt;
}

QAbstractButton* ButtonForKey(PlayerWindow& window, ConsoleKey key) {
  for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    if (button->property("consoleKey").toUInt() == key) return button;
  }
  return nullptr;
}

ViewerShow& ThreeSlideShow() {
  static ViewerShow* show = [] {
    auto* made = new ViewerShow;
    made->AddPicture(300, 200);
    made->AddPicture(240, 160);
    made->AddPicture(100, 60);
    made->Build();
    return made;
  }();
  return *show;
}

TEST(PlayerWindow, ShowsTheSamePixelsAsTheCoreAfterNFramesAtTwiceTheSizeByDefault) {
  ViewerShow& show = ThreeSlideShow();
  StillPlayer player(show.imagePath());
  ASSERT_TRUE(player.opened);
  ConsoleEmulator core(show.imagePath());
  for (const int frames : {1, 7, 40}) {
    player.window.AdvanceFrames(frames);
    core.RunFrames(frames);
    EXPECT_EQ(Differences(PaintedScreen(player.window), testing::Screen15Of(core)), 0) << frames;
    EXPECT_EQ(player.window.shownScale(), 2);
  }
  EXPECT_EQ(player.window.emulator()->framesRun(), 48u);
  EXPECT_EQ(Differences(testing::Screen15Of(core), show.Resized(0)), 0);
  const QImage painted = PaintedConsole(player.window);
  EXPECT_EQ(painted.size(), QSize(480, 320));
  EXPECT_TRUE(BlocksAreSharp(painted, 2));
}

TEST(PlayerWindow, ScalesFromOneToSixTimesWithSharpPixels) {
  StillPlayer player(ThreeSlideShow().imagePath());
  player.window.AdvanceFrames(kBootFrames);
  const Screen15 expected = testing::Screen15Of(*player.window.emulator());
  auto* choice = player.window.findChild<QComboBox*>();
  ASSERT_NE(choice, nullptr);
  EXPECT_EQ(choice->currentText(), "2x");
  for (const int scale : {1, 3, 6}) {
    player.window.SetScale(scale);
    QApplication::processEvents();
    EXPECT_EQ(player.window.shownScale(), scale);
    EXPECT_EQ(choice->currentText(), QString("%1x").arg(scale));
    EXPECT_GE(player.window.view()->height(), 160 * scale);
    const QImage painted = PaintedConsole(player.window);
    EXPECT_TRUE(BlocksAreSharp(painted, scale)) << scale;
    EXPECT_EQ(Differences(PaintedScreen(player.window), expected), 0) << scale;
  }
  player.window.SetScale(9);
  EXPECT_EQ(choice->currentText(), "6x");
}

// Resizing the window by hand shows the largest whole scale that fits in both directions,
// from 1x to 6x, and the Scale box follows it.
TEST(PlayerWindow, ResizingPicksTheLargestWholeScaleThatFits) {
  StillPlayer player(ThreeSlideShow().imagePath());
  player.window.AdvanceFrames(kBootFrames);
  ConsoleView& view = *player.window.view();
  auto* choice = player.window.findChild<QComboBox*>();
  ASSERT_NE(choice, nullptr);
  struct Case {
    int width, height, scale;
  };
  for (const Case& c : {Case{480, 320, 2}, Case{719, 479, 2}, Case{720, 480, 3}, Case{720, 479, 2},
                        Case{1200, 330, 2}, Case{250, 900, 1}, Case{960, 640, 4},
                        Case{1199, 800, 4}, Case{1200, 800, 5}, Case{1440, 960, 6},
                        Case{2000, 1500, 6}, Case{240, 160, 1}, Case{300, 200, 1}}) {
    // The room the window's layout gives the screen when the window is resized.
    view.resize(c.width, c.height);
    EXPECT_EQ(player.window.shownScale(), c.scale) << c.width << "x" << c.height;
    EXPECT_EQ(choice->currentText(), QString("%1x").arg(c.scale)) << c.width << "x" << c.height;
    // The screen is drawn at that scale, centred on black.
    const QImage painted = view.grab().toImage();
    const int left = (c.width - 240 * c.scale) / 2;
    const int top = (c.height - 160 * c.scale) / 2;
    if (left > 0) {
      EXPECT_EQ(painted.pixel(left - 1, top), qRgb(0, 0, 0));
    }
    if (top > 0) {
      EXPECT_EQ(painted.pixel(left, top - 1), qRgb(0, 0, 0));
    }
    const int right = left + 240 * c.scale - 1;
    const int bottom = top + 160 * c.scale - 1;
    EXPECT_EQ(painted.pixel(right, bottom), view.screen().pixel(239, 159));
    if (right + 1 < c.width) {
      EXPECT_EQ(painted.pixel(right + 1, bottom), qRgb(0, 0, 0));
    }
  }
}

// Which keyboard key plays which console key; no other key, and no key with Ctrl or Alt,
// plays any. The bits are those of the console's key input register.
TEST(PlayerWindow, KeyboardKeysPlayTheConsoleKeysUsersOfEmulatorsExpect) {
  StillPlayer player(ThreeSlideShow().imagePath());
  player.window.AdvanceFrames(kBootFrames);
  QWidget* view = player.window.view();
  struct Case {
    Qt::Key key;
    uint32_t bits;
    const char* console;
  };
  for (const Case& c :
       {Case{Qt::Key_Up, 1u << 6, "Up"}, Case{Qt::Key_Down, 1u << 7, "Down"},
        Case{Qt::Key_Left, 1u << 5, "Left"}, Case{Qt::Key_Right, 1u << 4, "Right"},
        Case{Qt::Key_X, 1u << 0, "A"}, Case{Qt::Key_Z, 1u << 1, "B"}, Case{Qt::Key_A, 1u << 9, "L"},
        Case{Qt::Key_S, 1u << 8, "R"}, Case{Qt::Key_Return, 1u << 3, "Start"},
        Case{Qt::Key_Enter, 1u << 3, "Start (keypad Enter)"},
        Case{Qt::Key_Backspace, 1u << 2, "Select"}, Case{Qt::Key_Space, 0, "-"},
        Case{Qt::Key_Q, 0, "-"}, Case{Qt::Key_C, 0, "-"}, Case{Qt::Key_Y, 0, "-"},
        Case{Qt::Key_Escape, 0, "-"}, Case{Qt::Key_Tab, 0, "-"}}) {
    QTest::keyPress(view, c.key);
    EXPECT_EQ(player.window.heldKeys(), c.bits) << c.console;
    player.window.AdvanceFrames(1);
    EXPECT_EQ(player.window.emulator()->heldKeys(), c.bits) << c.console;
    QTest::keyRelease(view, c.key);
    player.window.AdvanceFrames(2);
    ASSERT_EQ(player.window.heldKeys(), 0u) << c.console;
  }
  // Two keys at once: both held.
  QTest::keyPress(view, Qt::Key_Up);
  QTest::keyPress(view, Qt::Key_X);
  EXPECT_EQ(player.window.heldKeys(), (1u << 6) | (1u << 0));
  QTest::keyRelease(view, Qt::Key_Up);
  QTest::keyRelease(view, Qt::Key_X);
  player.window.AdvanceFrames(2);
  for (const Qt::KeyboardModifier modifier : {Qt::ControlModifier, Qt::AltModifier}) {
    QTest::keyPress(view, Qt::Key_S, modifier);
    EXPECT_EQ(player.window.heldKeys(), 0u) << modifier;
    QTest::keyRelease(view, Qt::Key_S, modifier);
  }
}

TEST(PlayerWindow, TheSKeyIsRAndMovesToTheNextSlide) {
  ViewerShow& show = ThreeSlideShow();
  StillPlayer player(show.imagePath());
  ASSERT_TRUE(RunWindowUntilShown(player.window, show.Resized(0), kBootFrames));
  // Down and up before a frame runs, as a quick tap arrives.
  QTest::keyClick(player.window.view(), Qt::Key_S);
  ASSERT_TRUE(RunWindowUntilShown(player.window, show.Resized(1), kNoEffectFrames));
  EXPECT_EQ(Differences(PaintedScreen(player.window), show.Resized(1)), 0);
  player.window.AdvanceFrames(kNoEffectFrames);
  // A held key changes the slide once; the console sees it let go.
  QTest::keyPress(player.window.view(), Qt::Key_S);
  ASSERT_TRUE(RunWindowUntilShown(player.window, show.Resized(2), kNoEffectFrames));
  player.window.AdvanceFrames(30);
  QTest::keyRelease(player.window.view(), Qt::Key_S);
  player.window.AdvanceFrames(2);
  EXPECT_EQ(player.window.heldKeys(), 0u);
  EXPECT_EQ(Differences(PaintedScreen(player.window), show.Resized(2)), 0);
  // A is L: back one slide.
  QTest::keyClick(player.window.view(), Qt::Key_A);
  EXPECT_TRUE(RunWindowUntilShown(player.window, show.Resized(1), kNoEffectFrames));
}

TEST(PlayerWindow, OnScreenButtonsAreTheConsoleKeysForAMouseUser) {
  ViewerShow& show = ThreeSlideShow();
  StillPlayer player(show.imagePath());
  ASSERT_TRUE(RunWindowUntilShown(player.window, show.Resized(0), kBootFrames));
  for (const ConsoleKey key : {kButtonL, kButtonR, kButtonA, kButtonB, kButtonStart, kButtonSelect,
                               kButtonUp, kButtonDown, kButtonLeft, kButtonRight})
    EXPECT_NE(ButtonForKey(player.window, key), nullptr) << key;
  QTest::mouseClick(ButtonForKey(player.window, kButtonR), Qt::LeftButton);
  ASSERT_TRUE(RunWindowUntilShown(player.window, show.Resized(1), kNoEffectFrames));
  QTest::mouseClick(ButtonForKey(player.window, kButtonL), Qt::LeftButton);
  ASSERT_TRUE(RunWindowUntilShown(player.window, show.Resized(0), kNoEffectFrames));
  EXPECT_EQ(Differences(PaintedScreen(player.window), show.Resized(0)), 0);
}

TEST(PlayerWindow, PauseRestartAndCloseButtons) {
  ViewerShow& show = ThreeSlideShow();
  StillPlayer player(show.imagePath());
  player.window.SetPaused(false);
  auto* pause = player.window.findChild<QPushButton*>("pause");
  ASSERT_NE(pause, nullptr);
  EXPECT_EQ(pause->text(), "Pause");
  pause->click();
  EXPECT_TRUE(player.window.paused());
  EXPECT_EQ(pause->text(), "Resume");
  EXPECT_EQ(player.window.statusText(), "Paused");
  ASSERT_TRUE(RunWindowUntilShown(player.window, show.Resized(0), kBootFrames));
  player.window.AdvanceFrames(30);
  QTest::keyClick(player.window.view(), Qt::Key_S);
  ASSERT_TRUE(RunWindowUntilShown(player.window, show.Resized(1), kNoEffectFrames));
  player.window.findChild<QPushButton*>("restart")->click();
  EXPECT_EQ(player.window.emulator()->heldKeys(), 0u);
  EXPECT_TRUE(RunWindowUntilShown(player.window, show.Resized(0), kBootFrames));
  player.window.findChild<QPushButton*>("close")->click();
  EXPECT_FALSE(player.window.isVisible());
}

TEST(PlayerWindow, SavesTheScreenAtOneTimesAndAtTheChosenScale) {
  ViewerShow& show = ThreeSlideShow();
  StillPlayer player(show.imagePath());
  ASSERT_TRUE(RunWindowUntilShown(player.window, show.Resized(0), kBootFrames));
  player.window.SetScale(3);
  QApplication::processEvents();
  TempDir dir;
  const QString path = QString::fromStdString(dir.file("shot.png"));
  ASSERT_FALSE(player.window.SaveScreenshots(path));
  const QImage one(path);
  const QImage three(QString::fromStdString(dir.file("shot-3x.png")));
  EXPECT_EQ(one.size(), QSize(240, 160));
  EXPECT_EQ(three.size(), QSize(720, 480));
  EXPECT_TRUE(BlocksAreSharp(three, 3));
  EXPECT_EQ(three.pixel(3 * 100 + 2, 3 * 50 + 1), one.pixel(100, 50));
  EXPECT_EQ(one.pixel(100, 50), player.window.ScreenImage(1).pixel(100, 50));
  EXPECT_TRUE(player.window.SaveScreenshots(QString::fromStdString(dir.file("no/dir/x.png"))));
}

TEST(PlayerWindow, ARebuiltImageIsPlayedFromItsStartAndAFailedOneLeavesTheOldPlaying) {
  ViewerShow first;
  first.AddPicture(240, 160);
  first.AddPicture(240, 160);
  first.Build();
  StillPlayer player(first.imagePath());
  const Screen15 firstSecondSlide = first.Resized(1);
  ASSERT_TRUE(RunWindowUntilShown(player.window, first.Resized(0), kBootFrames));
  QTest::keyClick(player.window.view(), Qt::Key_S);
  ASSERT_TRUE(RunWindowUntilShown(player.window, firstSecondSlide, kNoEffectFrames));

  // Another show written over the same file, as a rebuild does.
  ViewerShow second;
  second.AddPicture(320, 240);
  second.Build();
  std::filesystem::copy_file(second.imagePath(), first.imagePath(),
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::last_write_time(
      first.imagePath(), std::filesystem::file_time_type::clock::now() + std::chrono::seconds(5));
  player.window.CheckForRebuild();  // seen, not yet settled
  EXPECT_TRUE(RunWindowUntilShown(player.window, firstSecondSlide, 1));
  player.window.CheckForRebuild();
  EXPECT_TRUE(RunWindowUntilShown(player.window, second.Resized(0), kBootFrames));

  // A rebuild that failed and left no file: the image in memory plays on.
  std::filesystem::remove(first.imagePath());
  player.window.CheckForRebuild();
  player.window.CheckForRebuild();
  player.window.Reload();
  EXPECT_NE(player.window.statusText().indexOf("Still playing"), -1);
  player.window.AdvanceFrames(20);
  EXPECT_EQ(Differences(PaintedScreen(player.window), second.Resized(0)), 0);
  // A file being written whose header is not there yet is left until it is.
  std::filesystem::copy_file(second.imagePath(), first.imagePath());
  std::vector<uint8_t> unfinished = ReadAllBytes(first.imagePath());
  std::fill(unfinished.begin() + 600000, unfinished.begin() + 600014, 0);
  WriteAllBytes(first.imagePath(), unfinished);
  const uint64_t before = player.window.emulator()->framesRun();
  player.window.CheckForRebuild();
  player.window.CheckForRebuild();
  EXPECT_EQ(player.window.emulator()->framesRun(), before);  // not reloaded: same emulator
}

TEST(PlayerWindow, OpeningSomethingThatIsNotAnImageSaysWhyAndKeepsWhatPlays) {
  StillPlayer player(ThreeSlideShow().imagePath());
  player.window.AdvanceFrames(5);
  TempDir dir;
  std::string error;
  EXPECT_FALSE(player.window.Open(dir.file("missing.gba"), error));
  EXPECT_NE(error.find("missing.gba"), std::string::npos);
  EXPECT_EQ(player.window.imagePath(), ThreeSlideShow().imagePath());
  EXPECT_EQ(player.window.emulator()->framesRun(), 5u);
}

}  // namespace
}  // namespace varnel::testing
