// A build never loses the image it replaces nor any file it reads: refused outputs,
// failures part way and signals leave every file as it was and nothing beside it.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "project/project_file_writer.h"
#include "tests/cli/builder_process.h"
#include "tests/support/image_reader.h"
#include "tests/support/project_bytes.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::FileNamesIn;
using testing::ReadAllBytes;
using testing::Rgb;
using testing::RunBuilder;
using testing::RunResult;

using testing::Mentions;

// A work directory with a viewer program, two pictures and a good image from an
// earlier build.
struct Show : testing::ScratchShow {
  std::vector<uint8_t> oldImage = {'o', 'l', 'd', ' ', 's', 'h', 'o', 'w'};
  Show() { testing::WriteAllBytes(dir.file("slide.gba"), oldImage); }
  std::vector<std::string> InitialFiles() const {
    return {"Src.res", "a.bmp", "b.bmp", "slide.gba"};
  }
};

// Whether a process has a file open in the folder that is no file of the folder's own:
// the new image, unnamed or under a hidden name.
bool WritesNewFileIn(pid_t process, const testing::TempDir& dir) {
  std::error_code error;
  const std::string folder = dir.path().string() + "/";
  for (const auto& entry :
       std::filesystem::directory_iterator("/proc/" + std::to_string(process) + "/fd", error)) {
    const std::string file = std::filesystem::read_symlink(entry.path(), error).string();
    if (file.starts_with(folder + "#") || file.starts_with(folder + ".slide.gba.")) return true;
  }
  return false;
}

TEST(OutputSafety, AnOutputThatIsAnInputIsRefusedNamingBoth) {
  Show show;
  SlideshowOptions options = SlideshowOptions::DefaultsAfterNew();
  const std::vector<StoredPicture> pictures = {{show.a, "", 0, 0}};
  const std::vector<uint8_t> project = testing::ProjectFileBytes(options, pictures);
  testing::WriteAllBytes(show.dir.file("s.vrn"), project);
  const std::vector<uint8_t> viewer = ReadAllBytes(show.dir.file("Src.res"));
  const std::vector<uint8_t> pictureBytes = ReadAllBytes(show.a);
  std::filesystem::create_hard_link(show.a, show.dir.file("same-as-a.gba"));
  std::filesystem::create_symlink(show.b, show.dir.file("points-at-b.gba"));

  struct Case {
    std::vector<std::string> arguments;
    std::string output;
    std::string input;
  };
  const std::vector<Case> cases = {
      {{"-o", "s.vrn", "s.vrn"}, "s.vrn", "s.vrn"},
      {{"--template", "Src.res", "-o", "Src.res", "a.bmp"}, "Src.res", "Src.res"},
      {{"a.bmp", "-o", "./a.bmp"}, "./a.bmp", "a.bmp"},
      {{"a.bmp", "b.bmp", "-o", "same-as-a.gba"}, "same-as-a.gba", "a.bmp"},
      {{"a.bmp", "b.bmp", "-o", "points-at-b.gba"}, "points-at-b.gba", "b.bmp"},
      {{"-o", "Src.res", "a.bmp"}, "Src.res", "Src.res"},  // the template found by default
  };
  for (const Case& c : cases) {
    const RunResult run = RunBuilder(show.dir, c.arguments);
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_TRUE(Mentions(run.output, c.output + " is the same file as")) << run.output;
    EXPECT_TRUE(Mentions(run.output, c.input)) << run.output;
  }
  EXPECT_EQ(ReadAllBytes(show.dir.file("s.vrn")), project);
  EXPECT_EQ(ReadAllBytes(show.dir.file("Src.res")), viewer);
  EXPECT_EQ(ReadAllBytes(show.a), pictureBytes);
  EXPECT_TRUE(std::filesystem::is_symlink(show.dir.file("points-at-b.gba")));
  EXPECT_EQ(ReadAllBytes(show.dir.file("slide.gba")), show.oldImage);
  EXPECT_EQ(FileNamesIn(show.dir).size(), show.InitialFiles().size() + 3);
}

// The saved project is an output too: checked against every input, and against the
// image, before anything at all is written.
TEST(OutputSafety, ASavedProjectIsNoInputAndNotTheImage) {
  Show show;
  testing::WriteAllBytes(show.dir.file("broken.png"), {0x89, 'P', 'N', 'G', 1, 2, 3});
  const std::vector<StoredPicture> pictures = {{show.a, "", 0, 0},
                                               {show.dir.file("broken.png"), "", 0, 0}};
  testing::WriteAllBytes(show.dir.file("s.vrn"),
                         testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), pictures));
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  for (const std::string& name : FileNamesIn(show.dir))
    files.emplace_back(name, ReadAllBytes(show.dir.file(name)));

  struct Case {
    std::vector<std::string> arguments;
    std::string said;
  };
  const std::vector<Case> cases = {
      {{"a.bmp", "--save-project", "a.bmp", "-o", "new.gba"},
       "The project file a.bmp is the same file as the picture a.bmp"},
      {{"a.bmp", "--save-project", "Src.res", "-o", "new.gba"},
       "The project file Src.res is the same file as the viewer program"},
      {{"s.vrn", "--save-project", "a.bmp", "-o", "new.gba"},
       "The project file a.bmp is the same file as the picture " + show.a},
      // A picture of the project that does not load is an input all the same.
      {{"s.vrn", "--save-project", "new.vrn", "-o", "broken.png"},
       "The image broken.png is the same file as the picture " + show.dir.file("broken.png")},
      {{"a.bmp", "--save-project", "new.vrn", "-o", "./new.vrn"}, "would be one file"},
  };
  for (const Case& c : cases) {
    const RunResult run = RunBuilder(show.dir, c.arguments);
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_TRUE(Mentions(run.output, c.said)) << run.output;
  }
  for (const auto& [name, bytes] : files)
    EXPECT_EQ(ReadAllBytes(show.dir.file(name)), bytes) << name;
  EXPECT_EQ(FileNamesIn(show.dir).size(), files.size());
}

