// Runs the varnel-build executable as a script would: exit status, messages, the image.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <sstream>

#include "project/project_file_writer.h"
#include "tests/cli/builder_process.h"
#include "tests/support/image_reader.h"
#include "tests/support/project_bytes.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::ImageReader;
using testing::Rgb;
using testing::RunBuilder;
using testing::RunResult;
using testing::TempDir;

using Show = testing::ScratchShow;

TEST(VarnelBuild, BuildsPicturesWithTheirOptionsIntoSlideGba) {
  Show show;
  const RunResult run = RunBuilder(show.dir, {"--intro", "1", "--no-thumbnails", show.a, "--effect",
                                              "6", "--sizing", "1", "--caption", "Hi", show.b});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("2 pictures"), std::string::npos) << run.output;
  const ImageReader image(show.dir.file("slide.gba"));
  EXPECT_EQ(image.bytes()[4], 0x11);
  EXPECT_EQ(image.header().pictureCount, 2);
  EXPECT_EQ(image.header().introCount, 1);
  EXPECT_EQ(image.header().thumbnails, 0);
  EXPECT_EQ(image.record(1).effect, 6);
  EXPECT_EQ(image.record(1).width, 300);
  EXPECT_NE(image.record(1).fullSizeData, 0u);
  EXPECT_EQ(image.record(1).resizedData, 0u);
  EXPECT_EQ(image.caption(image.record(1).captionText), "Hi");
}

// The resampler's path named in the environment, as the tests of whole builds force each
// one (on stand-ins where the processor lacks its instructions): the same image.
TEST(VarnelBuild, EveryResamplerPathNamedInTheEnvironmentWritesTheSameImage) {
  Show show;
  const std::vector<std::string> pictures = {show.a, show.b, "--sizing", "2", show.b};
  const RunResult usual = RunBuilder(show.dir, pictures);
  ASSERT_EQ(usual.status, 0) << usual.output;
  const std::vector<uint8_t> image = testing::ReadAllBytes(show.dir.file("slide.gba"));
  for (const std::string path : {"portable", "avx2", "avx512"}) {
    std::vector<std::string> arguments = {"-o", path + ".gba", "--jobs", "2"};
    arguments.insert(arguments.end(), pictures.begin(), pictures.end());
    const RunResult run = RunBuilder(show.dir, arguments, "export VARNEL_SHRINK_PATH=" + path);
    ASSERT_EQ(run.status, 0) << path << ": " << run.output;
    EXPECT_EQ(testing::ReadAllBytes(show.dir.file(path + ".gba")), image) << path;
  }
}

TEST(VarnelBuild, ProjectFileWithCommandLineOptionsOnTop) {
  Show show;
  SlideshowOptions options = SlideshowOptions::DefaultsAfterNew();
  options.secondsText = "9";
  options.keyUse = 0;
  const std::vector<StoredPicture> pictures = {
      {show.a, "first", 2, 3}, {show.dir.file("gone.bmp"), "", 0, 0}, {show.b, "", 0, 8}};
  testing::WriteAllBytes(show.dir.file("show.vrn"), testing::ProjectFileBytes(options, pictures));

  const RunResult run = RunBuilder(show.dir, {"--seconds", "30", "show.vrn", "-o", "out.gba"});
  ASSERT_EQ(run.status, 3) << run.output;  // written, but a picture was left out
  // Left out by the build, which loads each picture once, with the reason it did not load.
  EXPECT_NE(run.output.find("left out " + show.dir.file("gone.bmp") +
                            ": the picture could not be loaded (No such file or directory)"),
            std::string::npos)
      << run.output;
  const ImageReader image(show.dir.file("out.gba"));
  EXPECT_EQ(image.header().pictureCount, 2);
  EXPECT_EQ(image.header().slideTimeMs, 30000);  // the command line wins
  EXPECT_EQ(image.header().keyUse, 0);           // the file's value stays
  EXPECT_EQ(image.record(0).effect, 3);
  EXPECT_EQ(image.record(1).effect, 8);
}

