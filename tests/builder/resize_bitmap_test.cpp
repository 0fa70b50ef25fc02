#include "builder/resize_bitmap.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "builder/bitmap_info.h"
#include "builder/resampler.h"
#include "tests/builder/conversion_fixtures.h"
#include "tests/support/picture_conversion.h"

namespace varnel {
namespace {

using testing::EnlargeRgb24;
using testing::ResizeBitmap;
using testing::ShrinkRgb24;

using testing::RandomBitmap;

TEST(ResizeBitmap, RefusesToShrinkOneDimensionWhileTheOtherGrows) {
  EXPECT_FALSE(ResizeBitmap(RandomBitmap(300, 100, 1), 240, 160));
  EXPECT_FALSE(ResizeBitmap(RandomBitmap(100, 300, 1), 240, 160));
  const std::optional<Bitmap> thumbnail = ResizeBitmap(RandomBitmap(300, 100, 1), 60, 40);
  ASSERT_TRUE(thumbnail);
  EXPECT_EQ(thumbnail->width, 60);
  EXPECT_EQ(thumbnail->height, 40);
  // A dimension that stays equal never refuses, whichever way the other goes.
  EXPECT_TRUE(ResizeBitmap(RandomBitmap(240, 100, 1), 240, 160));
  EXPECT_TRUE(ResizeBitmap(RandomBitmap(240, 200, 1), 240, 160));
  EXPECT_TRUE(ResizeBitmap(RandomBitmap(100, 160, 1), 240, 160));
  EXPECT_TRUE(ResizeBitmap(RandomBitmap(300, 160, 1), 240, 160));
  // Nothing to make, or nothing to make it from.
  EXPECT_FALSE(ResizeBitmap(RandomBitmap(30, 20, 1), 0, 40));
  EXPECT_FALSE(ResizeBitmap(RandomBitmap(30, 20, 1), 60, 0));
  EXPECT_FALSE(ResizeBitmap(Bitmap{}, 60, 40));
}

TEST(ResizeBitmap, GivesThePassResultsWithZeroPadding) {
  for (const auto& [sw, sh, w, h] : {std::tuple{301, 97, 60, 40}, std::tuple{243, 100, 240, 100},
                                     std::tuple{45, 30, 240, 160}, std::tuple{45, 30, 45, 30}}) {
    const Bitmap source = RandomBitmap(sw, sh, 2);  // its padding bytes hold 0xEE
    Bitmap expected{w, h, std::vector<uint8_t>(Bitmap::StrideOf(w) * h, 0)};
    if (w <= sw && h <= sh)
      ShrinkRgb24(source.rows.data(), sw, sh, expected.rows.data(), w, h);
    else
      EnlargeRgb24(source.rows.data(), sw, sh, expected.rows.data(), w, h);

    const std::optional<Bitmap> resized = ResizeBitmap(source, w, h);
    ASSERT_TRUE(resized);
    EXPECT_EQ(resized->rows, expected.rows) << sw << "x" << sh << " -> " << w << "x" << h;
  }
}

// Several sizes of one source at once: each is made, refused or given back as a resize of
// its own would be, into bitmaps whose old buffers and padding are reused.
TEST(ResizeBitmapsInto, MakesEachSizeAsItsOwnResize) {
  const Bitmap source = RandomBitmap(300, 200, 4);
  const std::vector<std::pair<uint16_t, uint16_t>> sizes = {
      {240, 160}, {60, 40}, {300, 200}, {301, 250}, {400, 100}, {0, 40}, {299, 199}};
  std::vector<Bitmap> outs(sizes.size(), RandomBitmap(7, 9, 5));
  std::vector<ResizeTarget> targets;
  for (std::size_t i = 0; i < sizes.size(); ++i)
    targets.push_back({sizes[i].first, sizes[i].second, &outs[i]});
  ResizeBitmapsInto(source, targets);
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const auto [w, h] = sizes[i];
    const std::optional<Bitmap> alone = ResizeBitmap(source, w, h);
    ASSERT_EQ(targets[i].made, alone.has_value()) << w << "x" << h;
    if (!alone) continue;
    EXPECT_EQ(outs[i].width, w);
    EXPECT_EQ(outs[i].height, h);
    EXPECT_EQ(outs[i].rows, alone->rows) << w << "x" << h;
  }
  EXPECT_FALSE(targets[4].made);  // 400 x 100 would widen and flatten at once
}

TEST(MakeRgb24Header, DescribesABottomUpRowBuffer) {
  const std::optional<BitmapInfoHeader> header = MakeRgb24Header(5, 3);
  ASSERT_TRUE(header);
  BitmapInfoHeader expected;
  expected.biWidth = 5;
  expected.biHeight = 3;
  expected.biBitCount = 24;
  expected.biSizeImage = 16 * 3;  // 15 bytes of pixels padded to 16
  EXPECT_EQ(*header, expected);
  EXPECT_EQ(header->biSize, 40U);
  EXPECT_EQ(header->biPlanes, 1);
  // Rows beyond what a BMP file's 32-bit size can hold cannot be described.
  EXPECT_FALSE(MakeRgb24Header(65535, 65535));
  EXPECT_FALSE(ResizeBitmap(RandomBitmap(4, 4, 3), 65535, 65535));
}

}  // namespace
}  // namespace varnel
