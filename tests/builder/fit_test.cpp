// Pictures fitted to the 240 x 160 version and the 60 x 40 thumbnail in proportion.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "builder/bitmap.h"
#include "builder/bitmap_view.h"
#include "builder/build_slideshow.h"
#include "builder/fit_geometry.h"
#include "builder/fitted_version.h"
#include "builder/resampler.h"
#include "builder/show_plan.h"
#include "document/label_tables.h"
#include "tests/support/image_reader.h"
#include "tests/support/picture_conversion.h"
#include "tests/support/recording_build_host.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::ShrinkViewUsing;

using testing::ImageReader;
using testing::Rgb;
using testing::TempDir;

// What the rules give, worked by hand once for each picture and box.
struct Expected {
  int width, height;  // the picture
  int boxWidth, boxHeight;
  PictureRect crop;
  int resampledWidth, resampledHeight, x0, y0;
};

constexpr Expected kWholePicture[] = {
    {100, 300, 240, 160, {0, 0, 100, 300}, 53, 160, 93, 0},
    {100, 300, 60, 40, {0, 0, 100, 300}, 13, 40, 23, 0},
    {300, 100, 240, 160, {0, 0, 300, 100}, 240, 80, 0, 40},
    {300, 100, 60, 40, {0, 0, 300, 100}, 60, 20, 0, 10},
    {4000, 3000, 240, 160, {0, 0, 4000, 3000}, 213, 160, 13, 0},
    {4000, 3000, 60, 40, {0, 0, 4000, 3000}, 53, 40, 3, 0},
    {1, 1000, 240, 160, {0, 0, 1, 1000}, 1, 160, 119, 0},
    {1, 1000, 60, 40, {0, 0, 1, 1000}, 1, 40, 29, 0},
    {241, 160, 240, 160, {0, 0, 241, 160}, 240, 159, 0, 0},
    {241, 160, 60, 40, {0, 0, 241, 160}, 60, 40, 0, 0},
};

constexpr Expected kFillScreen[] = {
    {100, 300, 240, 160, {0, 116, 100, 67}, 240, 160, 0, 0},
    {100, 300, 60, 40, {0, 116, 100, 67}, 60, 40, 0, 0},
    {300, 100, 240, 160, {75, 0, 150, 100}, 240, 160, 0, 0},
    {300, 100, 60, 40, {75, 0, 150, 100}, 60, 40, 0, 0},
    {4000, 3000, 240, 160, {0, 166, 4000, 2667}, 240, 160, 0, 0},
    {4000, 3000, 60, 40, {0, 166, 4000, 2667}, 60, 40, 0, 0},
    {1, 1000, 240, 160, {0, 499, 1, 1}, 240, 160, 0, 0},
    {1, 1000, 60, 40, {0, 499, 1, 1}, 60, 40, 0, 0},
    {241, 160, 240, 160, {0, 0, 240, 160}, 240, 160, 0, 0},
    {241, 160, 60, 40, {0, 0, 240, 160}, 60, 40, 0, 0},
};

void ExpectGeometry(Fit fit, const Expected& e) {
  const FitGeometry g = FitPictureInBox(fit, e.width, e.height, e.boxWidth, e.boxHeight);
  const std::string what = std::to_string(e.width) + "x" + std::to_string(e.height) + " in " +
                           std::to_string(e.boxWidth) + "x" + std::to_string(e.boxHeight);
  EXPECT_EQ(g.crop, e.crop) << what;
  EXPECT_EQ(g.width, e.resampledWidth) << what;
  EXPECT_EQ(g.height, e.resampledHeight) << what;
  EXPECT_EQ(g.x0, e.x0) << what;
  EXPECT_EQ(g.y0, e.y0) << what;
  EXPECT_EQ(g.boxWidth, e.boxWidth) << what;
  EXPECT_EQ(g.boxHeight, e.boxHeight) << what;
}

TEST(FitPictureInBox, WholePictureKeepsProportionsAndCentresOnBlack) {
  for (const Expected& e : kWholePicture) ExpectGeometry(kFitWholePicture, e);
}

TEST(FitPictureInBox, FillScreenReadsTheCentredPartOfTheBoxsProportions) {
  for (const Expected& e : kFillScreen) ExpectGeometry(kFitFillScreen, e);
  // Stretch reads the whole picture into the whole box.
  const FitGeometry stretch = FitPictureInBox(kFitStretch, 100, 300, 240, 160);
  EXPECT_EQ(stretch.crop, (PictureRect{0, 0, 100, 300}));
  EXPECT_EQ(stretch.width, 240);
  EXPECT_EQ(stretch.height, 160);
  EXPECT_TRUE(stretch.FillsBox());
}

// ---- Built images ----

// Palette colours whose every channel is at least 16, so that no mix of them comes out
// as the 15-bit 0 of the black border.
std::vector<Rgb> BrightPalette() {
  std::vector<Rgb> palette;
  for (int i = 0; i < 256; ++i)
    palette.push_back(
        {uint8_t(16 + i % 200), uint8_t(16 + (i * 3) % 200), uint8_t(16 + (i * 7) % 200)});
  return palette;
}

