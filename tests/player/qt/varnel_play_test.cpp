// Runs the varnel-play executable as a script would: exit status, messages, the PNG.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "tests/support/test_support.h"
#include "tests/viewer/viewer_show.h"

namespace varnel::testing {
namespace {

RunResult RunPlay(const std::vector<std::string>& arguments, const std::string& environment = "") {
  std::string command = environment + " " + ShellQuote(VARNEL_PLAY_EXECUTABLE);
  for (const std::string& argument : arguments) command += " " + ShellQuote(argument);
  return RunShellCommand(command);
}

// A PNG of the console screen as 15-bit pixels: the top five bits of each channel.
Screen15 ScreenOfPng(const std::string& path) {
  const QImage image(QString::fromStdString(path));
  Screen15 screen;
  if (image.width() != 240 || image.height() != 160) return screen;
  for (int y = 0; y < 160; ++y) {
    for (int x = 0; x < 240; ++x) {
      const QRgb pixel = image.pixel(x, y);
      screen.push_back(static_cast<uint16_t>((qRed(pixel) >> 3) | (qGreen(pixel) >> 3) << 5 |
                                             (qBlue(pixel) >> 3) << 10));
    }
  }
  return screen;
}

TEST(VarnelPlay, WritesTheScreenAfterNFramesWithTheKeysPressed) {
  ViewerShow show;
  for (int i = 0; i < 3; ++i) show.AddPicture(240, 160);
  show.Build();
  TempDir out;
  const std::string still = out.file("still.png");
  RunResult run = RunPlay({show.imagePath(), "--frames", "40", "--screenshot", still});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, "");
  EXPECT_EQ(Differences(ScreenOfPng(still), show.Resized(0)), 0);
  EXPECT_EQ(ScreenOfPng(still).size(), 240u * 160u);

  const std::string twice = out.file("twice.png");
  run = RunPlay({show.imagePath(), "--frames", "60", "--press", "12:R", "--press", "30:r",
                 "--screenshot", twice});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(ScreenOfPng(twice).size(), 240u * 160u);
  EXPECT_EQ(Differences(ScreenOfPng(twice), show.Resized(2)), 0);
}

TEST(VarnelPlay, SaysWhyItFailedAndWritesNothing) {
  TempDir dir;
  const std::string shot = dir.file("shot.png");
  RunResult run = RunPlay({dir.file("missing.gba"), "--frames", "5", "--screenshot", shot});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("missing.gba"), std::string::npos) << run.output;
  EXPECT_FALSE(std::filesystem::exists(shot));

  run = RunPlay({dir.file("missing.gba"), "--frames", "5", "--press", "2:Q", "--screenshot", shot});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("2:Q"), std::string::npos) << run.output;

  ViewerShow show;
  show.AddPicture(240, 160);
  show.Build();
  run = RunPlay({show.imagePath(), "--frames", "5", "--screenshot", dir.file("no/dir/shot.png")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("no/dir/shot.png"), std::string::npos) << run.output;

  // No display for the window: said at once, no hang.
  run = RunPlay({show.imagePath()}, "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("no display"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace varnel::testing
