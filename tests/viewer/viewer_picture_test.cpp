// How a slide's picture is shown: the resized version, the full-size version centred or
// scrolled, and the switch between the two.
#include <gtest/gtest.h>

#include "builder/first_screen.h"
#include "emulator/console_emulator.h"
#include "tests/support/console_run.h"
#include "tests/viewer/viewer_show.h"

namespace varnel::testing {
namespace {

constexpr int kBootFrames = 10;

TEST(ViewerFullSize, ScrollsWithTheDpadToTheBottomRightCorner) {
  ViewerShow show;
  show.AddPicture(400, 300, kSizingFullSizeOnly);
  show.Build();
  const SlideRecord record = show.Image().record(0);
  const int maxX = record.width - kScreenWidth;
  const int maxY = record.height - kScreenHeight;
  ConsoleEmulator emulator(show.imagePath());
  // A picture larger than the screen starts with its middle in view.
  ASSERT_TRUE(RunUntilShown(emulator, show.FullSize(0, maxX / 2, maxY / 2), kBootFrames));
  emulator.HoldKeys(kButtonDown | kButtonRight);
  emulator.RunFrames(60);
  emulator.ReleaseKeys();
  emulator.RunFrames(2);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.FullSize(0, maxX, maxY)), 0);
  // Held further, the window stays at the corner.
  emulator.HoldKeys(kButtonDown | kButtonRight);
  emulator.RunFrames(10);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.FullSize(0, maxX, maxY)), 0);
  emulator.HoldKeys(kButtonUp | kButtonLeft);
  emulator.RunFrames(80);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.FullSize(0, 0, 0)), 0);
}

TEST(ViewerFullSize, EveryScrolledFrameIsAWholeWindow) {
  ViewerShow show;
  show.AddPicture(480, 160, kSizingFullSizeOnly);
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.FullSize(0, 120, 0), kBootFrames));
  // No frame may show two windows at once (a tear): each is one scroll position.
  emulator.HoldKeys(kButtonRight);
  int position = 120;
  for (int frame = 0; frame < 40; ++frame) {
    emulator.RunFrames(1);
    const Screen15 screen = testing::Screen15Of(emulator);
    while (position <= 240 && Differences(screen, show.FullSize(0, position, 0)) != 0) ++position;
    ASSERT_LE(position, 240) << "frame " << frame << " is no single window";
  }
  EXPECT_EQ(position, 240);
}

TEST(ViewerFullSize, ASmallPictureIsCentredOnBlack) {
  ViewerShow show;
  show.AddPicture(100, 60, kSizingFullSizeOnly);
  show.AddPicture(400, 100, kSizingFullSizeOnly);  // wide: scrolls across, centred down
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.FullSize(0), kBootFrames));
  emulator.HoldKeys(kButtonDown | kButtonRight);  // nothing to scroll
  emulator.RunFrames(10);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.FullSize(0)), 0);
  emulator.ReleaseKeys();
  testing::Press(emulator, kButtonR);
  ASSERT_TRUE(RunUntilShown(emulator, show.FullSize(1, 80, 0), kBootFrames));
  emulator.HoldKeys(kButtonDown | kButtonLeft);
  emulator.RunFrames(40);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.FullSize(1, 0, 0)), 0);
}

TEST(ViewerFullSize, ASwitchesBetweenTheResizedAndTheFullSizeVersion) {
  ViewerShow show;
  show.AddPicture(320, 240, kSizingBoth);
  show.AddPicture(320, 240, kSizingResizedOnly);
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  testing::Press(emulator, kButtonA);
  ASSERT_TRUE(RunUntilShown(emulator, show.FullSize(0, 40, 40), 4));
  emulator.HoldKeys(kButtonUp | kButtonLeft);
  emulator.RunFrames(20);
  emulator.ReleaseKeys();
  EXPECT_TRUE(RunUntilShown(emulator, show.FullSize(0, 0, 0), 4));
  testing::Press(emulator, kButtonA);
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), 4));
  // A slide with one version has nothing to switch to.
  testing::Press(emulator, kButtonR);
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(1), kBootFrames));
  testing::Press(emulator, kButtonA);
  emulator.RunFrames(4);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(1)), 0);
}

TEST(ViewerFullSize, ASlideWithNoPictureSaysSoAndTheShowGoesOn) {
  // A sizing override that selects nothing stores neither version of a picture.
  ViewerShow show;
  show.AddPicture(240, 160);
  show.AddPicture(240, 160);
  show.options().sizingOverride = 1;
  show.options().sizingOverrideIndex = -1;
  show.options().introCountText = "1";  // the intro picture still gets its resized version
  show.Build();
  ASSERT_EQ(show.Image().record(1).resizedData, 0u);
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  testing::Press(emulator, kButtonR);
  emulator.RunFrames(4);
  EXPECT_TRUE(IsTextOnBlack(testing::Screen15Of(emulator)));
}

// The editor's preview "as on console" is the screen the viewer shows first of each
// slide: the 240 x 160 version in its fit, or the full-size version centred or through a
// window in its middle, the intro picture included.
TEST(ViewerFirstScreen, IsWhatTheEditorPredictsForEveryKindOfSlide) {
  ViewerShow show;
  show.options().introCountText = "1";
  show.AddPicture(300, 100, kSizingFullSizeOnly);  // an intro picture: resized only
  show.AddPicture(100, 300);                       // Stretch refuses its resized version
  show.AddPicture(100, 300);
  show.AddPicture(300, 100, kSizingResizedOnly);
  show.AddPicture(402, 300, kSizingFullSizeOnly);  // 400 wide: a window in its middle
  show.AddPicture(100, 60, kSizingFullSizeOnly);   // centred on black
  const Fit fits[] = {kFitWholePicture, kFitStretch, kFitFillScreen,
                      kFitWholePicture, kFitStretch, kFitStretch};
  SlideshowDocument& document = show.document();
  for (std::size_t i = 0; i < document.rows.size(); ++i)
    document.rows[i].fitLabel = std::string(kFitLabels[fits[i]]);
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  for (std::size_t i = 0; i < document.rows.size(); ++i) {
    const std::optional<ScreenPixels> expected =
        FirstScreenOfRow(document.options, document.rows[i], i);
    ASSERT_TRUE(expected.has_value());
    ASSERT_TRUE(RunUntilShown(emulator, *expected, kBootFrames)) << "slide " << i;
    testing::Press(emulator, kButtonR);
  }
  // Spelled out for two of them: the portrait picture in full size through the middle
  // 160 rows, and the small one centred.
  EXPECT_EQ(*FirstScreenOfRow(document.options, document.rows[1], 1), show.FullSize(1, 0, 70));
  EXPECT_EQ(*FirstScreenOfRow(document.options, document.rows[5], 5), show.FullSize(5));
}

}  // namespace
}  // namespace varnel::testing
