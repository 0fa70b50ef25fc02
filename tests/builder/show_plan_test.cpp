#include "builder/show_plan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "builder/build_slideshow.h"
#include "document/label_tables.h"
#include "tests/support/image_reader.h"
#include "tests/support/recording_build_host.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::ImageReader;
using testing::Rgb;
using testing::TempDir;

PictureEntry Row(int sizing, const std::string& caption = "") {
  PictureEntry row;
  row.effectLabel = std::string(kEffectLabels[3]);
  row.sizingLabel = std::string(kSizingLabels[static_cast<std::size_t>(sizing)]);
  row.caption = caption;
  row.path = "/pictures/p.jpg";
  return row;
}

// The layout worked through by hand: a 642 x 300 picture with both versions and a caption,
// thumbnails off, then a 60 x 40 picture resized only.
TEST(PlanShow, LaysOutTheWorkedChainOfBlocks) {
  SlideshowDocument show;
  show.options = SlideshowOptions::DefaultsAfterNew();
  show.options.thumbnails = 0;
  show.rows = {Row(kSizingBoth, "AB\r\nC"), Row(kSizingResizedOnly)};
  const std::vector<std::optional<PictureSize>> sizes = {PictureSize{642, 300},
                                                         PictureSize{60, 40}};
  const ShowPlan plan = PlanShow(show, sizes);
  ASSERT_EQ(plan.pictures.size(), 2u);
  const PicturePlan& first = plan.pictures[0];
  EXPECT_EQ(first.versions.recordWidth, 640);
  EXPECT_EQ(first.versions.recordHeight, 300);
  EXPECT_EQ(first.versions.effect, 3);
  EXPECT_EQ(first.fullSize.offset, 632032u);
  EXPECT_EQ(first.fullSize.bytes, 384000u);
  EXPECT_EQ(first.resized.offset, 1016032u);
  EXPECT_EQ(first.resized.alignment, 0u);
  EXPECT_EQ(first.caption.offset, 1092832u);
  EXPECT_EQ(first.caption.bytes, 20u);
  EXPECT_FALSE(first.thumbnail.present());
  EXPECT_EQ(plan.pictures[1].resized.alignment, 4u);
  EXPECT_EQ(plan.pictures[1].resized.offset, 1092856u);
  EXPECT_EQ(plan.imageBytes, 1092856u + 240 * 160 * 2);
  EXPECT_TRUE(plan.fits());
}

TEST(ChooseVersions, FollowsTheIntroRuleAndRefusesMixedResizes) {
  SlideshowOptions options = SlideshowOptions::DefaultsAfterNew();
  options.thumbnails = 1;
  options.textDisplay = 1;
  // An intro picture gets only the 240 x 160 version, whatever its sizing says.
  const PictureVersions intro =
      ChooseVersions(options, Row(kSizingFullSizeOnly, "x"), {800, 600}, true);
  EXPECT_FALSE(intro.fullSize.wanted);
  EXPECT_TRUE(intro.resized.made);
  EXPECT_FALSE(intro.thumbnail.wanted);
  EXPECT_FALSE(intro.caption);
  // 300 x 100 at 240 x 160 would shrink the width while the height grows; at 60 x 40 it
  // shrinks both ways.
  const PictureVersions wide = ChooseVersions(options, Row(kSizingBoth), {300, 100}, false);
  EXPECT_TRUE(wide.resized.wanted);
  EXPECT_FALSE(wide.resized.made);
  EXPECT_FALSE(wide.resized.whyNot.empty());
  EXPECT_TRUE(wide.thumbnail.made);
  EXPECT_TRUE(wide.fullSize.made);
  EXPECT_FALSE(ChooseVersions(options, Row(kSizingBoth), {100, 300}, false).resized.made);
  // A picture narrower than 4 pixels has a full size of width 0.
  EXPECT_FALSE(ChooseVersions(options, Row(kSizingFullSizeOnly), {3, 10}, false).fullSize.made);
  // A sizing override that selects nothing gives neither full size nor resized version.
  options.sizingOverride = 1;
  options.sizingOverrideIndex = -1;
  const PictureVersions none = ChooseVersions(options, Row(kSizingBoth), {800, 600}, false);
  EXPECT_FALSE(none.fullSize.wanted || none.resized.wanted);
  EXPECT_TRUE(none.thumbnail.made);
}

