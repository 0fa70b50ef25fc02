// What the viewer shows over or instead of a slide: captions, the help screen and the
// thumbnail chooser.
#include <gtest/gtest.h>

#include "emulator/console_emulator.h"
#include "tests/support/console_run.h"
#include "tests/viewer/viewer_show.h"

namespace varnel::testing {
namespace {

constexpr int kBootFrames = 10;
constexpr int kKeyFrames = 4;  // for a key's effect to reach the screen
constexpr uint16_t kWhite = 0x7FFF;

struct Box {
  int left = kScreenWidth, top = kScreenHeight, right = -1, bottom = -1;
  bool empty() const { return right < 0; }
};

// The smallest rectangle holding every pixel in which the screens differ.
Box DifferenceBox(const Screen15& a, const Screen15& b) {
  Box box;
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      if (a[y * kScreenWidth + x] == b[y * kScreenWidth + x]) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

// True when every channel of the shown pixel is that of the picture's pixel less level/16
// of itself (to the rounding of the display, one step either way).
bool IsDarkened(uint16_t shown, uint16_t under, int level) {
  for (int shift : {0, 5, 10}) {
    const int c = (under >> shift) & 0x1F;
    const int expected = c - c * level / 16;
    if (std::abs(((shown >> shift) & 0x1F) - expected) > 1) return false;
  }
  return true;
}

// A caption over a picture: a box at the bottom, centred, holding white text (with a
// black shadow) on the picture darkened; everything outside the box is the picture.
::testing::AssertionResult ShowsCaptionOver(const Screen15& screen, const Screen15& picture) {
  const Box box = DifferenceBox(screen, picture);
  if (box.empty()) return ::testing::AssertionFailure() << "no caption on screen";
  if (box.bottom < kScreenHeight - 12 || std::abs(box.left + box.right - 239) > 2)
    return ::testing::AssertionFailure() << "caption box not at the bottom centre";
  int text = 0;
  for (int y = box.top; y <= box.bottom; ++y) {
    for (int x = box.left; x <= box.right; ++x) {
      const uint16_t shown = screen[y * kScreenWidth + x];
      const uint16_t under = picture[y * kScreenWidth + x];
      if (shown == kWhite) {
        ++text;
      } else if (shown != 0) {
        // Neither text nor its shadow: the picture, darkened.
        bool darkened = false;
        for (int level = 6; level <= 12 && !darkened; ++level)
          darkened = IsDarkened(shown, under, level);
        if (!darkened)
          return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is not darkened";
      }
    }
  }
  if (text < 30) return ::testing::AssertionFailure() << "hardly any text in the box";
  return ::testing::AssertionSuccess();
}

// Bands of rows with ink in them: the lines of a text screen.
int TextLines(const Screen15& screen) {
  int lines = 0;
  bool inLine = false;
  for (int y = 0; y < kScreenHeight; ++y) {
    bool ink = false;
    for (int x = 0; x < kScreenWidth && !ink; ++x) ink = screen[y * kScreenWidth + x] != 0;
    if (ink && !inLine) ++lines;
    inLine = ink;
  }
  return lines;
}

TEST(ViewerCaption, SelectShowsAndHidesTheCaptionOverThePicture) {
  ViewerShow show;
  show.AddPicture(240, 160, kSizingBoth, 0, "Hello,\r\nworld! \xC9t\xE9 \xE0 Z\xFCrich.");
  show.AddPicture(320, 240, kSizingFullSizeOnly, 0, "A second caption");
  show.AddPicture(240, 160);  // no caption
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));

  testing::Press(emulator, kButtonSelect);
  emulator.RunFrames(kKeyFrames);
  EXPECT_TRUE(ShowsCaptionOver(testing::Screen15Of(emulator), show.Resized(0)));
  testing::Press(emulator, kButtonSelect);
  EXPECT_TRUE(RunUntilShown(emulator, show.Resized(0), kKeyFrames));

