// SlideShow > Play with the real builder, the real viewer and the real player window.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>

#include "app/model/app_commands.h"
#include "app/qt/qt_app_platform.h"
#include "builder/build_slideshow.h"
#include "tests/app/fake_platforms.h"
#include "tests/support/console_run.h"
#include "tests/support/test_support.h"
#include "ui/qt/main_window.h"

namespace varnel {
namespace {

using testing::ModelWindowPlatform;
using testing::ProfileValues;
using testing::TempDir;

class PlayWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (InstalledTemplatePath().empty()) GTEST_SKIP() << "the viewer is not built";
    window.emplace(work.workDirectory(), profile);
    dialog.AttachPlatform(*window);
    dialog.OnInitDialog();
    commands.emplace(dialog, platform);
  }
  // Play, and the window's event loop until a build it began has ended.
  void Play() {
    ASSERT_TRUE(dialog.Dispatch(Notification::kCommand, kCmdPlay));
    ASSERT_TRUE(window->tasks.RunUntil([this] { return !dialog.busy(); }));
  }
  std::string Image() const { return work.workDirectory() + "slide.gba"; }
  void AddPicture(uint8_t red) {
    const std::string path = testing::WriteBmp24(work.file("p" + std::to_string(red) + ".bmp"), 240,
                                                 160, [red](int x, int) {
                                                   return testing::Rgb{red, uint8_t(x), 40};
                                                 });
    ASSERT_TRUE(dialog.AddRow(path, 0, 0, ""));
  }

  TempDir work;
  ProfileValues profile;
  std::optional<ModelWindowPlatform> window;
  QtAppPlatform platform{EmulatorSearchPlaces{}};
  CSlideshowDlg dialog;
  std::optional<AppCommands> commands;
};

TEST_F(PlayWindowTest, BuildsThenPlaysTheImageInOnePlayerWindowThatFollowsRebuilds) {
  AddPicture(200);
  Play();
  PlayerWindow* player = platform.player();
  ASSERT_NE(player, nullptr);
  EXPECT_TRUE(player->isVisible());
  // The player's own image; the work folder gets none.
  const std::string image = player->imagePath();
  EXPECT_NE(image, Image());
  EXPECT_FALSE(std::filesystem::exists(Image()));
  player->SetPaused(true);
  player->AdvanceFrames(20);
  ConsoleEmulator alone(image);
  alone.RunFrames(20);
  EXPECT_EQ(testing::Screen15Of(*player->emulator()), testing::Screen15Of(alone));

  // Unchanged: the same window plays on.
  Play();
  EXPECT_EQ(platform.player(), player);
  EXPECT_EQ(player->emulator()->framesRun(), 20u);

  // Changed: built again and played from the start in the same window.
  dialog.DeleteRow(0);
  AddPicture(30);
  Play();
  EXPECT_EQ(platform.player(), player);
  EXPECT_EQ(player->emulator()->framesRun(), 0u);
  player->AdvanceFrames(20);
  ConsoleEmulator rebuilt(image);
  rebuilt.RunFrames(20);
  EXPECT_EQ(testing::Screen15Of(*player->emulator()), testing::Screen15Of(rebuilt));
  EXPECT_NE(testing::Screen15Of(rebuilt), testing::Screen15Of(alone));

  // Closed, then Play again: open from the start.
  player->close();
  player->AdvanceFrames(5);
  Play();
  EXPECT_TRUE(player->isVisible());
  EXPECT_EQ(player->emulator()->framesRun(), 0u);
  EXPECT_TRUE(window->messages.empty());
  EXPECT_FALSE(std::filesystem::exists(Image()));
}

TEST(PlayMenu, SlideShowMenuHasPlayWithCtrlP) {
  CSlideshowDlg dialog;
  MainWindow window(dialog);
  QMenu* slideShow = window.menuBar()->actions()[1]->menu();
  ASSERT_NE(slideShow, nullptr);
  QStringList texts;
  for (QAction* action : slideShow->actions()) texts << action->text();
  EXPECT_EQ(texts, (QStringList{"&Build SlideShow", "&Start SlideShow", "&Play",
                                "&Fit to Cartridge", "Fit &All Pictures"}));
  EXPECT_EQ(window.commandAction(kCmdPlay)->shortcut(), QKeySequence("Ctrl+P"));
}

}  // namespace
}  // namespace varnel
