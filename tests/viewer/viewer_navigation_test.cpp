#include <gtest/gtest.h>

#include "tests/viewer/gba_emulator.h"
#include "tests/viewer/viewer_show.h"

namespace varnel::testing {
namespace {

constexpr int kBootFrames = 10;

TEST(ViewerBoot, ShowsTheFirstSlideResized) {
  ViewerShow show;
  show.AddPicture(320, 200);
  show.AddPicture(100, 80);
  show.Build();
  GbaEmulator emulator(show.imagePath());
  const auto frames = RunUntilShown(emulator, show.Resized(0), kBootFrames);
  ASSERT_TRUE(frames.has_value());
  emulator.RunFrames(120);
  EXPECT_EQ(Differences(emulator.Screen(), show.Resized(0)), 0);
}

}  // namespace
}  // namespace varnel::testing
