// The cartridge meter below the list, the selected row's cost, Fit to Cartridge and the
// refusal to build a show that does not fit, for shows of 1920 x 1080 photographs (each
// 4228800 bytes with thumbnails: 4147200 full size, 76800 resized, 4800 thumbnail).
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/ui/window_model_fixture.h"

namespace varnel {
namespace {

class CartridgeMeterTest : public testing::WindowTest {
 protected:
  // Rows of small pictures that the meter takes for photographs of the given size.
  void AddPhotos(int count, int width = 1920, int height = 1080) {
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(dlg.AddRow(Picture("p" + std::to_string(dlg.RowCount()) + ".bmp"), 0, 0, ""));
      dlg.document().rows.back().pictureWidth = width;
      dlg.document().rows.back().pictureHeight = height;
    }
  }
  const CartridgeMeter& Meter() const { return dlg.cartridgeMeter(); }
};

TEST_F(CartridgeMeterTest, FollowsRowsOptionsAndSelection) {
  // The template and the picture table alone: 632032 bytes.
  EXPECT_EQ(Meter().text, "Cartridge: 0.6 of 32 MiB");
  EXPECT_EQ(Meter().fillPermille, 18);
  EXPECT_FALSE(Meter().over);

  AddPhotos(7);
  Click(kIdHelpScreen, 1);  // any input shows the rows' cost
  EXPECT_EQ(Meter().text, "Cartridge: 28.8 of 32 MiB");
  EXPECT_FALSE(Meter().over);
  EXPECT_EQ(Meter().rowCost, "");

  AddPhotos(1);
  dlg.SetListSelection(2, 2);
  Dispatch(Notification::kItemChanged, kIdPictureList);
  EXPECT_EQ(Meter().text, "Cartridge: 32.9 of 32 MiB, 1 picture over");
  EXPECT_TRUE(Meter().over);
  EXPECT_EQ(Meter().fillPermille, 1000);
  EXPECT_EQ(Meter().rowCost, "4.0 MiB: full size 4.0, resized 0.073, thumbnail 0.005");

  // A check box counts as soon as it is clicked.
  Click(kIdThumbnails, 0);
  EXPECT_EQ(Meter().text, "Cartridge: 32.8 of 32 MiB, 1 picture over");
  EXPECT_EQ(Meter().rowCost, "4.0 MiB: full size 4.0, resized 0.073");
  // Two intro pictures take only their 240 x 160 version.
  Type(kIdIntroCount, "2");
  EXPECT_EQ(Meter().text, "Cartridge: 24.9 of 32 MiB");
  EXPECT_EQ(Meter().rowCost, "4.0 MiB: full size 4.0, resized 0.073");
  dlg.SetListSelection(1, 1);
  Dispatch(Notification::kItemChanged, kIdPictureList);
  EXPECT_EQ(Meter().rowCost, "0.073 MiB: resized 0.073");

  // A picture deleted since its row was made is left out by a build: the next input
  // shows the show without it. With thumbnails again: 632032 bytes, two intro pictures of
  // 76800 and five photographs of 4228800, 21929632 bytes (eight rows would take 26158432).
  std::filesystem::remove(dlg.document().rows[0].path);
  Click(kIdThumbnails, 1);
  EXPECT_EQ(Meter().text, "Cartridge: 20.9 of 32 MiB");
}

TEST_F(CartridgeMeterTest, FitToCartridgeResizesTheLargestUntilTheShowFitsAndBuildRefusesBefore) {
  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(300, 0xAB));
  AddPhotos(6);
  AddPhotos(1, 4000, 3000);  // 24000000 bytes at full size
  AddPhotos(1, 3000, 2000);  // 12000000
  Click(kIdHelpScreen, 1);
  EXPECT_EQ(Meter().text, "Cartridge: 59.3 of 32 MiB, 2 pictures over");

  Dispatch(Notification::kCommand, kCmdBuildSlideShow);
  EXPECT_FALSE(std::filesystem::exists(work.file("slide.gba")));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_TRUE(platform.messages[0].text.starts_with("The show does not fit into a cartridge"))
      << platform.messages[0].text;

  // The 4000 x 3000 picture alone is not enough; the 3000 x 2000 one goes too.
  Dispatch(Notification::kCommand, kCmdFitToCartridge);
  for (int row = 0; row < 8; ++row) {
    EXPECT_EQ(dlg.document().rows[static_cast<std::size_t>(row)].sizingLabel,
              row >= 6 ? "(02) Resized Only (240x160)" : "(00) Both")
        << row;
  }
  EXPECT_EQ(Meter().text, "Cartridge: 25.0 of 32 MiB");
  EXPECT_EQ(dlg.statusText(), "Fit to Cartridge: 2 pictures are now Resized Only.");
  EXPECT_TRUE(dlg.modified());

  // A show that fits is left alone.
  Dispatch(Notification::kCommand, kCmdFitToCartridge);
  EXPECT_EQ(platform.messages.size(), 1u);
}

}  // namespace
}  // namespace varnel
