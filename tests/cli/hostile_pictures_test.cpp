// Pictures made to crash the picture library or to exhaust memory, through varnel-build as
// a script runs it: each is named and left out, everything else is built.
#include "tests/support/hostile_pictures.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "project/project_file_writer.h"
#include "tests/cli/builder_process.h"
#include "tests/support/image_reader.h"
#include "tests/support/project_bytes.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::Mentions;
using testing::RunBuilder;
using testing::RunResult;

constexpr char kDamaged[] = ": the picture could not be loaded (the file is damaged)";

struct HostileShow : testing::ScratchShow {
  HostileShow()
      : zeroSize(testing::WriteGif(dir.file("zero.gif"), testing::ZeroSizeImageGif())),
        huge(testing::WriteGif(dir.file("huge.gif"), testing::HugeImageGif())),
        codeSizeTwelve(testing::WriteGif(dir.file("code12.gif"), testing::CodeSizeTwelveGif())),
        bomb(testing::WriteDecompressionBomb(dir.file("bomb.png"))) {}

  std::vector<std::string> Pictures() const { return {a, zeroSize, huge, codeSizeTwelve, bomb, b}; }

  void ExpectEachNamed(const RunResult& run) const {
    for (const std::string& gif : {zeroSize, huge, codeSizeTwelve})
      EXPECT_TRUE(Mentions(run.output, "left out " + gif + kDamaged)) << run.output;
    EXPECT_TRUE(Mentions(run.output, "left out " + bomb +
                                         ": the picture could not be loaded (the picture is too "
                                         "large: 16383 x 32770 pixels"))
        << run.output;
  }

  std::string zeroSize, huge, codeSizeTwelve, bomb;
};

TEST(HostilePictures, BuildsAndPlansNameEachAndLeaveItOut) {
  HostileShow show;
  for (const char* jobs : {"1", "2"}) {
    std::vector<std::string> build = {"--jobs", jobs};
    for (const std::string& picture : show.Pictures()) build.push_back(picture);
    const RunResult built = RunBuilder(show.dir, build);
    EXPECT_EQ(built.status, 3) << jobs << " workers: " << built.output;
    show.ExpectEachNamed(built);
    EXPECT_TRUE(Mentions(built.output, "(2 pictures)")) << built.output;
    const testing::ImageReader image(show.dir.file("slide.gba"));
    EXPECT_EQ(image.header().pictureCount, 2);
    EXPECT_EQ(image.record(0).width, 64);
    EXPECT_EQ(image.record(1).width, 300);

    build.insert(build.begin(), "--plan");
    const RunResult planned = RunBuilder(show.dir, build);
    EXPECT_EQ(planned.status, 3) << jobs << " workers: " << planned.output;  // as the build
    show.ExpectEachNamed(planned);
    EXPECT_TRUE(Mentions(planned.output, "a.bmp")) << planned.output;
    EXPECT_TRUE(Mentions(planned.output, "b.bmp")) << planned.output;
  }
  // The same pictures named by a project file, built and planned.
  std::vector<StoredPicture> stored;
  for (const std::string& picture : show.Pictures()) stored.push_back({picture, "", 0, 0});
  const std::string project = show.dir.file("show.vrn");
  testing::WriteAllBytes(project,
                         testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), stored));
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{project}, std::vector<std::string>{"--plan", project}}) {
    const RunResult run = RunBuilder(show.dir, arguments);
    EXPECT_EQ(run.status, 3) << run.output;
    show.ExpectEachNamed(run);
  }
  std::filesystem::remove(project);
  // Nothing but the pictures, the viewer and the image: no file of a builder that died.
  EXPECT_EQ(testing::FileNamesIn(show.dir),
            (std::vector<std::string>{"Src.res", "a.bmp", "b.bmp", "bomb.png", "code12.gif",
                                      "huge.gif", "slide.gba", "zero.gif"}));
}

// Peak memory of a whole varnel-build run, in KiB, and its exit status.
std::pair<long, int> PeakMemoryOfBuild(const testing::TempDir& dir,
                                       const std::vector<std::string>& arguments) {
  const pid_t pid = testing::StartBuilder(dir, arguments);
  int status = 0;
  rusage usage{};
  while (::wait4(pid, &status, 0, &usage) < 0) {
  }
  return {usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status)};
}

