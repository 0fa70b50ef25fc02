// Which slide the viewer shows: after boot, under the shoulder keys, by the timer, and
// through the intro.
#include <gtest/gtest.h>

#include "emulator/console_emulator.h"
#include "tests/support/console_run.h"
#include "tests/viewer/viewer_show.h"

namespace varnel::testing {
namespace {

// Frames within which a slide without an effect must be on screen.
constexpr int kBootFrames = 10;
constexpr int kNoEffectFrames = 6;
// Frames of 2^24 / 280896 s: 1000 ms and 3000 ms rounded up to whole frames.
constexpr int kOneSecondFrames = 60;
constexpr int kIntroFrames = 180;

// Presses keys and waits until the slot's resized version is shown.
::testing::AssertionResult PressAndExpect(ConsoleEmulator& emulator, ViewerShow& show,
                                          uint32_t keys, uint32_t slot) {
  testing::Press(emulator, keys);
  if (RunUntilShown(emulator, show.Resized(slot), kNoEffectFrames))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "slide " << slot << " not shown after the keys";
}

TEST(ViewerBoot, ShowsTheFirstSlideResizedAndStaysThere) {
  ViewerShow show;
  show.AddPicture(320, 200);
  show.AddPicture(100, 80);
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  emulator.RunFrames(600);  // no time limit: nothing changes by itself
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(0)), 0);
}

TEST(ViewerKeys, ShouldersStepThroughTheSlidesAndWrapAround) {
  ViewerShow show;
  for (int i = 0; i < 3; ++i) show.AddPicture(200 + 20 * i, 150);
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  EXPECT_TRUE(PressAndExpect(emulator, show, kButtonR, 1));
  EXPECT_TRUE(PressAndExpect(emulator, show, kButtonR, 2));
  EXPECT_TRUE(PressAndExpect(emulator, show, kButtonR, 0));  // past the last: the first
  EXPECT_TRUE(PressAndExpect(emulator, show, kButtonL, 2));  // before the first: the last
  EXPECT_TRUE(PressAndExpect(emulator, show, kButtonL, 1));
  // A shoulder key held down changes the slide once, not once a frame.
  emulator.HoldKeys(kButtonR);
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(2), kNoEffectFrames));
  emulator.RunFrames(30);
  emulator.ReleaseKeys();
  emulator.RunFrames(2);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(2)), 0);
}

TEST(ViewerKeys, ShouldersDoNothingWithoutKeyUse) {
  ViewerShow show;
  show.AddPicture(240, 160);
  show.AddPicture(240, 160);
  show.options().keyUse = 0;
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  testing::Press(emulator, kButtonR);
  emulator.RunFrames(20);
  testing::Press(emulator, kButtonL);
  emulator.RunFrames(20);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(0)), 0);
}

TEST(ViewerTimer, ChangesTheSlideAfterTheStoredTimeToTheFrame) {
  ViewerShow show;
  for (int i = 0; i < 3; ++i) show.AddPicture(240, 160);
  show.options().timeLimit = 1;
  show.options().secondsText = "1";
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  // The slide stays for the whole second: the frame it appeared in and 60 more VBlanks;
  // the next slide is composed while the last of them is drawn and shown in the frame after.
  for (int frame = 1; frame <= kOneSecondFrames; ++frame) {
    emulator.RunFrames(1);
    ASSERT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(0)), 0) << "frame " << frame;
  }
  emulator.RunFrames(1);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(1)), 0);
  // And again from the new slide, then around to the first.
  emulator.RunFrames(kOneSecondFrames + 1);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(2)), 0);
  emulator.RunFrames(kOneSecondFrames + 1);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(0)), 0);
}

TEST(ViewerTimer, BStopsTheTimerAndBAgainRestartsIt) {
  ViewerShow show;
  for (int i = 0; i < 2; ++i) show.AddPicture(240, 160);
  show.options().timeLimit = 1;
  show.options().secondsText = "1";
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  emulator.RunFrames(30);
  testing::Press(emulator, kButtonB);
  emulator.RunFrames(5 * kOneSecondFrames);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(0)), 0);
  // Restarted, the timer gives the slide a full second again.
  testing::Press(emulator, kButtonB);
  emulator.RunFrames(kOneSecondFrames - 5);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(0)), 0);
  EXPECT_TRUE(RunUntilShown(emulator, show.Resized(1), 10));
}

TEST(ViewerTimer, ZeroSecondsMeansNoAutomaticChange) {
  ViewerShow show;
  for (int i = 0; i < 2; ++i) show.AddPicture(240, 160);
  show.options().timeLimit = 1;
  show.options().secondsText = "0";
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  emulator.RunFrames(300);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(0)), 0);
}

TEST(ViewerIntro, ShowsTheIntroPicturesOnceThenLoopsOverTheRest) {
  ViewerShow show;
  for (int i = 0; i < 4; ++i) show.AddPicture(300, 200, kSizingFullSizeOnly);
  show.options().introCountText = "2";
  show.Build();
  // Intro pictures get only their resized version, whatever their sizing says.
  EXPECT_EQ(show.Image().record(0).fullSizeData, 0u);
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  emulator.RunFrames(kIntroFrames - 10);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(0)), 0);
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(1), 20));
  ASSERT_TRUE(RunUntilShown(emulator, show.FullSize(2, 30, 20), kIntroFrames + 10));
  // The show proper: slides 2 and 3 only.
  testing::Press(emulator, kButtonR);
  ASSERT_TRUE(RunUntilShown(emulator, show.FullSize(3, 30, 20), kNoEffectFrames));
  testing::Press(emulator, kButtonR);
  ASSERT_TRUE(RunUntilShown(emulator, show.FullSize(2, 30, 20), kNoEffectFrames));
  testing::Press(emulator, kButtonL);
  ASSERT_TRUE(RunUntilShown(emulator, show.FullSize(3, 30, 20), kNoEffectFrames));
}

TEST(ViewerIntro, RMovesOnBeforeTheIntroTimeIsUp) {
  ViewerShow show;
  for (int i = 0; i < 3; ++i) show.AddPicture(240, 160);
  show.options().introCountText = "1";
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  EXPECT_TRUE(PressAndExpect(emulator, show, kButtonR, 1));
}

TEST(ViewerIntro, AShowOfIntroPicturesOnlyEndsWithAMessage) {
  ViewerShow show;
  for (int i = 0; i < 2; ++i) show.AddPicture(240, 160);
  show.options().introCountText = "5";
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(1), kIntroFrames + 10));
  emulator.RunFrames(kIntroFrames + 10);
  const Screen15 screen = testing::Screen15Of(emulator);
  EXPECT_NE(Differences(screen, show.Resized(1)), 0);
  EXPECT_NE(Differences(screen, show.Resized(0)), 0);
  EXPECT_TRUE(IsTextOnBlack(screen));
}

}  // namespace
}  // namespace varnel::testing