TEST(PlanShow, NamesTheFirstPictureThatEndsPastTheCartridge) {
  SlideshowDocument show;
  show.options = SlideshowOptions::DefaultsAfterNew();
  show.options.thumbnails = 0;
  // Full size and resized of 1920 x 1080: 4147200 + 76800 bytes a picture, so seven fit
  // after the 632032 bytes before the pictures and the eighth ends past 33554432.
  show.rows.assign(9, Row(kSizingBoth));
  const std::vector<std::optional<PictureSize>> sizes(9, PictureSize{1920, 1080});
  const ShowPlan plan = PlanShow(show, sizes);
  ASSERT_FALSE(plan.fits());
  EXPECT_EQ(*plan.firstOverflow, 7u);
  EXPECT_EQ(plan.pictures[6].end, 632032u + 7 * 4224000u);
  EXPECT_NE(DoesNotFitMessage(show, plan).find("picture 8"), std::string::npos);
}

// Random shows, planned from the sizes of their pictures and then built: the plan gives
// every pointer of the image and its length.
TEST(PlanShow, EqualsTheBuiltImageOnRandomShows) {
  TempDir dir;
  const std::string templatePath = dir.file("Src.res");
  testing::WriteAllBytes(templatePath, testing::FakeViewerProgram(777, 1));
  // Sizes that take every pass and every refusal: enlarged, shrunk, equal, mixed, narrow.
  const std::vector<PictureSize> shapes = {{240, 160}, {300, 100}, {100, 300}, {30, 20},   {61, 39},
                                           {3, 10},    {643, 301}, {50, 200},  {250, 170}, {1, 1}};
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < shapes.size(); ++i)
    paths.push_back(testing::WriteBmp24(dir.file("p" + std::to_string(i) + ".bmp"), shapes[i].width,
                                        shapes[i].height, [i](int x, int y) {
                                          return Rgb{uint8_t(x + i), uint8_t(y), uint8_t(x ^ y)};
                                        }));
  const std::string gone = dir.file("gone.bmp");
  const std::vector<std::string> captions = {"", "AB", "A\r\nB", "\n", std::string(200, 'c')};

  std::mt19937 random(17);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int round = 0; round < 25; ++round) {
    testing::RecordingBuildHost host(dir.workDirectory());
    SlideshowOptions& options = host.document.options;
    const int rows = 1 + pick(7);
    options.introCountText = std::to_string(pick(rows + 3));
    options.thumbnails = pick(2);
    options.textDisplay = pick(2);
    if (pick(4) == 0) {
      options.sizingOverride = 1;
      options.sizingOverrideIndex = pick(4) - 1;
    }
    std::vector<std::optional<PictureSize>> sizes;
    for (int r = 0; r < rows; ++r) {
      const int shape = pick(static_cast<int>(shapes.size()) + 1);
      const bool doesNotLoad = shape == static_cast<int>(shapes.size());
      if (doesNotLoad) testing::WriteBmp24(gone, 8, 8, [](int, int) { return Rgb{1, 2, 3}; });
      host.AddPicture(doesNotLoad ? gone : paths[static_cast<std::size_t>(shape)], pick(3), pick(9),
                      captions[static_cast<std::size_t>(pick(5))]);
      if (doesNotLoad) std::filesystem::remove(gone);
      sizes.push_back(doesNotLoad ? std::nullopt
                                  : std::optional(shapes[static_cast<std::size_t>(shape)]));
    }
    const ShowPlan plan = PlanShow(host.document, sizes);
    const BuildFiles files{templatePath, dir.file("slide.gba")};
    // A show whose every picture is left out is not written.
    const bool built = BuildSlideShow(host, files).ok;
    ASSERT_EQ(built, !plan.pictures.empty()) << "round " << round;
    if (!built) continue;
    const ImageReader image(files.outputPath);
    ASSERT_EQ(image.size(), plan.imageBytes) << "round " << round;
    ASSERT_EQ(image.header().pictureCount, plan.pictures.size());
    EXPECT_EQ(host.leftOut.size(), plan.leftOut.size());
    auto address = [](const PlannedBlock& block) {
      return block.present() ? AddressOf(block.offset) : 0u;
    };
    for (const PicturePlan& picture : plan.pictures) {
      const SlideRecord record = image.record(picture.slot);
      EXPECT_EQ(record.fullSizeData, address(picture.fullSize)) << "round " << round;
      EXPECT_EQ(record.resizedData, address(picture.resized)) << "round " << round;
      EXPECT_EQ(record.thumbnailData, address(picture.thumbnail)) << "round " << round;
      EXPECT_EQ(record.captionText, address(picture.caption)) << "round " << round;
      EXPECT_EQ(record.width, picture.versions.recordWidth);
      EXPECT_EQ(record.height, picture.versions.recordHeight);
      EXPECT_EQ(record.effect, picture.versions.effect);
    }
  }
}

}  // namespace
}  // namespace varnel