TEST(HostilePictures, ADecompressionBombCostsLessThanOneHundredMebibytes) {
  HostileShow show;
  constexpr long kLimitKiB = 100 * 1024;
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--sizing-override", "2", show.a, show.bomb},
        std::vector<std::string>{"--plan", show.a, show.bomb},
        std::vector<std::string>{"--jobs", "2", show.bomb, show.bomb, show.a}}) {
    const auto [peakKiB, status] = PeakMemoryOfBuild(show.dir, arguments);
    EXPECT_EQ(status, 3) << arguments[0];  // the plan exits as the build
    EXPECT_LT(peakKiB, kLimitKiB) << arguments[0];
  }
}

// Each worker holds the picture it converts and nothing more: two workers hold one
// picture more than one worker, however many pictures the show has. (Decoders once kept
// idle buffers while another decoder made a new one: a third or fourth picture at the peak
// in about half the builds.)
TEST(BuildMemory, TwoWorkersHoldOnePictureMoreThanOne) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "a sanitizer's runtime keeps freed memory back for a while";
#endif
  testing::ScratchShow show;
  constexpr int kWidth = 3000, kHeight = 2000;
  constexpr long kPictureKiB = long{kWidth} * kHeight * 3 / 1024;
  std::vector<std::string> pictures;
  for (int i = 0; i < 6; ++i) {
    pictures.push_back("--sizing");
    pictures.push_back("2");
    pictures.push_back(testing::WriteBmp24(
        show.dir.file("large" + std::to_string(i) + ".bmp"), kWidth, kHeight, [i](int x, int y) {
          return testing::Rgb{uint8_t(x + i), uint8_t(y), uint8_t(x ^ y)};
        }));
  }
  const auto peakWith = [&](const char* jobs) {
    std::vector<std::string> arguments = {"--jobs", jobs};
    arguments.insert(arguments.end(), pictures.begin(), pictures.end());
    long peak = 0;
    for (int run = 0; run < 4; ++run) {
      const auto [peakKiB, status] = PeakMemoryOfBuild(show.dir, arguments);
      EXPECT_EQ(status, 0) << jobs << " workers";
      peak = std::max(peak, peakKiB);
    }
    return peak;
  };
  const long alone = peakWith("1");
  const long two = peakWith("2");
  EXPECT_LT(two, alone + kPictureKiB * 3 / 2) << alone << " KiB with one worker";
}

TEST(HostilePictures, ADecoderKilledMidPictureIsReplacedAndTheBuildGoesOn) {
  testing::ScratchShow show;
  const std::string slow = testing::WriteGif(show.dir.file("slow.gif"), testing::SlowGif());
  const std::string after = testing::WriteGif(show.dir.file("after.gif"), testing::GifLayout{});
  for (const char* jobs : {"1", "2"}) {
    const std::string output = show.dir.file("output.txt");
    const pid_t builder = testing::StartBuilder(
        show.dir,
        {"--jobs", jobs, show.a, "--sizing", "2", slow, after, show.b, "-o", "killed.gba"}, output);
    const auto building = [builder] {
      siginfo_t ended{};
      return ::waitid(P_PID, static_cast<id_t>(builder), &ended, WEXITED | WNOHANG | WNOWAIT) ==
                 0 &&
             ended.si_pid == 0;
    };
    ASSERT_TRUE(testing::KillDecoderMidPicture(builder, slow, building)) << jobs << " workers";
    EXPECT_EQ(testing::WaitForBuilder(builder), 3) << jobs << " workers";
    const std::vector<uint8_t> said = testing::ReadAllBytes(output);
    const std::string text(said.begin(), said.end());
    EXPECT_TRUE(Mentions(text, "left out " + slow +
                                   ": the picture could not be loaded (the picture library "
                                   "failed on this file)"))
        << text;
    EXPECT_TRUE(Mentions(text, "(3 pictures)")) << text;
    const testing::ImageReader image(show.dir.file("killed.gba"));
    ASSERT_EQ(image.header().pictureCount, 3);
    EXPECT_EQ(image.record(0).width, 64);
    EXPECT_EQ(image.record(1).width, 8);  // after.gif, decoded by a fresh decoder
    EXPECT_EQ(image.record(2).width, 300);
  }
}

}  // namespace
}  // namespace varnel
