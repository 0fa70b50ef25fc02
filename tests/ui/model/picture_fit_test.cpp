// The fit of the selected picture, SlideShow > Fit All Pictures, and the preview "As on
// Console".
#include <gtest/gtest.h>

#include <array>

#include "tests/ui/window_model_fixture.h"

namespace varnel {
namespace {

constexpr int kFitChoice = 1043;
constexpr int kAsOnConsole = 1044;
constexpr int kFitAllWholePicture = 32793;
constexpr int kFitAllFillScreen = 32794;

class PictureFitTest : public testing::WindowTest {
 protected:
  // A portrait picture of one colour, 100 x 300: Stretch gives it no 240 x 160 version.
  std::string Portrait(const std::string& name) {
    return testing::WriteBmp24(work.file(name), 100, 300, [](int, int) {
      return testing::Rgb{200, 100, 50};
    });
  }
  void Select(int row) {
    dlg.SetListSelection(row, row);
    dlg.Dispatch(Notification::kItemChanged, kIdPictureList);
  }
  void ChooseFit(int index) {
    dlg.SetComboIndex(kFitChoice, index);
    dlg.Dispatch(Notification::kSelChange, kFitChoice);
  }
  // Blue, green, red of the preview's pixel (x, y) from the top-left.
  std::array<uint8_t, 3> Shown(int x, int y) const {
    const uint8_t* pixel = dlg.previewArea().picture()->PixelFromTop(x, y);
    return {pixel[0], pixel[1], pixel[2]};
  }
};

// (200, 100, 50) on the console: 5-bit 25, 12, 6, shown widened as 206, 99, 49.
constexpr std::array<uint8_t, 3> kOnConsole = {49, 99, 206};
constexpr std::array<uint8_t, 3> kBlack = {0, 0, 0};

TEST_F(PictureFitTest, TheFitChoiceEditsTheSelectedRowAndTheShowFollows) {
  EXPECT_FALSE(Enabled(kFitChoice));  // no rows yet
  ASSERT_TRUE(dlg.AddRow(Portrait("tall.bmp"), 0, 0, ""));
  ASSERT_TRUE(dlg.AddRow(Portrait("other.bmp"), 0, 0, ""));
  Click(kIdTextDisplay, 1);  // runs the enabling rules
  EXPECT_TRUE(Enabled(kFitChoice));
  Select(0);
  EXPECT_EQ(dlg.control(kFitChoice).comboIndex, 0);
  EXPECT_EQ(dlg.cartridgeMeter().rowCost.find("resized"), std::string::npos);
  const std::string meterBefore = dlg.cartridgeMeter().text;
  const bool modifiedBefore = dlg.modified();

  ChooseFit(1);
  EXPECT_EQ(dlg.document().rows[0].fitLabel, "(01) Whole Picture");
  EXPECT_EQ(dlg.document().rows[1].fitLabel, "(00) Stretch");
  EXPECT_TRUE(dlg.modified());
  // The 240 x 160 version Stretch refused now counts: 76800 bytes.
  EXPECT_NE(dlg.cartridgeMeter().rowCost.find("resized 0.073"), std::string::npos)
      << dlg.cartridgeMeter().rowCost;
  EXPECT_NE(dlg.cartridgeMeter().text, meterBefore);

  // Selecting the other row shows its own fit; going back shows this one's.
  Select(1);
  EXPECT_EQ(dlg.control(kFitChoice).comboIndex, 0);
  Select(0);
  EXPECT_EQ(dlg.control(kFitChoice).comboIndex, 1);
  ChooseFit(0);
  EXPECT_EQ(dlg.modified(), modifiedBefore);
  EXPECT_EQ(dlg.cartridgeMeter().text, meterBefore);
}

TEST_F(PictureFitTest, FitAllPicturesSetsOneFitOnEveryRowAtOnce) {
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
    ASSERT_TRUE(dlg.AddRow(Portrait(name), 0, 0, "", kFitStretch));
  dlg.document().rows[1].fitLabel = "(01) Whole Picture";
  Select(2);
  dlg.Dispatch(Notification::kCommand, kFitAllFillScreen);
  for (const PictureEntry& row : dlg.document().rows) EXPECT_EQ(row.fitLabel, "(02) Fill Screen");
  EXPECT_EQ(dlg.control(kFitChoice).comboIndex, 2);
  EXPECT_TRUE(dlg.modified());
  // A later edit of the selected row keeps the fit the command set.
  dlg.SetComboIndex(kIdEffectChoice, 4);
  dlg.Dispatch(Notification::kSelChange, kIdEffectChoice);
  EXPECT_EQ(dlg.document().rows[2].fitLabel, "(02) Fill Screen");
  EXPECT_EQ(dlg.document().rows[2].effectLabel, "(04) Scanlines 2 ways");

  // With no row selected too.
  dlg.SetListSelection(-1, -1);
  dlg.Dispatch(Notification::kItemChanged, kIdPictureList);
  dlg.Dispatch(Notification::kCommand, kFitAllWholePicture);
  for (const PictureEntry& row : dlg.document().rows) EXPECT_EQ(row.fitLabel, "(01) Whole Picture");
}

TEST_F(PictureFitTest, AsOnConsoleShowsTheSelectedPictureAsTheConsoleShowsItFirst) {
  ASSERT_TRUE(dlg.AddRow(Portrait("tall.bmp"), 0, 0, "", kFitWholePicture));
  Select(0);
  // Off: the picture itself, its middle 100 x 160.
  ASSERT_TRUE(dlg.previewArea().picture().has_value());
  EXPECT_EQ(dlg.previewArea().picture()->width, 100);

  Click(kAsOnConsole, 1);
  ASSERT_TRUE(dlg.previewArea().picture().has_value());
  EXPECT_EQ(dlg.previewArea().picture()->width, 240);
  EXPECT_EQ(dlg.previewArea().picture()->height, 160);
  // Whole Picture: 53 x 160 at x 93, black on both sides.
  for (const int y : {0, 80, 159}) {
    EXPECT_EQ(Shown(92, y), kBlack);
    EXPECT_EQ(Shown(93, y), kOnConsole);
    EXPECT_EQ(Shown(145, y), kOnConsole);
    EXPECT_EQ(Shown(146, y), kBlack);
  }
  // The preview follows the fit: Fill Screen leaves no black.
  ChooseFit(2);
  EXPECT_EQ(Shown(0, 0), kOnConsole);
  EXPECT_EQ(Shown(239, 159), kOnConsole);
  // Stretch makes no 240 x 160 version of it: the console shows the full size, the middle
  // 160 rows centred across.
  ChooseFit(0);
  EXPECT_EQ(Shown(69, 80), kBlack);
  EXPECT_EQ(Shown(70, 80), kOnConsole);
  EXPECT_EQ(Shown(169, 80), kOnConsole);
  EXPECT_EQ(Shown(170, 80), kBlack);

  // A build shows its conversions in the preview; afterwards the console's screen again.
  ChooseFit(1);
  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(300, 0xAB));
  dlg.Dispatch(Notification::kCommand, kCmdBuildSlideShow);
  ASSERT_TRUE(dlg.previewArea().picture().has_value());
  EXPECT_EQ(Shown(92, 10), kBlack);
  EXPECT_EQ(Shown(93, 10), kOnConsole);

  Click(kAsOnConsole, 0);
  ASSERT_TRUE(dlg.previewArea().picture().has_value());
  EXPECT_EQ(dlg.previewArea().picture()->width, 100);
}

}  // namespace
}  // namespace varnel