TEST(OutputSafety, AFailedBuildLeavesThePreviousImageAndNoOtherFile) {
  Show show;
  // The file size limit stops the writes part way, as a full disk would.
  RunResult run = RunBuilder(show.dir, {show.a, show.b}, "ulimit -f 700");
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_TRUE(Mentions(run.output, "slide.gba")) << run.output;
  EXPECT_TRUE(Mentions(run.output, "File too large")) << run.output;
  EXPECT_EQ(ReadAllBytes(show.dir.file("slide.gba")), show.oldImage);
  EXPECT_EQ(FileNamesIn(show.dir), show.InitialFiles());

  // A template that is no program is refused before the image is touched.
  testing::WriteAllBytes(show.dir.file("Src.res"), std::vector<uint8_t>(3000, 0x11));
  run = RunBuilder(show.dir, {show.a});
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_EQ(ReadAllBytes(show.dir.file("slide.gba")), show.oldImage);
  EXPECT_EQ(FileNamesIn(show.dir), show.InitialFiles());
}

TEST(OutputSafety, ASignalPartWayLeavesThePreviousImageAndNoOtherFile) {
  Show show;
  // Enough pictures that the build is still writing when the signal comes.
  const std::string big = testing::WriteBmp24(show.dir.file("big.bmp"), 800, 600, [](int x, int y) {
    return Rgb{uint8_t(x), uint8_t(y), uint8_t(x ^ y)};
  });
  // Only the small versions, so that the show fits a cartridge.
  std::vector<std::string> arguments = {"--sizing-override", "2"};
  arguments.insert(arguments.end(), 200, big);
  std::vector<std::string> files = show.InitialFiles();
  files.insert(files.begin() + 3, "big.bmp");
  // SIGKILL gives the builder no chance to clean up: the new image must have no name.
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGKILL}) {
    SCOPED_TRACE(signal);
    const pid_t builder = testing::StartBuilder(show.dir, arguments);
    // The signal comes once the new image has begun beside the old one.
    bool writing = false;
    for (int tries = 0; tries < 4000 && !writing; ++tries) {
      writing = WritesNewFileIn(builder, show.dir);
      if (!writing) std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    EXPECT_TRUE(writing);
    ::kill(builder, signal);
    EXPECT_EQ(testing::WaitForBuilder(builder), -signal);
    EXPECT_EQ(ReadAllBytes(show.dir.file("slide.gba")), show.oldImage);
    EXPECT_EQ(FileNamesIn(show.dir), files);
  }
}

TEST(OutputSafety, ASuccessfulBuildReplacesTheImageWhole) {
  Show show;
  ::chmod(show.dir.file("slide.gba").c_str(), 0640);
  const RunResult run = RunBuilder(show.dir, {show.a});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(Mentions(run.output, "slide.gba (1 pictures)")) << run.output;
  EXPECT_EQ(testing::ImageReader(show.dir.file("slide.gba")).header().pictureCount, 1);
  EXPECT_EQ(std::filesystem::status(show.dir.file("slide.gba")).permissions(),
            std::filesystem::perms(0640));
  EXPECT_EQ(FileNamesIn(show.dir), show.InitialFiles());
}

TEST(OutputSafety, AnyLegalNameAndALinkToAFileNotYetMadeTakeTheImage) {
  Show show;
  const std::string longName = std::string(251, 'n') + ".gba";
  RunResult run = RunBuilder(show.dir, {show.a, "-o", longName});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(testing::ImageReader(show.dir.file(longName)).header().pictureCount, 1);

  // A link whose file does not exist yet: the file is made and the link stays.
  std::filesystem::create_directory(show.dir.file("shows"));
  std::filesystem::create_symlink("shows/new.gba", show.dir.file("link.gba"));
  run = RunBuilder(show.dir, {show.a, show.b, "-o", "link.gba"});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(std::filesystem::is_symlink(show.dir.file("link.gba")));
  EXPECT_EQ(testing::ImageReader(show.dir.file("shows/new.gba")).header().pictureCount, 2);

  std::vector<std::string> files = show.InitialFiles();
  files.insert(files.end(), {"link.gba", longName, "shows"});
  std::sort(files.begin(), files.end());
  EXPECT_EQ(FileNamesIn(show.dir), files);
}

}  // namespace
}  // namespace varnel