uint8_t PatternAt(int x, int y) {
  return static_cast<uint8_t>((x * 5 + y * 11 + (x / 7) * (y / 5)) % 256);
}

// An 8-bit picture of the pattern, read from (left, top) of the pattern's plane: a part
// of a larger pattern picture is the pattern picture of that part's size at its corner.
std::string WritePattern(const TempDir& dir, const std::string& name, int width, int height,
                         int left = 0, int top = 0) {
  auto surface = testing::MakeSurface8(width, height, BrightPalette(),
                                       [&](int x, int y) { return PatternAt(left + x, top + y); });
  const std::string path = dir.file(name);
  testing::SaveBmp(surface.get(), path);
  return path;
}

struct FitShow {
  TempDir dir;
  testing::RecordingBuildHost host{dir.workDirectory()};
  BuildFiles files{dir.file("Src.res"), dir.file("slide.gba")};

  FitShow() { testing::WriteAllBytes(files.templatePath, testing::FakeViewerProgram(2000, 0)); }
  // Resized only (with its thumbnail), so that no full size makes the image large.
  void Add(const std::string& path, Fit fit) {
    host.AddPicture(path, kSizingResizedOnly);
    host.document.rows.back().fitLabel = std::string(kFitLabels[fit]);
  }
  ImageReader Build() {
    const BuildOutcome outcome = BuildSlideShow(host, files);
    EXPECT_TRUE(outcome.ok) << outcome.message;
    return ImageReader(files.outputPath);
  }
};

// Every pixel outside the placed rectangle is black, every pixel inside it is not.
void ExpectPlacedOnBlack(const std::vector<uint16_t>& pixels, const Expected& e) {
  for (int y = 0; y < e.boxHeight; ++y)
    for (int x = 0; x < e.boxWidth; ++x) {
      const bool inside =
          x >= e.x0 && x < e.x0 + e.resampledWidth && y >= e.y0 && y < e.y0 + e.resampledHeight;
      const uint16_t pixel = pixels[static_cast<std::size_t>(y * e.boxWidth + x)];
      ASSERT_EQ(pixel != 0, inside) << e.width << "x" << e.height << " in " << e.boxWidth << "x"
                                    << e.boxHeight << " at " << x << "," << y;
    }
}

// For each picture: Whole Picture places the resampled picture on black, Fill Screen
// gives the bytes of a picture that is exactly the part it reads, and Stretch still
// refuses what it refused (both modes make every version).
TEST(FittedVersions, PlaceOnBlackOrReadThePartAsAPictureOfItsOwn) {
  for (int i = 0; i < 10; i += 2) {
    const Expected& whole = kWholePicture[i];
    const Expected& wholeThumbnail = kWholePicture[i + 1];
    const PictureRect crop = kFillScreen[i].crop;
    FitShow show;
    const std::string picture = WritePattern(show.dir, "p.bmp", whole.width, whole.height);
    show.Add(picture, kFitWholePicture);
    show.Add(picture, kFitFillScreen);
    show.Add(WritePattern(show.dir, "part.bmp", crop.width, crop.height, crop.x, crop.y),
             kFitStretch);
    show.Add(picture, kFitStretch);
    const ImageReader image = show.Build();
    const std::string what = std::to_string(whole.width) + "x" + std::to_string(whole.height);

    const SlideRecord wholeRecord = image.record(0);
    ASSERT_NE(wholeRecord.resizedData, 0u) << what;
    ASSERT_NE(wholeRecord.thumbnailData, 0u) << what;
    ExpectPlacedOnBlack(image.pixels(wholeRecord.resizedData, 240, 160), whole);
    ExpectPlacedOnBlack(image.pixels(wholeRecord.thumbnailData, 60, 40), wholeThumbnail);

    const SlideRecord fill = image.record(1);
    const SlideRecord part = image.record(2);
    ASSERT_NE(fill.resizedData, 0u) << what;
    EXPECT_EQ(image.pixels(fill.resizedData, 240, 160), image.pixels(part.resizedData, 240, 160))
        << what;
    EXPECT_EQ(image.pixels(fill.thumbnailData, 60, 40), image.pixels(part.thumbnailData, 60, 40))
        << what;

    // 100 x 300, 300 x 100 and 1 x 1000 would shrink one way while growing the other.
    const bool stretchRefuses = whole.width != 4000 && whole.width != 241;
    EXPECT_EQ(image.record(3).resizedData == 0, stretchRefuses) << what;
  }
}

TEST(FittedVersions, PlanCountsTheVersionsStretchRefuses) {
  SlideshowDocument show;
  show.options = SlideshowOptions::DefaultsAfterNew();
  PictureEntry row;
  row.sizingLabel = std::string(kSizingLabels[kSizingBoth]);
  row.effectLabel = std::string(kEffectLabels[0]);
  for (const Fit fit : {kFitStretch, kFitWholePicture, kFitFillScreen}) {
    row.fitLabel = std::string(kFitLabels[fit]);
    show.rows.push_back(row);
  }
  const std::vector<std::optional<PictureSize>> sizes(3, PictureSize{100, 300});
  const ShowPlan plan = PlanShow(show, sizes);
  ASSERT_EQ(plan.pictures.size(), 3u);
  EXPECT_FALSE(plan.pictures[0].resized.present());
  // Full size 100 x 300, then 240 x 160 and 60 x 40: 60000 + 76800 + 4800 bytes.
  for (const std::size_t i : {1u, 2u}) {
    EXPECT_TRUE(plan.pictures[i].resized.present());
    EXPECT_EQ(plan.pictures[i].end - plan.pictures[i].start, 141600u);
  }
}

