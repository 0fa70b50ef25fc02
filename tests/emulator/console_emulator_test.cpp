#include "emulator/console_emulator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/console_run.h"
#include "tests/viewer/viewer_show.h"

namespace varnel::testing {
namespace {

constexpr int kBootFrames = 10;
constexpr int kNoEffectFrames = 6;

std::string MessageOf(const std::string& imagePath) {
  try {
    ConsoleEmulator emulator(imagePath);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "";
}

TEST(ConsoleEmulator, AnImageThatCannotBeReadGivesAMessageNamingIt) {
  TempDir dir;
  const std::string missing = dir.file("missing.gba");
  EXPECT_NE(MessageOf(missing).find(missing), std::string::npos);
  const std::string empty = dir.file("empty.gba");
  std::ofstream(empty).close();
  const std::string message = MessageOf(empty);
  EXPECT_NE(message.find(empty), std::string::npos);
  EXPECT_NE(message.find("empty"), std::string::npos);
  EXPECT_NE(MessageOf(dir.path().string()), "");  // a directory
}

TEST(ConsoleEmulator, TheScreenReadsAsFifteenBitAndAsWidenedRgb) {
  ViewerShow show;
  // 8-bit channels 0x80, 0x40, 0x08 keep their top five bits: 16, 8 and 1.
  show.AddPicture(240, 160, [](int, int) { return Rgb{0x80, 0x40, 0x08}; });
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  emulator.RunFrames(kBootFrames);
  EXPECT_EQ(emulator.framesRun(), 10u);
  const Screen15 screen = testing::Screen15Of(emulator);
  const ScreenRgb rgb = emulator.ScreenAsRgb();
  ASSERT_EQ(screen.size(), 240u * 160u);
  ASSERT_EQ(rgb.size(), 240u * 160u);
  for (const std::size_t i : {std::size_t{0}, std::size_t{240 * 80 + 120}, screen.size() - 1}) {
    EXPECT_EQ(screen[i], 0x0510) << i;  // 16 | 8 << 5 | 1 << 10
    // Each channel widened as (c << 3) | (c >> 2).
    EXPECT_EQ(rgb[i], 0xFF844208u) << i;
  }
}

TEST(ConsoleEmulator, RestartRunsTheImageFromItsStartWithNoKeyHeld) {
  ViewerShow show;
  show.AddPicture(240, 160);
  show.AddPicture(240, 160);
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  testing::Press(emulator, kButtonR);
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(1), kNoEffectFrames));
  emulator.HoldKeys(kButtonR);
  emulator.Restart();
  EXPECT_EQ(emulator.heldKeys(), 0u);
  EXPECT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  emulator.RunFrames(30);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(0)), 0);
}

TEST(ConsoleEmulator, KeepsRunningWhenItsImageFileIsRewrittenOrRemoved) {
  ViewerShow show;
  show.AddPicture(240, 160);
  show.AddPicture(200, 100);
  show.Build();
  const Screen15 second = show.Resized(1);
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  // A rebuild starts by emptying the file; the running image must not notice.
  std::ofstream(show.imagePath(), std::ios::trunc).close();
  testing::Press(emulator, kButtonR);
  EXPECT_TRUE(RunUntilShown(emulator, second, kNoEffectFrames));
  std::filesystem::remove(show.imagePath());
  testing::Press(emulator, kButtonR);
  emulator.RunFrames(kNoEffectFrames);
  EXPECT_NE(Differences(testing::Screen15Of(emulator), second), 0);
}

TEST(ConsoleEmulator, SavesTheScreenAsA240By160Png) {
  ViewerShow show;
  show.AddPicture(240, 160);
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  emulator.RunFrames(kBootFrames);
  TempDir dir;
  const std::string path = dir.file("shot.png");
  emulator.SavePng(path);
  const std::vector<uint8_t> png = ReadAllBytes(path);
  ASSERT_GE(png.size(), 24u);
  const std::vector<uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8), signature);
  // IHDR: width and height as big-endian 32-bit numbers.
  EXPECT_EQ(std::vector<uint8_t>(png.begin() + 16, png.begin() + 24),
            (std::vector<uint8_t>{0, 0, 0, 240, 0, 0, 0, 160}));
  EXPECT_THROW(emulator.SavePng(dir.file("no/such/directory/shot.png")), std::runtime_error);
}

}  // namespace
}  // namespace varnel::testing
