// Two builds at once in one folder (two scripts, or a script beside the editor) each
// give exactly the image they give alone.
#include <gtest/gtest.h>

#include "tests/cli/builder_process.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::ReadAllBytes;
using testing::Rgb;
using testing::TempDir;

constexpr int kRounds = 3;

TEST(ConcurrentBuilds, TwoBuildsInOneFolderEachGiveTheirSoloImage) {
  TempDir dir;
  testing::WriteAllBytes(dir.file("Src.res"), testing::FakeViewerProgram(3000, 0x11));
  // Two shows of several pictures each, so that the builds overlap picture by picture.
  std::vector<std::string> red, blue;
  for (int i = 0; i < 6; ++i) {
    red.push_back(testing::WriteBmp24(dir.file("red" + std::to_string(i) + ".bmp"), 320 + i * 8,
                                      200, [i](int x, int) {
                                        return Rgb{uint8_t(x + i), 0, 0};
                                      }));
    blue.push_back(testing::WriteBmp24(dir.file("blue" + std::to_string(i) + ".bmp"), 250 + i * 4,
                                       170, [i](int, int y) {
                                         return Rgb{0, 0, uint8_t(y + i)};
                                       }));
  }
  const auto withOutput = [](std::vector<std::string> pictures, const std::string& output) {
    pictures.insert(pictures.end(), {"-o", output});
    return pictures;
  };
  ASSERT_EQ(testing::WaitForBuilder(testing::StartBuilder(dir, withOutput(red, "red.gba"))), 0);
  ASSERT_EQ(testing::WaitForBuilder(testing::StartBuilder(dir, withOutput(blue, "blue.gba"))), 0);
  const std::vector<uint8_t> soloRed = ReadAllBytes(dir.file("red.gba"));
  const std::vector<uint8_t> soloBlue = ReadAllBytes(dir.file("blue.gba"));
  const std::vector<std::string> filesAfterSolo = testing::FileNamesIn(dir);

  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    const pid_t first = testing::StartBuilder(dir, withOutput(red, "red.gba"));
    const pid_t second = testing::StartBuilder(dir, withOutput(blue, "blue.gba"));
    EXPECT_EQ(testing::WaitForBuilder(first), 0);
    EXPECT_EQ(testing::WaitForBuilder(second), 0);
    EXPECT_TRUE(ReadAllBytes(dir.file("red.gba")) == soloRed);
    EXPECT_TRUE(ReadAllBytes(dir.file("blue.gba")) == soloBlue);
    EXPECT_EQ(testing::FileNamesIn(dir), filesAfterSolo);
  }
}

}  // namespace
}  // namespace varnel