TEST(VarnelBuild, SavesTheShowAsAProjectWithFullPaths) {
  Show show;
  const RunResult saved = RunBuilder(show.dir, {"--seconds", "7", "--effect", "3", "--caption",
                                                "hi", "a.bmp", "--save-project", "saved.vrn"});
  ASSERT_EQ(saved.status, 0) << saved.output;
  const std::vector<uint8_t> bytes = testing::ReadAllBytes(show.dir.file("saved.vrn"));
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find(show.a), std::string::npos);  // "a.bmp" was given, the full path kept

  // Built again from the project alone, elsewhere: the same show.
  TempDir elsewhere;
  testing::WriteAllBytes(elsewhere.file("Src.res"), testing::FakeViewerProgram(3000, 0x11));
  const RunResult rebuilt = RunBuilder(elsewhere, {show.dir.file("saved.vrn")});
  ASSERT_EQ(rebuilt.status, 0) << rebuilt.output;
  const ImageReader image(elsewhere.file("slide.gba"));
  EXPECT_EQ(image.header().pictureCount, 1);
  EXPECT_EQ(image.header().slideTimeMs, 7000);
  EXPECT_EQ(image.record(0).effect, 3);
  EXPECT_NE(image.record(0).captionText, 0u);

  // A project that cannot be written fails the command before any image is made.
  const RunResult full =
      RunBuilder(elsewhere, {show.a, "--save-project", "/dev/full", "-o", "never.gba"});
  EXPECT_EQ(full.status, 1);
  EXPECT_NE(full.output.find("/dev/full"), std::string::npos) << full.output;
  EXPECT_FALSE(std::filesystem::exists(elsewhere.file("never.gba")));
}