// ---- Every resampler path ----

Bitmap RandomBitmap(int width, int height, uint32_t seed) {
  std::mt19937 random(seed);
  Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.rows.resize(bitmap.stride() * static_cast<std::size_t>(height));
  for (uint8_t& byte : bitmap.rows) byte = static_cast<uint8_t>(random());
  return bitmap;
}

// The part a geometry reads, copied out into a bitmap of its own.
Bitmap CopyOfPart(const Bitmap& picture, const PictureRect& crop) {
  Bitmap part;
  CopyIntoBitmap(BitmapView(picture).Part(crop.x, crop.y, crop.width, crop.height), part);
  return part;
}

Bitmap ShrunkBy(ShrinkPath path, const BitmapView& source, int width, int height) {
  Bitmap out;
  out.width = width;
  out.height = height;
  out.rows.assign(out.stride() * static_cast<std::size_t>(height), 0);
  ShrinkViewUsing(path, source, out.rows.data(), width, height);
  return out;
}

// Both versions of a picture at once, for every fit of each: each gets the bytes (or the
// refusal) it gets alone, whether the two read one part of the picture in one walk or not.
TEST(FittedVersions, MadeTogetherAsEachAlone) {
  for (const auto& [width, height] :
       {std::pair{1333, 711}, std::pair{100, 300}, std::pair{300, 100}, std::pair{30, 20}}) {
    const Bitmap picture = RandomBitmap(width, height, 31);
    for (const Fit screenFit : {kFitStretch, kFitWholePicture, kFitFillScreen})
      for (const Fit thumbnailFit : {kFitStretch, kFitWholePicture, kFitFillScreen}) {
        Bitmap screen, screenScratch, thumbnail, thumbnailScratch;
        std::array<FittedVersionTarget, 2> targets = {
            FittedVersionTarget{FitPictureInBox(screenFit, width, height, 240, 160), &screenScratch,
                                &screen},
            FittedVersionTarget{FitPictureInBox(thumbnailFit, width, height, 60, 40),
                                &thumbnailScratch, &thumbnail}};
        MakeFittedVersions(picture, targets);
        for (const FittedVersionTarget& target : targets) {
          Bitmap scratch, alone;
          const bool made = MakeFittedVersion(picture, target.geometry, scratch, alone);
          const std::string what = std::to_string(width) + "x" + std::to_string(height) + " fits " +
                                   std::to_string(screenFit) + "," + std::to_string(thumbnailFit);
          ASSERT_EQ(target.made, made) << what;
          if (made) {
            EXPECT_EQ(target.out->rows, alone.rows) << what;
          }
        }
      }
  }
}

// A part read in place, of a bitmap or of a decoded picture's top-down rows, shrinks on
// every path to the bytes the portable path makes of the part copied out.
TEST(FittedVersions, EveryPathReadsAPartInPlaceAsItsCopy) {
  constexpr ShrinkPath kPaths[] = {ShrinkPath::kPortable, ShrinkPath::kAvx2, ShrinkPath::kAvx512};
  const int width = 1333, height = 711;
  const Bitmap picture = RandomBitmap(width, height, 27);
  // The same picture as a decoder leaves it: the top row first, red first, wider rows.
  const std::size_t pitch = static_cast<std::size_t>(width) * 3 + 5;
  std::vector<uint8_t> decoded(pitch * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint8_t* in = picture.PixelFromTop(x, y);
      uint8_t* out = decoded.data() + static_cast<std::size_t>(y) * pitch + x * 3;
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  const BitmapView inPlace = BitmapView::OfTopDown(decoded.data(), width, height, pitch, true);

  for (const Fit fit : {kFitWholePicture, kFitFillScreen}) {
    for (const auto& [boxWidth, boxHeight] : {std::pair{240, 160}, std::pair{60, 40}}) {
      const FitGeometry g = FitPictureInBox(fit, width, height, boxWidth, boxHeight);
      const Bitmap expected =
          ShrunkBy(ShrinkPath::kPortable, CopyOfPart(picture, g.crop), g.width, g.height);
      for (const ShrinkPath path : kPaths) {
        for (const BitmapView& source : {BitmapView(picture), inPlace}) {
          const BitmapView part = source.Part(g.crop.x, g.crop.y, g.crop.width, g.crop.height);
          EXPECT_EQ(ShrunkBy(path, part, g.width, g.height).rows, expected.rows)
              << "fit " << fit << " box " << boxWidth << " path " << static_cast<int>(path);
        }
      }
    }
  }
}

}  // namespace
}  // namespace varnel
