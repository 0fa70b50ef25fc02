// The transition effects: each ends on exactly the new picture, well under a second, with
// frames in between that belong to neither picture; unknown effects act as none; and no
// frame of a change is torn.
#include <gtest/gtest.h>

#include <iostream>
#include <set>

#include "emulator/console_emulator.h"
#include "tests/support/console_run.h"
#include "tests/viewer/viewer_show.h"

namespace varnel::testing {
namespace {

constexpr int kBootFrames = 10;
// "Well under a second": at most three quarters of the console's 59.7 frames a second.
constexpr int kEffectBudgetFrames = 45;
constexpr int kEffectIndexOffset = 20;  // of `effect` in a picture record
constexpr double kFramesPerSecond = 16777216.0 / 280896.0;

struct Change {
  int frames = -1;          // from the frame the key went down to the new picture shown
  int framesBetween = 0;    // frames that showed neither picture
  int distinctBetween = 0;  // different screens among those
};

// Presses R on a show standing on `from` and follows the screen until `to` is shown.
Change FollowChange(ConsoleEmulator& emulator, const Screen15& from, const Screen15& to) {
  Change change;
  std::set<Screen15> seen;
  emulator.HoldKeys(kButtonR);
  for (int frame = 1; frame <= 2 * kEffectBudgetFrames; ++frame) {
    emulator.RunFrames(1);
    emulator.ReleaseKeys();
    const Screen15 screen = testing::Screen15Of(emulator);
    if (Differences(screen, to) == 0) {
      change.frames = frame;
      break;
    }
    if (Differences(screen, from) != 0) {
      ++change.framesBetween;
      seen.insert(screen);
    }
  }
  change.distinctBetween = static_cast<int>(seen.size());
  return change;
}

class ViewerEffect : public ::testing::TestWithParam<int> {};

TEST_P(ViewerEffect, EndsOnExactlyTheNewPictureWellUnderASecond) {
  const int effect = GetParam();
  ViewerShow show;
  show.AddPicture(240, 160);
  show.AddPicture(320, 240, kSizingBoth, effect);
  show.AddPicture(100, 60, kSizingFullSizeOnly, effect);  // centred on black
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));

  const Change change = FollowChange(emulator, show.Resized(0), show.Resized(1));
  ASSERT_GT(change.frames, 0) << "effect " << effect << " never showed the new picture";
  EXPECT_LE(change.frames, kEffectBudgetFrames);
  if (effect == 0) {
    EXPECT_EQ(change.framesBetween, 0);
  } else {
    // Smooth: most frames of the effect show a new step of it.
    EXPECT_GE(change.framesBetween, 6);
    EXPECT_GE(change.distinctBetween * 4, change.framesBetween);
  }
  std::cout << "effect " << effect << ": " << change.frames << " frames from R to the new slide, "
            << change.distinctBetween << " steps over " << change.framesBetween << " frames ("
            << (change.framesBetween
                    ? change.distinctBetween * kFramesPerSecond / change.framesBetween
                    : 0.0)
            << " steps a second)\n";

  // Into a picture smaller than the screen, and the picture stays put afterwards.
  const Change second = FollowChange(emulator, show.Resized(1), show.FullSize(2));
  ASSERT_GT(second.frames, 0);
  EXPECT_LE(second.frames, kEffectBudgetFrames);
  emulator.RunFrames(30);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.FullSize(2)), 0);
}

INSTANTIATE_TEST_SUITE_P(AllNine, ViewerEffect, ::testing::Range(0, 9));

TEST(ViewerEffects, AnEffectNumberWithoutAnEffectActsAsNone) {
  // 255 comes from an effect override that selects nothing; 9 only from a damaged file.
  ViewerShow show;
  show.AddPicture(240, 160);
  show.AddPicture(240, 160);
  show.AddPicture(240, 160);
  show.options().effectOverride = 1;
  show.options().effectOverrideIndex = -1;
  show.Build();
  ASSERT_EQ(show.Image().record(1).effect, 255);
  show.Patch(kTableOffset + kRecordBytes * 2 + kEffectIndexOffset, {9});
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  for (uint32_t slot : {1u, 2u}) {
    const Change change = FollowChange(emulator, show.Resized(slot - 1), show.Resized(slot));
    ASSERT_GT(change.frames, 0);
    EXPECT_LE(change.frames, 3);
    EXPECT_EQ(change.framesBetween, 0);
  }
}

// Two plain colours: any frame mixing rows of different steps shows up as a screen that
// is not one colour.
bool IsOneColour(const Screen15& screen) {
  for (const uint16_t pixel : screen)
    if (pixel != screen[0]) return false;
  return true;
}

// Rows of one colour each; a row split between two steps would not be.
bool RowsAreWhole(const Screen15& screen) {
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 1; x < kScreenWidth; ++x)
      if (screen[y * kScreenWidth + x] != screen[y * kScreenWidth]) return false;
  return true;
}

TEST(ViewerEffects, NoFrameOfAChangeIsTorn) {
  for (int effect = 0; effect <= 8; ++effect) {
    SCOPED_TRACE("effect " + std::to_string(effect));
    ViewerShow show;
    show.AddPicture(240, 160, [](int, int) { return Rgb{250, 40, 40}; });
    show.AddPicture(
        240, 160,
        [](int, int) {
          return Rgb{30, 90, 250};
        },
        kSizingBoth, effect);
    show.Build();
    ConsoleEmulator emulator(show.imagePath());
    ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
    testing::Press(emulator, kButtonR);
    for (int frame = 0; frame < kEffectBudgetFrames; ++frame) {
      emulator.RunFrames(1);
      const Screen15 screen = testing::Screen15Of(emulator);
      // Blends and fades change the whole screen at once; the others move whole rows,
      // except the zoom, whose growing picture cuts rows by design.
      if (effect == 0 || effect >= 6) {
        ASSERT_TRUE(IsOneColour(screen)) << "frame " << frame;
      } else if (effect != 5) {
        ASSERT_TRUE(RowsAreWhole(screen)) << "frame " << frame;
      }
    }
    EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(1)), 0);
  }
}

}  // namespace
}  // namespace varnel::testing