TEST(VarnelBuild, FailuresExitNonZeroWithAMessage) {
  Show show;
  RunResult run = RunBuilder(show.dir, {"--effect", "12", show.a});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("0 to 8"), std::string::npos) << run.output;

  run = RunBuilder(show.dir, {show.a, "-o", "/dev/full"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("No space left on device"), std::string::npos) << run.output;

  run = RunBuilder(show.dir, {show.a, "--template", show.dir.file("none.res")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("none.res was not found."), std::string::npos) << run.output;

  run = RunBuilder(show.dir, {"missing.vrn"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("missing.vrn"), std::string::npos) << run.output;
  EXPECT_FALSE(std::filesystem::exists(show.dir.file("slide.gba")));

  // Pictures that do not load are named with the reason; the image holds the others.
  testing::WriteAllBytes(show.dir.file("broken.png"), {0x89, 'P', 'N', 'G', 1, 2, 3});
  run = RunBuilder(show.dir, {show.dir.file("broken.png"), show.a, "-o", "partial.gba"});
  EXPECT_EQ(run.status, 3) << run.output;
  EXPECT_NE(run.output.find("left out " + show.dir.file("broken.png") +
                            ": the picture could not be loaded"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(ImageReader(show.dir.file("partial.gba")).header().pictureCount, 1);

  // A picture none of whose versions can be made is named for each version; the count
  // says only the slides that show a picture.
  const std::string thin = testing::WriteBmp24(show.dir.file("thin.bmp"), 1, 300, [](int, int) {
    return Rgb{9, 9, 9};
  });
  run = RunBuilder(show.dir, {thin, show.a, "-o", "thin.gba"});
  EXPECT_EQ(run.status, 3) << run.output;
  EXPECT_NE(run.output.find(thin + ": the 240 x 160 version"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(thin + ": the 60 x 40 version"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("thin.gba (1 pictures)"), std::string::npos) << run.output;
  EXPECT_EQ(ImageReader(show.dir.file("thin.gba")).header().pictureCount, 2);

  run = RunBuilder(show.dir, {"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find("Usage: varnel-build"), std::string::npos);
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

std::vector<std::vector<std::string>> WordsOfLines(const std::string& text) {
  std::vector<std::vector<std::string>> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    lines.emplace_back(std::istream_iterator<std::string>(words),
                       std::istream_iterator<std::string>());
  }
  return lines;
}

TEST(VarnelBuildPlan, ListsEveryPicturesBytesAndWritesNothing) {
  Show show;
  const RunResult run = RunBuilder(
      show.dir, {"--plan", "--intro", "1", show.a, "--sizing", "1", "--caption", "Hi", show.b});
  ASSERT_EQ(run.status, 0) << run.output;
  using Words = std::vector<std::string>;
  // The intro picture: 240 x 160 x 2 bytes after the 632032 bytes before the pictures. The
  // second: full size 120000, thumbnail 4800 and the 3-byte caption, no alignment bytes.
  EXPECT_EQ(WordsOfLines(run.output),
            (std::vector<Words>{
                {"picture", "fit", "versions", "bytes", "total"},
                {"(viewer", "and", "picture", "table)", "632032", "632032"},
                {"1", "a.bmp", "stretch", "resized", "240x160,", "(intro)", "76800", "708832"},
                {"2", "b.bmp", "stretch", "full", "300x200,", "thumbnail", "60x40,", "caption",
                 "124803", "833635"},
                {"total", "833635", "bytes", "of", "33554432"}}))
      << run.output;
  EXPECT_TRUE(run.output.ends_with("\ntotal 833635 bytes of 33554432\n")) << run.output;
  EXPECT_FALSE(std::filesystem::exists(show.dir.file("slide.gba")));
}

TEST(VarnelBuildPlan, AShowThatDoesNotFitExitsOneNamingTheFirstPictureOver) {
  Show show;
  // An 8-bit BMP keeps the file small; its full size alone is 18000000 bytes of pixels.
  auto big = testing::MakeSurface8(3000, 3000, {{10, 20, 30}}, [](int, int) { return 0; });
  const std::string path = show.dir.file("big.bmp");
  testing::SaveBmp(big.get(), path);
  const RunResult plan = RunBuilder(show.dir, {"--plan", show.a, path, path});
  EXPECT_EQ(plan.status, 1) << plan.output;
  EXPECT_NE(plan.output.find("3 big.bmp"), std::string::npos) << plan.output;
  EXPECT_NE(plan.output.find("does not fit"), std::string::npos) << plan.output;
  EXPECT_FALSE(std::filesystem::exists(show.dir.file("slide.gba")));

  // The build is refused before it converts a picture: the whole show's need is named.
  const RunResult build = RunBuilder(show.dir, {show.a, path, path});
  EXPECT_EQ(build.status, 1) << build.output;
  EXPECT_NE(build.output.find("it needs 35.2 MiB of the 32 MiB"), std::string::npos)
      << build.output;
  EXPECT_NE(build.output.find("picture 3"), std::string::npos) << build.output;
  EXPECT_FALSE(std::filesystem::exists(show.dir.file("slide.gba")));
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

// A portrait picture of 100 x 300: Stretch refuses its 240 x 160 version, the other fits
// make it; the project saved keeps each picture's fit, and --default-fit then changes only
// the pictures stored with Stretch.
TEST(VarnelBuildFit, PicturesKeepTheirFitThroughPlanBuildAndProject) {
  Show show;
  const std::string tall = testing::WriteBmp24(show.dir.file("tall.bmp"), 100, 300, [](int, int) {
    return Rgb{200, 100, 50};
  });
  // The table alone (standard output); the plan exits 3 as the build does, the stretched
  // picture having no 240 x 160 version.
  const RunResult plan = testing::RunBuilderWithOutputTo(
      show.dir, {"--plan", "--fit", "whole", "tall.bmp", "tall.bmp"}, "plan.txt");
  ASSERT_EQ(plan.status, 3) << plan.output;
  const std::vector<uint8_t> table = testing::ReadAllBytes(show.dir.file("plan.txt"));
  const std::vector<std::vector<std::string>> lines =
      WordsOfLines(std::string(table.begin(), table.end()));
  ASSERT_EQ(lines.size(), 5u) << plan.output;
  EXPECT_EQ(lines[2][2], "whole");
  EXPECT_EQ(lines[2][3], "full");
  EXPECT_EQ(lines[2][6], "240x160,");
  EXPECT_EQ(lines[3][2], "stretch");
  EXPECT_EQ(lines[3][6], "240x160");
  EXPECT_EQ(lines[3][7], "refused,");

  const RunResult built =
      RunBuilder(show.dir, {"--fit", "fill", "tall.bmp", "tall.bmp", "--save-project", "tall.vrn"});
  EXPECT_EQ(built.status, 3) << built.output;  // the stretched picture has no 240 x 160
  const ImageReader image(show.dir.file("slide.gba"));
  EXPECT_NE(image.record(0).resizedData, 0u);
  EXPECT_EQ(image.record(1).resizedData, 0u);
  // The fit byte of each record: the first after the two indices.
  const std::vector<uint8_t> project = testing::ReadAllBytes(show.dir.file("tall.vrn"));
  const std::size_t record = 2519 + tall.size() + 1 + 1 + 4;
  EXPECT_EQ(project.at(record), 2);
  EXPECT_EQ(project.at(record + tall.size() + 126), 0);

  const RunResult fromProject =
      RunBuilder(show.dir, {"--default-fit", "whole", "tall.vrn", "-o", "again.gba"});
  ASSERT_EQ(fromProject.status, 0) << fromProject.output;
  const ImageReader again(show.dir.file("again.gba"));
  // Filled: no black; whole: 53 x 160 at x 93, black on both sides.
  const std::vector<uint16_t> filled = again.pixels(again.record(0).resizedData, 240, 160);
  const std::vector<uint16_t> whole = again.pixels(again.record(1).resizedData, 240, 160);
  const uint16_t colour = testing::Pixel15(200, 100, 50);
  EXPECT_EQ(filled[0], colour);
  EXPECT_EQ(whole[0], 0);
  EXPECT_EQ(whole[92], 0);
  EXPECT_EQ(whole[93], colour);
  EXPECT_EQ(whole[145], colour);
  EXPECT_EQ(whole[146], 0);

  const RunResult bad = RunBuilder(show.dir, {"--fit", "widest", "tall.bmp"});
  EXPECT_EQ(bad.status, 2) << bad.output;
}

}  // namespace
}  // namespace varnel
