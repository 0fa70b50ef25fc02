#include "builder/resampler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "builder/shrink_kernels.h"
#include "builder/shrink_plan.h"
#include "builder/top_down_shrink.h"
#include "builder/weight_table.h"
#include "tests/builder/conversion_fixtures.h"
#include "tests/support/picture_conversion.h"

namespace varnel {
namespace {

using testing::EnlargeRgb24;
using testing::ShrinkRgb24;

using testing::ChannelAt;
using testing::MakeBitmap;
using testing::RandomBitmap;

// Every path's kernel, on this processor's instructions and on the portable stand-ins
// that a processor without them runs: none is skipped on any machine.
struct NamedKernel {
  std::string name;
  ShrinkKernel kernel;
};
std::vector<NamedKernel> EveryKernel() {
  std::vector<NamedKernel> kernels;
  for (const auto& [path, name] :
       {std::pair{ShrinkPath::kPortable, "portable"}, std::pair{ShrinkPath::kAvx2, "AVX2"},
        std::pair{ShrinkPath::kAvx512, "AVX-512"}}) {
    kernels.push_back({std::string(name), ShrinkKernelOf(path)});
    kernels.push_back({std::string(name) + " stand-ins", StandInKernelOf(path)});
  }
  return kernels;
}

void ShrinkWith(const ShrinkKernel& kernel, const BitmapView& source, Bitmap& out) {
  const ShrinkDestination destination{out.rows.data(), out.stride(), out.width, out.height};
  ShrinkViewIntoWith(kernel, source, std::span<const ShrinkDestination>(&destination, 1));
}

Bitmap Blank(int width, int height) {
  return MakeBitmap(width, height, [](int, int, int) { return uint8_t{0}; });
}

Bitmap Shrunk(const Bitmap& source, int width, int height) {
  Bitmap out = Blank(width, height);
  ShrinkRgb24(source.rows.data(), source.width, source.height, out.rows.data(), width, height);
  return out;
}

Bitmap Enlarged(const Bitmap& source, int width, int height) {
  Bitmap out = Blank(width, height);
  EnlargeRgb24(source.rows.data(), source.width, source.height, out.rows.data(), width, height);
  return out;
}

// A row of grey-free pixels: channel c of pixel x is values[c][x].
Bitmap Row(const std::vector<std::vector<uint8_t>>& values) {
  return MakeBitmap(static_cast<int>(values[0].size()), 1,
                    [&](int x, int, int c) { return values[static_cast<std::size_t>(c)][x]; });
}

std::vector<uint8_t> Channel(const Bitmap& bitmap, int c) {
  std::vector<uint8_t> out;
  for (int x = 0; x < bitmap.width; ++x) out.push_back(ChannelAt(bitmap, x, 0, c));
  return out;
}

// The shrinking walk exactly as the format describes it, one source pixel at a time with
// up to four additions, each stored as float at once. Valid below 10000 pixels.
Bitmap ReferenceShrink(const Bitmap& source, int width, int height) {
  const WeightTable xTable = BuildWeightTable(source.width, width, true);
  const WeightTable yTable = BuildWeightTable(source.height, height, true);
  const auto spills = [](float w1) { return w1 > kSpillThreshold; };
  const auto advances = [](float w1) { return std::fabs(w1) > kSpillThreshold; };
  const auto add = [](float& sum, double weight, uint8_t v) {
    sum = static_cast<float>(static_cast<double>(sum) + weight * static_cast<double>(v));
  };
  Bitmap out = Blank(width, height);
  std::vector<float> a(static_cast<std::size_t>(width + 1) * 3), b(a.size());
  int i = 0;
  for (int r = 0; r < source.height && i < height; ++r) {
    const double y0 = yTable.pairs[r].w0, y1 = yTable.pairs[r].w1;
    int j = 0;
    for (int x = 0; j < width; ++x) {
      const double x0 = xTable.pairs[x].w0, x1 = xTable.pairs[x].w1;
      for (int c = 0; c < 3; ++c) {
        const uint8_t v = ChannelAt(source, x, r, c);
        add(a[j * 3 + c], y0 * x0, v);
        if (spills(x1)) add(a[(j + 1) * 3 + c], y0 * x1, v);
        if (spills(y1)) {
          add(b[j * 3 + c], y1 * x0, v);
          if (spills(x1)) add(b[(j + 1) * 3 + c], y1 * x1, v);
        }
      }
      if (advances(x1)) ++j;
    }
    if (advances(y1)) {
      for (int k = 0; k < width * 3; ++k)
        out.rows[static_cast<std::size_t>(i) * out.stride() + k] =
            static_cast<uint8_t>(static_cast<int32_t>(a[k]));
      a.swap(b);
      std::fill(b.begin(), b.end(), 0.0F);
      ++i;
    }
  }
  return out;
}

// Area average in double: source pixel x covers [x W, (x + 1) W) and destination pixel j
// covers [j sw, (j + 1) sw) on a line of sw x W units, and likewise along y.
double BoxAverage(const Bitmap& source, int width, int height, int j, int i, int c) {
  const auto overlap = [](int64_t lo1, int64_t hi1, int64_t lo2, int64_t hi2) {
    return std::max<int64_t>(0, std::min(hi1, hi2) - std::max(lo1, lo2));
  };
  const int64_t sw = source.width, sh = source.height;
  double sum = 0, area = 0;
  for (int64_t y = i * sh / height; y <= std::min(sh - 1, (i + 1) * sh / height); ++y) {
    const int64_t wy = overlap(y * height, (y + 1) * height, i * sh, (i + 1) * sh);
    for (int64_t x = j * sw / width; x <= std::min(sw - 1, (j + 1) * sw / width); ++x) {
      const double w =
          static_cast<double>(wy * overlap(x * width, (x + 1) * width, j * sw, (j + 1) * sw));
      sum += w * ChannelAt(source, static_cast<int>(x), static_cast<int>(y), c);
      area += w;
    }
  }
  return sum / area;
}

void ExpectBoxAverages(const Bitmap& source, const Bitmap& out) {
  for (int i = 0; i < out.height; ++i)
    for (int j = 0; j < out.width; ++j)
      for (int c = 0; c < 3; ++c)
        ASSERT_NEAR(ChannelAt(out, j, i, c), BoxAverage(source, out.width, out.height, j, i, c),
                    1.0)
            << "pixel " << j << "," << i << " channel " << c;
}

TEST(ShrinkRgb24, GivesTheWorkedRowOfFiveToTwo) {
  // 0.4 a + 0.4 b + 0.2 c and 0.2 c + 0.4 d + 0.4 e, truncated.
  const Bitmap out =
      Shrunk(Row({{10, 20, 30, 40, 50}, {1, 2, 3, 4, 5}, {255, 255, 255, 255, 255}}), 2, 1);
  EXPECT_EQ(Channel(out, 0), (std::vector<uint8_t>{18, 42}));
  EXPECT_EQ(Channel(out, 1), (std::vector<uint8_t>{1, 4}));  // 1.8 and 4.2
  EXPECT_EQ(Channel(out, 2), (std::vector<uint8_t>{255, 255}));
}

TEST(EnlargeRgb24, GivesTheWorkedRowOfTwoToFive) {
  // a, a, (a + b) / 2 truncated, b, b
  const Bitmap out = Enlarged(Row({{100, 201}, {0, 255}, {7, 7}}), 5, 1);
  EXPECT_EQ(Channel(out, 0), (std::vector<uint8_t>{100, 100, 150, 201, 201}));
  EXPECT_EQ(Channel(out, 1), (std::vector<uint8_t>{0, 0, 127, 255, 255}));
  EXPECT_EQ(Channel(out, 2), (std::vector<uint8_t>{7, 7, 7, 7, 7}));
}

TEST(EnlargeRgb24, DoublesThirtyByTwentyIntoEqualBlocks) {
  const Bitmap source = RandomBitmap(30, 20, 1);
  const Bitmap out = Enlarged(source, 60, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      for (int c = 0; c < 3; ++c)
        ASSERT_EQ(ChannelAt(out, x, y, c), ChannelAt(source, x / 2, y / 2, c));
}

TEST(ShrinkRgb24, FlatGreyComesOutAtOrJustBelowItsValue) {
  const Bitmap grey = MakeBitmap(800, 600, [](int, int, int) { return uint8_t{128}; });
  const Bitmap out = Shrunk(grey, 240, 160);
  int below = 0;
  for (int y = 0; y < 160; ++y)
    for (int x = 0; x < 240; ++x)
      for (int c = 0; c < 3; ++c) {
        const uint8_t v = ChannelAt(out, x, y, c);
        ASSERT_TRUE(v == 128 || v == 127) << int(v);
        below += v == 127;
      }
  EXPECT_GT(below, 0);
}

TEST(ShrinkRgb24, KeepsAnEqualSizeAndSqueezesAWidthWithoutCropping) {
  const Bitmap source = RandomBitmap(240, 160, 2);
  EXPECT_EQ(Shrunk(source, 240, 160).rows, source.rows);

  // 243 columns valued 0..242 squeezed into 240: neighbours mixed, the last kept.
  const Bitmap ramp = MakeBitmap(243, 100, [](int x, int, int) { return uint8_t(x); });
  const Bitmap out = Shrunk(ramp, 240, 100);
  ExpectBoxAverages(ramp, out);
  EXPECT_GE(ChannelAt(out, 239, 50, 0), 241);
  EXPECT_NE(ChannelAt(out, 120, 0, 0), 120);
}

TEST(ResamplerPasses, LeaveTheDestinationPaddingAlone) {
  const Bitmap source = RandomBitmap(7, 5, 3);
  for (const auto& [w, h] : {std::pair{5, 3}, std::pair{9, 6}}) {
    Bitmap out = MakeBitmap(w, h, [](int, int, int) { return uint8_t{0}; });
    if (w < 7)
      ShrinkRgb24(source.rows.data(), 7, 5, out.rows.data(), w, h);
    else
      EnlargeRgb24(source.rows.data(), 7, 5, out.rows.data(), w, h);
    for (int y = 0; y < h; ++y)
      for (std::size_t k = w * 3; k < out.stride(); ++k)
        EXPECT_EQ(out.rows[y * out.stride() + k], 0xEE);
  }
}

// Every path (portable, AVX2, AVX-512, in place) gives the bytes of the walk as described.
TEST(ShrinkRgb24, EveryPathGivesTheBytesOfTheDescribedWalk) {
  std::mt19937 random(4);
  const auto pick = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  // Sizes whose weights have so few bits that every product is exact, where the vector
  // paths multiply and add in one step: x ratios of powers of two, with and without
  // spills (96 to 72 takes quarters).
  std::vector<std::array<int, 4>> exact = {
      {64, 45, 8, 7}, {96, 30, 72, 7}, {1920, 12, 240, 5}, {1920, 27, 60, 1}};
  for (const auto& [sw, sh, w, h] : exact)
    ASSERT_TRUE(ViewOf(PlanShrinkColumns(sw, w, 16), BuildWeightTable(sh, h, true)).exactProducts);
  ASSERT_FALSE(
      ViewOf(PlanShrinkColumns(4000, 240, 16), BuildWeightTable(3000, 160, true)).exactProducts);
  // Where every weight product is a float, the vector paths add in single precision; a
  // white picture gives the largest sums.
  const std::vector<std::array<int, 4>> single = {
      {1920, 1080, 240, 160}, {1920, 1080, 60, 40}, {1920, 27, 60, 1}, {480, 90, 240, 7}};
  for (const auto& [sw, sh, w, h] : single)
    for (const int lanes : {8, 16})
      ASSERT_TRUE(ViewOf(PlanShrinkColumns(sw, w, lanes), BuildWeightTable(sh, h, true)).singleSums)
          << sw << "x" << sh << " -> " << w << "x" << h;
  for (const auto& [sw, sh, w, h] :
       {std::array{4000, 3000, 240, 160}, std::array{1620, 1080, 240, 160}})
    ASSERT_FALSE(ViewOf(PlanShrinkColumns(sw, w, 16), BuildWeightTable(sh, h, true)).singleSums);
  for (const auto& [sw, sh, w, h] : single) {
    const Bitmap white = MakeBitmap(sw, sh, [](int, int, int) { return uint8_t{255}; });
    const Bitmap expected = ReferenceShrink(white, w, h);
    for (const NamedKernel& k : EveryKernel()) {
      Bitmap out = Blank(w, h);
      ShrinkWith(k.kernel, white, out);
      ASSERT_EQ(out.rows, expected.rows) << k.name << ": white " << sw << "x" << sh;
    }
  }
  for (const auto& size : single) exact.push_back(size);
  for (int round = 0; round < 60 + static_cast<int>(exact.size()); ++round) {
    const bool fixed = round >= 60;
    const int sw = fixed ? exact[round - 60][0] : pick(1, 700);
    const int sh = fixed ? exact[round - 60][1] : pick(1, 120);
    const int w = fixed ? exact[round - 60][2] : pick(1, sw);
    const int h = fixed ? exact[round - 60][3] : pick(1, sh);
    const Bitmap source = RandomBitmap(sw, sh, static_cast<uint32_t>(round));
    const Bitmap expected = ReferenceShrink(source, w, h);
    for (const NamedKernel& k : EveryKernel()) {
      Bitmap out = Blank(w, h);
      ShrinkWith(k.kernel, source, out);
      ASSERT_EQ(out.rows, expected.rows)
          << k.name << ": " << sw << "x" << sh << " -> " << w << "x" << h;
    }
    Bitmap inPlace = source;
    ShrinkRgb24(inPlace.rows.data(), sw, sh, inPlace.rows.data(), w, h);
    for (int y = 0; y < h; ++y)
      ASSERT_TRUE(std::equal(expected.rows.begin() + y * expected.stride(),
                             expected.rows.begin() + y * expected.stride() + w * 3,
                             inPlace.rows.begin() + y * expected.stride()));
  }
}

// One walk over a source makes several sizes, each with the bytes of its own walk: from a
// part of a decoded picture read where it lies (top-down, red first, padded rows), into
// a bitmap of its own or into a rectangle of a larger box whose other bytes stay.
TEST(ShrinkViewInto, MakesEverySizeAsItsOwnWalkWould) {
  std::mt19937 random(21);
  const auto pick = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  for (int round = 0; round < 24; ++round) {
    const int pictureWidth = pick(1, 400), pictureHeight = pick(1, 90);
    const Bitmap picture = RandomBitmap(pictureWidth, pictureHeight, 300 + round);
    const bool redFirst = round % 2 == 0;
    const std::size_t pitch = static_cast<std::size_t>(pictureWidth) * 3 + pick(0, 5);
    std::vector<uint8_t> decoded(pitch * pictureHeight, 0x5A);
    for (int y = 0; y < pictureHeight; ++y)
      for (int x = 0; x < pictureWidth; ++x)
        for (int c = 0; c < 3; ++c)
          decoded[y * pitch + x * 3 + (redFirst ? 2 - c : c)] =
              ChannelAt(picture, x, pictureHeight - 1 - y, c);
    // The part read: a rectangle of the picture, counted from its top-left corner.
    const int sw = pick(1, pictureWidth), sh = pick(1, pictureHeight);
    const int left = pick(0, pictureWidth - sw), top = pick(0, pictureHeight - sh);
    const BitmapView part =
        BitmapView::OfTopDown(decoded.data() + top * pitch + left * 3, sw, sh, pitch, redFirst);
    const Bitmap partBitmap = MakeBitmap(sw, sh, [&](int x, int y, int c) {
      return ChannelAt(picture, left + x, pictureHeight - top - sh + y, c);
    });

    const int count = pick(1, 3);
    std::vector<Bitmap> boxes;
    std::vector<std::array<int, 4>> placed;  // x0, y0 (from the bottom), width, height
    for (int d = 0; d < count; ++d) {
      const int w = pick(1, sw), h = pick(1, sh), x0 = pick(0, 6), y0 = pick(0, 6);
      boxes.push_back(MakeBitmap(x0 + w + pick(0, 6), y0 + h + pick(0, 6),
                                 [](int, int, int) { return uint8_t{0x77}; }));
      placed.push_back({x0, y0, w, h});
    }
    std::vector<ShrinkDestination> destinations;
    for (int d = 0; d < count; ++d) {
      const auto [x0, y0, w, h] = placed[d];
      Bitmap& box = boxes[d];
      destinations.push_back({box.rows.data() + y0 * box.stride() + x0 * 3, box.stride(), w, h});
    }
    for (const NamedKernel& k : EveryKernel()) {
      for (Bitmap& box : boxes) std::fill(box.rows.begin(), box.rows.end(), uint8_t{0x77});
      ShrinkViewIntoWith(k.kernel, part, destinations);
      for (int d = 0; d < count; ++d) {
        const auto [x0, y0, w, h] = placed[d];
        const Bitmap expected = ReferenceShrink(partBitmap, w, h);
        const Bitmap& box = boxes[d];
        for (int y = 0; y < box.height; ++y)
          for (int x = 0; x < box.width; ++x)
            for (int c = 0; c < 3; ++c) {
              const bool inside = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
              ASSERT_EQ(ChannelAt(box, x, y, c),
                        inside ? ChannelAt(expected, x - x0, y - y0, c) : uint8_t{0x77})
                  << k.name << ": " << sw << "x" << sh << " -> " << w << "x" << h << " at " << x
                  << "," << y;
            }
      }
    }
  }
}

// Rows that arrive from the top, walked band by band, give the bytes of the walk from the
// bottom: one to three sizes at once, from bitmaps and from a decoder's top-down, red-first
// rows, on every path; a photograph's two sizes among them.
TEST(TopDownShrink, GivesTheBytesOfTheWalkFromTheBottom) {
  std::mt19937 random(33);
  const auto pick = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  for (int round = 0; round < 41; ++round) {
    const bool photo = round == 40;
    const int sw = photo ? 1920 : pick(1, 300), sh = photo ? 1080 : pick(1, 200);
    const Bitmap picture = RandomBitmap(sw, sh, 500 + round);
    const bool redFirst = round % 2 == 1;
    std::vector<uint8_t> topDown(static_cast<std::size_t>(sw) * 3 * sh);
    for (int y = 0; y < sh; ++y)
      for (int x = 0; x < sw; ++x)
        for (int c = 0; c < 3; ++c)
          topDown[(static_cast<std::size_t>(y) * sw + x) * 3 + (redFirst ? 2 - c : c)] =
              ChannelAt(picture, x, sh - 1 - y, c);
    const BitmapView source =
        BitmapView::OfTopDown(topDown.data(), sw, sh, static_cast<std::size_t>(sw) * 3, redFirst);
    std::vector<std::array<int, 2>> sizes;
    if (photo) {
      sizes = {{240, 160}, {60, 40}};
    } else {
      for (int d = pick(1, 3); d > 0; --d) sizes.push_back({pick(1, sw), pick(1, sh)});
    }
    for (const NamedKernel& k : EveryKernel()) {
      std::vector<Bitmap> expected, got;
      std::vector<ShrinkDestination> walked, streamed;
      for (const auto& [w, h] : sizes) {
        expected.push_back(Blank(w, h));
        got.push_back(Blank(w, h));
      }
      for (std::size_t d = 0; d < sizes.size(); ++d) {
        walked.push_back({expected[d].rows.data(), expected[d].stride(), sizes[d][0], sizes[d][1]});
        streamed.push_back({got[d].rows.data(), got[d].stride(), sizes[d][0], sizes[d][1]});
      }
      ShrinkViewIntoWith(k.kernel, source, walked);
      TopDownShrink shrink(k.kernel, sw, sh, redFirst, streamed);
      for (int y = 0; y < sh; ++y) {
        ASSERT_FALSE(shrink.Finished());
        shrink.AddRow(source.PixelFromTop(0, y));
      }
      ASSERT_TRUE(shrink.Finished());
      for (std::size_t d = 0; d < sizes.size(); ++d)
        ASSERT_EQ(got[d].rows, expected[d].rows)
            << k.name << ": " << sw << "x" << sh << " -> " << sizes[d][0] << "x" << sizes[d][1];
    }
  }
}

// The x walk laid out in lanes, for the worked row of five pixels shrunk to two: the third
// pixel is the last of the first column's run and the first of the second's.
TEST(PlanShrinkColumns, GivesEachColumnItsRunAndWeights) {
  const ShrinkPlan plan = PlanShrinkColumns(5, 2, 4);
  EXPECT_EQ(plan.units, 1);
  EXPECT_EQ(plan.unitSteps, std::vector<int32_t>{3});
  EXPECT_EQ(plan.runStarts, (std::vector<int32_t>{0, 2, 2, 2}));
  const double a = 0.4F, b = 0.2F;                          // the table's weights, as floats
  EXPECT_EQ(plan.weights, (std::vector<double>{a, b, 0, 0,  //
                                               a, a, 0, 0,  //
                                               b, a, 0, 0}));
}

// A decoded picture read where it lies (top-down rows, red first, rows wider than their
// pixels) resizes to the bytes of the bitmap made of it.
TEST(ResamplerPasses, ReadAPictureInPlaceAsTheBitmapMadeOfIt) {
  std::mt19937 random(11);
  const auto pick = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  for (int round = 0; round < 30; ++round) {
    const int sw = pick(1, 300), sh = pick(1, 60);
    const Bitmap bitmap = RandomBitmap(sw, sh, static_cast<uint32_t>(100 + round));
    for (const bool redFirst : {true, false}) {
      const std::size_t pitch =
          static_cast<std::size_t>(sw) * 3 + static_cast<std::size_t>(pick(0, 9));
      std::vector<uint8_t> decoded(pitch * static_cast<std::size_t>(sh), 0x5A);
      for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x)
          for (int c = 0; c < 3; ++c)
            decoded[static_cast<std::size_t>(y) * pitch + static_cast<std::size_t>(x) * 3 +
                    static_cast<std::size_t>(redFirst ? 2 - c : c)] =
                ChannelAt(bitmap, x, sh - 1 - y, c);
      const BitmapView view = BitmapView::OfTopDown(decoded.data(), sw, sh, pitch, redFirst);
      const int w = pick(1, sw), h = pick(1, sh);
      const Bitmap expected = ReferenceShrink(bitmap, w, h);
      for (const NamedKernel& k : EveryKernel()) {
        Bitmap out = Blank(w, h);
        ShrinkWith(k.kernel, view, out);
        ASSERT_EQ(out.rows, expected.rows)
            << k.name << ": " << sw << "x" << sh << " -> " << w << "x" << h;
      }
      const int bw = sw + pick(0, 40), bh = sh + pick(0, 40);
      Bitmap enlarged = Blank(bw, bh);
      EnlargeView(view, enlarged.rows.data(), bw, bh);
      ASSERT_EQ(enlarged.rows, Enlarged(bitmap, bw, bh).rows) << sw << "x" << sh;
      Bitmap copy;
      CopyIntoBitmap(view, copy);
      for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x)
          for (int c = 0; c < 3; ++c)
            ASSERT_EQ(ChannelAt(copy, x, y, c), ChannelAt(bitmap, x, y, c));
    }
  }
}

TEST(ResamplerPasses, AverageSourcesOfTenThousandPixelsAndMore) {
  const Bitmap wide = RandomBitmap(12000, 5, 5);
  for (const NamedKernel& k : EveryKernel()) {
    Bitmap out = Blank(240, 3);
    ShrinkWith(k.kernel, wide, out);
    ExpectBoxAverages(wide, out);
  }
  const Bitmap tall = RandomBitmap(5, 12000, 6);
  ExpectBoxAverages(tall, Shrunk(tall, 3, 160));
  const Bitmap row = RandomBitmap(10000, 2, 7);
  ExpectBoxAverages(row, Enlarged(row, 10007, 3));
}

TEST(ResamplerPasses, RefuseSizesTheyCannotWalk) {
  const Bitmap source = RandomBitmap(4, 4, 8);
  Bitmap out = Blank(8, 8);
  EXPECT_THROW(ShrinkRgb24(source.rows.data(), 4, 4, out.rows.data(), 8, 2), std::invalid_argument);
  EXPECT_THROW(EnlargeRgb24(source.rows.data(), 4, 4, out.rows.data(), 2, 8),
               std::invalid_argument);
  EXPECT_THROW(ShrinkRgb24(source.rows.data(), 4, 4, out.rows.data(), 0, 2), std::invalid_argument);
}

}  // namespace
}  // namespace varnel
