// Runs the varnel-play executable as a script would: exit status, messages, the PNG.
#include <gtest/gtest.h>
#include <sys/stat.h>

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

// Images are read and screenshots written as the other programs do: ordinary files only,
// never waiting, the screenshot never over the image it is made from.
TEST(VarnelPlay, ReadsAndWritesOnlyOrdinaryFilesWithoutWaiting) {
  ViewerShow show;
  show.AddPicture(240, 160);
  show.Build();
  TempDir dir;
  const std::string fifo = dir.file("pipe.gba");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string limit = "timeout 30";  // a run that waits shows as status 124

  RunResult run = RunPlay({fifo, "--frames", "5", "--screenshot", dir.file("a.png")}, limit);
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_TRUE(Mentions(run.output, "pipe.gba: it is not an ordinary file")) << run.output;

  run = RunPlay({dir.path().string(), "--frames", "5", "--screenshot", dir.file("b.png")}, limit);
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_TRUE(Mentions(run.output, "Is a directory")) << run.output;

  run = RunPlay({show.imagePath(), "--frames", "5", "--screenshot", fifo}, limit);
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_TRUE(Mentions(run.output, "pipe.gba could not be written: it is not an ordinary file"))
      << run.output;

  // The image itself, by another name.
  const std::vector<uint8_t> image = ReadAllBytes(show.imagePath());
  std::filesystem::create_symlink(show.imagePath(), dir.file("same.png"));
  run = RunPlay({show.imagePath(), "--frames", "5", "--screenshot", dir.file("same.png")}, limit);
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_TRUE(Mentions(run.output, "is the same file as the image")) << run.output;
  EXPECT_EQ(ReadAllBytes(show.imagePath()), image);

  // A value after '=', and a link to a screenshot not made yet.
  std::filesystem::create_symlink("shots/first.png", dir.file("link.png"));
  std::filesystem::create_directory(dir.file("shots"));
  run = RunPlay({show.imagePath(), "--frames=40", "--screenshot=" + dir.file("link.png")}, limit);
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.png")));
  EXPECT_EQ(Differences(ScreenOfPng(dir.file("shots/first.png")), show.Resized(0)), 0);
  EXPECT_EQ(std::filesystem::directory_iterator(dir.file("shots"))->path().filename(), "first.png");
}

TEST(VarnelPlay, MessagesAreEscapedAndLostOutputFailsTheRun) {
  TempDir dir;
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string said;
  };
  const std::vector<Case> cases = {
      {{dir.file("x\x1b[2J.gba"), "--frames", "5", "--screenshot", dir.file("y.png")},
       1,
       "x\\x1b[2J.gba"},
      {{"--frames=\x1b[2J", "x.gba"}, 2, "not \"\\x1b[2J\""},
      {{"--bogus\x1b[2J", "x.gba"}, 2, "unknown option --bogus\\x1b[2J"},
  };
  for (const Case& c : cases) {
    const RunResult run = RunPlay(c.arguments);
    EXPECT_EQ(run.status, c.status) << run.output;
    EXPECT_TRUE(Mentions(run.output, c.said)) << run.output;
    EXPECT_EQ(run.output.find('\x1b'), std::string::npos) << run.output;
  }

  RunResult run;
  run = RunShellCommand("(" + ShellQuote(VARNEL_PLAY_EXECUTABLE) + " --help 2>&1 >/dev/full)");
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_TRUE(Mentions(run.output, "could not write to standard output")) << run.output;
}

}  // namespace
}  // namespace varnel::testing