  // Once on, captions stay on from slide to slide, and a slide without one shows none.
  testing::Press(emulator, kButtonSelect);
  testing::Press(emulator, kButtonR);
  emulator.RunFrames(kKeyFrames);
  EXPECT_TRUE(ShowsCaptionOver(testing::Screen15Of(emulator), show.FullSize(1, 40, 40)));
  // The caption stays in place while the picture scrolls under it.
  emulator.HoldKeys(kButtonUp | kButtonLeft);
  emulator.RunFrames(20);
  emulator.ReleaseKeys();
  emulator.RunFrames(2);
  EXPECT_TRUE(ShowsCaptionOver(testing::Screen15Of(emulator), show.FullSize(1, 0, 0)));
  testing::Press(emulator, kButtonR);
  EXPECT_TRUE(RunUntilShown(emulator, show.Resized(2), kKeyFrames));
  emulator.RunFrames(10);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(2)), 0);
}

TEST(ViewerCaption, NothingToShowWithoutTextDisplay) {
  ViewerShow show;
  show.AddPicture(240, 160, kSizingBoth, 0, "Not stored");
  show.options().textDisplay = 0;
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  testing::Press(emulator, kButtonSelect);
  emulator.RunFrames(kKeyFrames);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(0)), 0);
}

TEST(ViewerHelp, StartShowsTheKeysInForceAndBGoesBack) {
  ViewerShow show;
  show.AddPicture(240, 160);
  show.AddPicture(240, 160);
  show.options().thumbnails = 0;
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  testing::Press(emulator, kButtonStart);
  emulator.RunFrames(kKeyFrames);
  const Screen15 help = testing::Screen15Of(emulator);
  EXPECT_TRUE(IsTextOnBlack(help));
  // Keys other than the way back do nothing here.
  testing::Press(emulator, kButtonR);
  emulator.RunFrames(kKeyFrames);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), help), 0);
  testing::Press(emulator, kButtonB);
  EXPECT_TRUE(RunUntilShown(emulator, show.Resized(0), kKeyFrames));
  // Without thumbnails, Start on the help screen goes back as well.
  testing::Press(emulator, kButtonStart);
  emulator.RunFrames(kKeyFrames);
  testing::Press(emulator, kButtonStart);
  EXPECT_TRUE(RunUntilShown(emulator, show.Resized(0), kKeyFrames));

  // The same show without the shoulder keys lists two keys fewer (R and L).
  ViewerShow fewerKeys;
  fewerKeys.AddPicture(240, 160);
  fewerKeys.AddPicture(240, 160);
  fewerKeys.options().thumbnails = 0;
  fewerKeys.options().keyUse = 0;
  fewerKeys.Build();
  ConsoleEmulator other(fewerKeys.imagePath());
  ASSERT_TRUE(RunUntilShown(other, fewerKeys.Resized(0), kBootFrames));
  testing::Press(other, kButtonStart);
  other.RunFrames(kKeyFrames);
  EXPECT_TRUE(IsTextOnBlack(testing::Screen15Of(other)));
  EXPECT_EQ(TextLines(testing::Screen15Of(other)), TextLines(help) - 2);
}

TEST(ViewerHelp, StartDoesNothingWhenTheShowHasNoHelpScreenNorThumbnails) {
  ViewerShow show;
  show.AddPicture(240, 160);
  show.options().helpScreen = 0;
  show.options().thumbnails = 0;
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  testing::Press(emulator, kButtonStart);
  emulator.RunFrames(kKeyFrames);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), show.Resized(0)), 0);
}

// The thumbnails of a page without the cells under the cursor's frame: those cells are
// compared inside the frame only.
int ChooserDifferences(const Screen15& screen, const Screen15& thumbnails, int cursorCell) {
  constexpr int kFrame = 3;
  int count = 0;
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      const int cell = (y / kThumbnailHeight) * 4 + x / kThumbnailWidth;
      const int inX = x % kThumbnailWidth;
      const int inY = y % kThumbnailHeight;
      const bool underFrame =
          cell == cursorCell && (inX < kFrame || inY < kFrame || inX >= kThumbnailWidth - kFrame ||
                                 inY >= kThumbnailHeight - kFrame);
      if (!underFrame && screen[y * kScreenWidth + x] != thumbnails[y * kScreenWidth + x]) ++count;
    }
  }
  return count;
}

