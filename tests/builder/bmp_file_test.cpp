#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "builder/bitmap_info.h"
#include "builder/bmp_format.h"
#include "tests/builder/conversion_fixtures.h"
#include "tests/support/bmp_files.h"

namespace varnel {
namespace {

using testing::EncodeBitmapInfoHeader;
using testing::EncodeBmpFileHeader;
using testing::LoadBmpFile;
using testing::MakeBitmapInfo;
using testing::WriteBmpFile;

using testing::Rgb;
using testing::TempDir;

// A BMP file put together from its parts, for files SDL would not write.
std::vector<uint8_t> BmpBytes(const BitmapInfoHeader& info, const std::vector<uint8_t>& colourTable,
                              const std::vector<uint8_t>& rows) {
  const auto pixelOffset = static_cast<uint32_t>(54 + colourTable.size());
  const auto fileHeader =
      EncodeBmpFileHeader({static_cast<uint32_t>(pixelOffset + rows.size()), pixelOffset});
  const auto infoHeader = EncodeBitmapInfoHeader(info);
  std::vector<uint8_t> bytes(pixelOffset + rows.size());
  auto out = std::copy(fileHeader.begin(), fileHeader.end(), bytes.begin());
  out = std::copy(infoHeader.begin(), infoHeader.end(), out);
  out = std::copy(colourTable.begin(), colourTable.end(), out);
  std::copy(rows.begin(), rows.end(), out);
  return bytes;
}

TEST(WriteBmpFile, WritesTheHeadersAndBottomUpRows) {
  TempDir dir;
  const Bitmap picture{2, 2, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}};
  const std::optional<BitmapInfo> info = MakeBitmapInfo(picture);
  ASSERT_TRUE(info);
  ASSERT_TRUE(WriteBmpFile(dir.file("Sized.bmp"), *info, picture));
  const std::vector<uint8_t> expected = {
      'B', 'M', 70, 0, 0,  0, 0, 0, 0, 0, 54, 0,  0,  0,  // file header
      40,  0,   0,  0, 2,  0, 0, 0, 2, 0, 0,  0,  1,  0,
      24,  0,  // size, width, height, planes, bits
      0,   0,   0,  0, 16, 0, 0, 0, 0, 0, 0,  0,  0,  0,
      0,   0,                        // BI_RGB, image size, resolution
      0,   0,   0,  0, 0,  0, 0, 0,  // colours used and important
      1,   2,   3,  4, 5,  6, 0, 0, 7, 8, 9,  10, 11, 12,
      0,   0};  // bottom row first
  EXPECT_EQ(testing::ReadAllBytes(dir.file("Sized.bmp")), expected);

