// Builds on several workers while the picture library fails on some files and crashes on
// others: every picture that loads is converted, every build gives the same image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/build_slideshow.h"
#include "document/picture_row.h"
#include "tests/support/image_reader.h"
#include "tests/support/recording_build_host.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::RecordingBuildHost;
using testing::Rgb;
using testing::TempDir;

// Rows as varnel-build makes them (the picture is loaded by the build alone), at full size
// only: the conversion saves each picture and resizes nothing.
void AddUnloadedRow(RecordingBuildHost& host, const std::string& path) {
  constexpr int kFullSizeOnly = 1;
  const MakeRowResult made = MakeUnloadedPictureRow(path, kFullSizeOnly, 0, "");
  ASSERT_TRUE(made.ok());
  host.document.rows.push_back(made.row);
}

// A failed load on one worker while another converts a palette picture once made the
// picture library report the conversion as failed: the palette picture lost its versions
// in about one build of seven with two workers.
TEST(PictureIsolation, LoadsThatFailDoNotDisturbConversionsOnOtherWorkers) {
  TempDir dir;
  const std::vector<Rgb> palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {20, 40, 250}};
  RecordingBuildHost host(dir.workDirectory());
  host.document.options.thumbnails = 0;
  constexpr int kPairs = 40;
  for (int i = 0; i < kPairs; ++i) {
    const std::string picture = dir.file("palette" + std::to_string(i) + ".bmp");
    testing::SaveBmp(testing::MakeSurface8(60, 40, palette,
                                           [i](int x, int y) { return uint8_t((x + y + i) % 4); })
                         .get(),
                     picture);
    const std::string text = dir.file("notpic" + std::to_string(i) + ".png");
    testing::WriteAllBytes(text, {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'});
    AddUnloadedRow(host, picture);
    AddUnloadedRow(host, text);
  }
  std::vector<uint8_t> template_ = testing::FakeViewerProgram(3000, 0x22);
  testing::WriteAllBytes(dir.file("Src.res"), template_);
  const BuildFiles files{dir.file("Src.res"), dir.file("slide.gba")};

  host.workers = 1;
  ASSERT_TRUE(BuildSlideShow(host, files).ok);
  ASSERT_EQ(host.leftOut.size(), std::size_t{kPairs});
  ASSERT_EQ(host.notes, std::vector<std::string>{});
  const std::vector<uint8_t> alone = testing::ReadAllBytes(files.outputPath);

  // Losses came in one build of 7 to 20 with two workers: at least one of 100. The builds
  // take two, three and four workers in turn.
  constexpr int kBuilds = 100;
  int differing = 0;
  for (int build = 0; build < kBuilds; ++build) {
    host.workers = 2 + build % 3;
    host.leftOut.clear();
    host.notes.clear();
    ASSERT_TRUE(BuildSlideShow(host, files).ok);
    EXPECT_EQ(host.leftOut.size(), std::size_t{kPairs});
    EXPECT_EQ(host.notes, std::vector<std::string>{}) << host.workers << " workers";
    differing += testing::ReadAllBytes(files.outputPath) != alone;
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace varnel