TEST(ViewerChooser, ShowsTheThumbnailsAndJumpsToTheChosenSlide) {
  ViewerShow show;
  for (int i = 0; i < 6; ++i) show.AddPicture(200, 140);
  show.options().helpScreen = 0;
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  testing::Press(emulator, kButtonStart);
  emulator.RunFrames(kKeyFrames);
  const Screen15 grid = show.Thumbnails(0, 6);
  EXPECT_EQ(ChooserDifferences(testing::Screen15Of(emulator), grid, 0), 0);
  EXPECT_NE(Differences(testing::Screen15Of(emulator), grid), 0);  // the cursor's frame
  testing::Press(emulator, kButtonRight);
  testing::Press(emulator, kButtonRight);
  emulator.RunFrames(kKeyFrames);
  EXPECT_EQ(ChooserDifferences(testing::Screen15Of(emulator), grid, 2), 0);
  testing::Press(emulator, kButtonA);
  EXPECT_TRUE(RunUntilShown(emulator, show.Resized(2), kKeyFrames));
  // B leaves the chooser without a change.
  testing::Press(emulator, kButtonStart);
  emulator.RunFrames(kKeyFrames);
  EXPECT_EQ(ChooserDifferences(testing::Screen15Of(emulator), grid, 2), 0);
  testing::Press(emulator, kButtonDown);
  testing::Press(emulator, kButtonB);
  EXPECT_TRUE(RunUntilShown(emulator, show.Resized(2), kKeyFrames));
}

TEST(ViewerChooser, ShouldersTurnPagesAndTheHelpScreenLeadsThere) {
  ViewerShow show;
  for (int i = 0; i < 21; ++i) show.AddPicture(120, 80, kSizingResizedOnly);
  show.options().introCountText = "1";  // the intro picture has no thumbnail
  show.Build();
  ConsoleEmulator emulator(show.imagePath());
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(0), kBootFrames));
  testing::Press(emulator, kButtonR);
  ASSERT_TRUE(RunUntilShown(emulator, show.Resized(1), kKeyFrames));
  testing::Press(emulator, kButtonStart);  // help screen
  emulator.RunFrames(kKeyFrames);
  EXPECT_TRUE(IsTextOnBlack(testing::Screen15Of(emulator)));
  testing::Press(emulator, kButtonStart);  // on to the chooser, the first page: slides 1-16
  emulator.RunFrames(kKeyFrames);
  EXPECT_EQ(ChooserDifferences(testing::Screen15Of(emulator), show.Thumbnails(1, 16), 0), 0);
  testing::Press(emulator, kButtonR);  // second page: slides 17-20, the rest black
  emulator.RunFrames(kKeyFrames);
  EXPECT_EQ(ChooserDifferences(testing::Screen15Of(emulator), show.Thumbnails(17, 4), 0), 0);
  testing::Press(emulator, kButtonRight);
  testing::Press(emulator, kButtonA);
  EXPECT_TRUE(RunUntilShown(emulator, show.Resized(18), kKeyFrames));
  testing::Press(emulator, kButtonStart);
  emulator.RunFrames(kKeyFrames);
  testing::Press(emulator, kButtonStart);
  emulator.RunFrames(kKeyFrames);
  testing::Press(emulator, kButtonL);  // pages wrap around: back to the first
  emulator.RunFrames(kKeyFrames);
  EXPECT_EQ(ChooserDifferences(testing::Screen15Of(emulator), show.Thumbnails(1, 16), 1), 0);
}

}  // namespace
}  // namespace varnel::testing
