#include "document/picture_row.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::Rgb;
using testing::TempDir;

TEST(FileNameOfPath, SplitsAtTheLastSlashOrBackslash) {
  EXPECT_EQ(FileNameOfPath("C:\\pics\\a.png"), "a.png");
  EXPECT_EQ(FileNameOfPath("/home/u/pics/b.jpg"), "b.jpg");
  EXPECT_EQ(FileNameOfPath("D:\\Shows/mixed\\x.png"), "x.png");
  EXPECT_EQ(FileNameOfPath("plain.bmp"), "plain.bmp");
  EXPECT_EQ(FileNameOfPath("dir/"), "");
  EXPECT_EQ(FileNameOfPath(""), "");
}

TEST(MakePictureRow, MakesTheSixColumnsOfALoadedPicture) {
  TempDir dir;
  const std::string path = dir.file("a.bmp");
  testing::WriteBmp24(path, 64, 48, [](int x, int y) { return Rgb{uint8_t(x), uint8_t(y), 7}; });

  const MakeRowResult made = MakePictureRow(path, 2, 5, "Hello\r\nthere");
  ASSERT_TRUE(made.ok());
  EXPECT_EQ(made.row.fileName, "a.bmp");
  EXPECT_EQ(made.row.effectLabel, "(05) Zoom In");
  EXPECT_EQ(made.row.sizingLabel, "(02) Resized Only (240x160)");
  EXPECT_EQ(made.row.sizeText, "64x48 (24Bits)");
  EXPECT_EQ(made.row.path, path);
  EXPECT_EQ(made.row.caption, "Hello\r\nthere");
}

TEST(MakePictureRow, SizeTextGivesTheLoadedDepth) {
  TempDir dir;
  const std::string path = dir.file("p.bmp");
  auto surface = testing::MakeSurface8(10, 6, {{0, 0, 0}, {255, 255, 255}},
                                       [](int x, int) { return uint8_t(x & 1); });
  testing::SaveBmp(surface.get(), path);
  const MakeRowResult made = MakePictureRow(path, 0, 0, "");
  ASSERT_TRUE(made.ok());
  EXPECT_EQ(made.row.sizeText, "10x6 (8Bits)");
  EXPECT_EQ(made.row.effectLabel, "(00) No Effect");
  EXPECT_EQ(made.row.sizingLabel, "(00) Both");

  // A phone's portrait, stored 32 x 24 on its side, is 24 x 32 as shown; a CMYK JPEG and a
  // 16-bit BMP keep the depth of their files.
  EXPECT_EQ(MakePictureRow(testing::TestDataPath("orientation-6.jpg"), 0, 0, "").row.sizeText,
            "24x32 (24Bits)");
  EXPECT_EQ(MakePictureRow(testing::TestDataPath("cmyk-adobe.jpg"), 0, 0, "").row.sizeText,
            "32x24 (32Bits)");
  EXPECT_EQ(MakePictureRow(testing::TestDataPath("bmp16.bmp"), 0, 0, "").row.sizeText,
            "16x12 (16Bits)");
}

TEST(MakePictureRow, RefusesMissingPicturesAndIndicesOutsideTheTables) {
  TempDir dir;
  const std::string path = dir.file("a.bmp");
  testing::WriteBmp24(path, 4, 4, [](int, int) { return Rgb{1, 2, 3}; });
  testing::WriteAllBytes(dir.file("broken.png"), {0x89, 'P', 'N', 'G', 0, 0});

  const MakeRowResult missing = MakePictureRow(dir.file("none.bmp"), 0, 0, "");
  EXPECT_EQ(missing.error, RowError::kPictureNotLoaded);
  EXPECT_EQ(missing.failure, "the picture could not be loaded (No such file or directory)");
  EXPECT_EQ(MakePictureRow(dir.file("broken.png"), 0, 0, "").error, RowError::kPictureNotLoaded);
  EXPECT_EQ(MakePictureRow(path, 0, 9, "").error, RowError::kEffectIndexOutOfRange);
  EXPECT_EQ(MakePictureRow(path, 0, -1, "").error, RowError::kEffectIndexOutOfRange);
  EXPECT_EQ(MakePictureRow(path, 3, 0, "").error, RowError::kSizingIndexOutOfRange);
  EXPECT_EQ(MakePictureRow(path, 65535, 0, "").error, RowError::kSizingIndexOutOfRange);
  EXPECT_TRUE(MakePictureRow(path, 2, 8, "").ok());
}

// A build's rows: the same texts and index checks, the size from the header, no loading.
TEST(MakeUnloadedPictureRow, KeepsTheIndexRulesAndTakesTheSizeFromTheHeader) {
  TempDir dir;
  const std::string path = dir.file("a.bmp");
  testing::WriteBmp24(path, 64, 48, [](int, int) { return Rgb{1, 2, 3}; });
  const MakeRowResult made = MakeUnloadedPictureRow(path, 2, 5, "Hi");
  ASSERT_TRUE(made.ok());
  EXPECT_EQ(made.row.fileName, "a.bmp");
  EXPECT_EQ(made.row.effectLabel, "(05) Zoom In");
  EXPECT_EQ(made.row.sizingLabel, "(02) Resized Only (240x160)");
  EXPECT_EQ(made.row.caption, "Hi");
  EXPECT_EQ(made.row.pictureWidth, 64);
  EXPECT_EQ(made.row.pictureHeight, 48);
  EXPECT_EQ(made.row.sizeText, "");

  const MakeRowResult portrait =
      MakeUnloadedPictureRow(testing::TestDataPath("orientation-6.jpg"), 0, 0, "");
  EXPECT_EQ(portrait.row.pictureWidth, 24);
  EXPECT_EQ(portrait.row.pictureHeight, 32);
  // A picture that is not there is the build's to leave out; its size is not known.
  const MakeRowResult missing = MakeUnloadedPictureRow(dir.file("none.jpg"), 0, 0, "");
  ASSERT_TRUE(missing.ok());
  EXPECT_EQ(missing.row.pictureWidth, 0);
  EXPECT_EQ(MakeUnloadedPictureRow(path, 0, 9, "").error, RowError::kEffectIndexOutOfRange);
  EXPECT_EQ(MakeUnloadedPictureRow(path, 3, 0, "").error, RowError::kSizingIndexOutOfRange);
}

}  // namespace
}  // namespace varnel