  // SDL reads it back with the same colours: bottom-left (1, 2, 3) as blue, green, red.
  SurfacePtr back = LoadPicture(dir.file("Sized.bmp")).surface;
  ASSERT_TRUE(back);
  EXPECT_EQ(testing::SurfaceColour(back.get(), 0, 1), (Rgb{3, 2, 1}));
  EXPECT_EQ(testing::SurfaceColour(back.get(), 1, 0), (Rgb{12, 11, 10}));
}

TEST(WriteBmpFile, FailsWithoutLeavingAFileOpen) {
  TempDir dir;
  const Bitmap picture{2, 2, std::vector<uint8_t>(16, 0)};
  const std::optional<BitmapInfo> info = MakeBitmapInfo(picture);
  ASSERT_TRUE(info);
  EXPECT_FALSE(WriteBmpFile(dir.file("missing/Sized.bmp"), *info, picture));
  BitmapInfo eightBit = *MakeBitmapInfoFor(2, 2, 1, 8);
  EXPECT_FALSE(WriteBmpFile(dir.file("Sized.bmp"), eightBit, picture));
  EXPECT_FALSE(WriteBmpFile(dir.file("Sized.bmp"), *info, Bitmap{2, 2, {}}));
}

TEST(MakeBitmapInfo, RoundsTheDepthAndPlacesTheColourTable) {
  struct Case {
    uint16_t bits, depth;
    uint32_t coloursUsed, pixelOffset;
  };
  for (const Case& c :
       {Case{1, 1, 2, 62}, Case{4, 4, 16, 118}, Case{8, 8, 256, 1078},
        Case{16, 16, 65536, 54 + 262144}, Case{24, 24, 0, 54}, Case{32, 32, 0, 54}}) {
    const std::optional<BitmapInfo> info = MakeBitmapInfoFor(5, 3, 1, c.bits);
    ASSERT_TRUE(info);
    EXPECT_EQ(RoundedBitDepth(c.bits), c.depth);
    EXPECT_EQ(info->header.biBitCount, c.bits);
    EXPECT_EQ(info->header.biClrUsed, c.coloursUsed);
    EXPECT_EQ(54 + info->colourTable.size(), c.pixelOffset);
    EXPECT_EQ(info->header.biSizeImage, (5 * c.depth + 31) / 32 * 4 * 3);
  }
  EXPECT_EQ(RoundedBitDepth(0), 4);
  EXPECT_EQ(RoundedBitDepth(2), 4);
  EXPECT_EQ(RoundedBitDepth(5), 8);
  EXPECT_EQ(RoundedBitDepth(12), 16);
  EXPECT_EQ(RoundedBitDepth(20), 24);
  EXPECT_EQ(RoundedBitDepth(25), 32);
  // The bitmap's own bits go into the header; the colour table follows the rounded depth.
  EXPECT_EQ(MakeBitmapInfoFor(5, 3, 1, 2)->header.biBitCount, 2);
  EXPECT_EQ(MakeBitmapInfoFor(5, 3, 1, 2)->header.biClrUsed, 16U);
  EXPECT_FALSE(MakeBitmapInfo(Bitmap{}));
}

// The files SDL writes for Sized.bmp: 8 bits with a palette, or 24 bits.
TEST(LoadBmpFile, ReadsTheTestPicturesWithTheColoursSdlGives) {
  for (const char* name : {"picture-8bit.bmp", "picture-24bit.bmp"}) {
    const std::string path = testing::TestDataPath(name);
    const std::optional<Bitmap> bitmap = LoadBmpFile(path);
    SurfacePtr surface = LoadPicture(path).surface;
    ASSERT_TRUE(bitmap && surface) << name;
    ASSERT_EQ(bitmap->width, surface->w);
    ASSERT_EQ(bitmap->height, surface->h);
    for (int y = 0; y < surface->h; ++y)
      for (int x = 0; x < surface->w; ++x)
        ASSERT_EQ(testing::BitmapColour(*bitmap, x, y), testing::SurfaceColour(surface.get(), x, y))
            << name << " " << x << "," << y;
  }
}

TEST(LoadBmpFile, ReadsPackedPalettesAndTopDownRows) {
  TempDir dir;
  BitmapInfoHeader info;
  info.biWidth = 3;
  info.biHeight = -2;  // top-down
  info.biBitCount = 4;
  info.biClrUsed = 2;
  // Indices 0 1 5 / 1 0 0; index 5 lies past the two-colour palette.
  testing::WriteAllBytes(dir.file("four.bmp"), BmpBytes(info, {10, 20, 30, 0, 40, 50, 60, 0},
                                                        {0x01, 0x50, 0, 0, 0x10, 0x00, 0, 0}));
  const std::optional<Bitmap> bitmap = LoadBmpFile(dir.file("four.bmp"));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(testing::BitmapColour(*bitmap, 0, 0), (Rgb{30, 20, 10}));
  EXPECT_EQ(testing::BitmapColour(*bitmap, 1, 0), (Rgb{60, 50, 40}));
  EXPECT_EQ(testing::BitmapColour(*bitmap, 2, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(testing::BitmapColour(*bitmap, 0, 1), (Rgb{60, 50, 40}));
  EXPECT_EQ(testing::BitmapColour(*bitmap, 2, 1), (Rgb{30, 20, 10}));

  info.biHeight = 1;
  info.biBitCount = 1;
  info.biClrUsed = 0;  // the full two entries
  testing::WriteAllBytes(dir.file("one.bmp"),
                         BmpBytes(info, {0, 0, 0, 0, 255, 255, 255, 0}, {0xA0, 0, 0, 0}));
  const std::optional<Bitmap> mono = LoadBmpFile(dir.file("one.bmp"));
  ASSERT_TRUE(mono);
  EXPECT_EQ(testing::BitmapColour(*mono, 0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(testing::BitmapColour(*mono, 1, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(testing::BitmapColour(*mono, 2, 0), (Rgb{255, 255, 255}));

  info.biWidth = 2;
  info.biBitCount = 32;
  testing::WriteAllBytes(dir.file("x.bmp"), BmpBytes(info, {}, {1, 2, 3, 99, 4, 5, 6, 99}));
  const std::optional<Bitmap> wide = LoadBmpFile(dir.file("x.bmp"));
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->rows, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 0, 0}));
}

TEST(LoadBmpFile, RefusesFilesItCannotRead) {
  TempDir dir;
  const std::vector<uint8_t> good =
      testing::ReadAllBytes(testing::TestDataPath("picture-24bit.bmp"));
  ASSERT_TRUE(LoadBmpFile(testing::TestDataPath("picture-24bit.bmp")));
  EXPECT_FALSE(LoadBmpFile(dir.file("none.bmp")));
  EXPECT_FALSE(LoadBmpFile(dir.path().string()));  // a directory

  const auto refused = [&](std::vector<uint8_t> bytes) {
    testing::WriteAllBytes(dir.file("bad.bmp"), bytes);
    return !LoadBmpFile(dir.file("bad.bmp"));
  };
  EXPECT_TRUE(refused({good.begin(), good.end() - 1}));  // one byte short
  EXPECT_TRUE(refused({good.begin(), good.begin() + 20}));
  std::vector<uint8_t> bytes = good;
  bytes[0] = 'X';
  EXPECT_TRUE(refused(bytes));
  bytes = good;
  bytes[30] = 1;  // run-length compressed
  EXPECT_TRUE(refused(bytes));
  bytes = good;
  bytes[18] = bytes[19] = bytes[20] = bytes[21] = 0;  // width 0
  EXPECT_TRUE(refused(bytes));
  bytes = good;
  bytes[28] = 16;  // 16 bits per pixel
  EXPECT_TRUE(refused(bytes));
  // Colour masks (BI_BITFIELDS) are not a kind SDL writes.
  EXPECT_TRUE(refused(testing::ReadAllBytes(testing::TestDataPath("picture-32bit.bmp"))));
}

}  // namespace
}  // namespace varnel
