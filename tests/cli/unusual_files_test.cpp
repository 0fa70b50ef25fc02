// Files that are not what a build expects: FIFOs, devices, folders, empty or foreign
// viewer programs, names with control characters, and project files named in capitals.
// Each is refused or left out at once with a message; nothing hangs.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "project/project_file_writer.h"
#include "tests/cli/builder_process.h"
#include "tests/support/image_reader.h"
#include "tests/support/project_bytes.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::ImageReader;
using testing::RunBuilder;
using testing::RunResult;

using testing::Mentions;

struct Show : testing::ScratchShow {
  std::string Fifo(const std::string& name) const {
    const std::string path = dir.file(name);
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
  }
  std::string Project(const std::string& name, const std::vector<std::string>& pictures) const {
    std::vector<StoredPicture> stored;
    for (const std::string& picture : pictures) stored.push_back({picture, "", 0, 0});
    testing::WriteAllBytes(dir.file(name),
                           testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), stored));
    return dir.file(name);
  }
};

TEST(SpecialFiles, FifosAndFoldersAreRefusedWithoutWaiting) {
  Show show;
  const std::string fifo = show.Fifo("pipe.bmp");

  RunResult run = RunBuilder(show.dir, {fifo, show.a, "-o", "one.gba"});
  EXPECT_EQ(run.status, 3) << run.output;
  EXPECT_TRUE(Mentions(run.output, "left out " + fifo)) << run.output;
  EXPECT_TRUE(Mentions(run.output, "not an ordinary file")) << run.output;
  EXPECT_EQ(ImageReader(show.dir.file("one.gba")).header().pictureCount, 1);

  run = RunBuilder(show.dir, {show.dir.path().string(), show.a, "-o", "two.gba"});
  EXPECT_EQ(run.status, 3) << run.output;
  EXPECT_TRUE(Mentions(run.output, "left out " + show.dir.path().string())) << run.output;

  run = RunBuilder(show.dir, {"--template", show.Fifo("pipe.res"), show.a});
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_TRUE(Mentions(run.output, "pipe.res: it is not an ordinary file")) << run.output;

  run = RunBuilder(show.dir, {show.Fifo("pipe.vrn")});
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_TRUE(Mentions(run.output, "pipe.vrn: it is not an ordinary file")) << run.output;

  // A FIFO named inside a project is a picture that does not load.
  run = RunBuilder(show.dir, {show.Project("named.vrn", {fifo, show.a}), "-o", "three.gba"});
  EXPECT_EQ(run.status, 3) << run.output;
  EXPECT_TRUE(Mentions(run.output, "left out " + fifo)) << run.output;
  EXPECT_EQ(ImageReader(show.dir.file("three.gba")).header().pictureCount, 1);
  EXPECT_FALSE(std::filesystem::exists(show.dir.file("slide.gba")));
}

TEST(SpecialFiles, OnlyAWholeConsoleProgramServesAsViewer) {
  Show show;
  struct Case {
    std::string template_;
    std::string said;
  };
  testing::WriteAllBytes(show.dir.file("empty.res"), {});
  testing::WriteAllBytes(show.dir.file("data.res"), std::vector<uint8_t>(3000, 0x11));
  std::vector<uint8_t> noFixedByte = testing::FakeViewerProgram(3000, 0x11);
  noFixedByte[0xB2] = 0;
  testing::WriteAllBytes(show.dir.file("nofixed.res"), noFixedByte);
  std::vector<uint8_t> noBranch = testing::FakeViewerProgram(3000, 0x11);
  noBranch[3] = 0;
  testing::WriteAllBytes(show.dir.file("nobranch.res"), noBranch);
  const std::vector<Case> cases = {
      {"/dev/zero", "it is not an ordinary file"},
      {"/proc/self/status", "has no cartridge header"},  // its size says 0 bytes
      {show.dir.file("empty.res"), "is empty"},
      {show.dir.file("data.res"), "has no cartridge header"},
      {show.dir.file("nofixed.res"), "has no cartridge header"},
      {show.dir.file("nobranch.res"), "has no cartridge header"},
  };
  for (const Case& c : cases) {
    const RunResult run = RunBuilder(show.dir, {"--template", c.template_, show.a});
    EXPECT_EQ(run.status, 1) << c.template_ << "\n" << run.output;
    EXPECT_TRUE(Mentions(run.output, c.said)) << run.output;
  }
  EXPECT_FALSE(std::filesystem::exists(show.dir.file("slide.gba")));
}

TEST(SpecialFiles, AProjectFileIsKnownByItsExtensionInAnyCase) {
  Show show;
  show.Project("UP.VRN", {show.a, show.a});
  show.Project("Mixed.Vrn", {show.a});
  RunResult run = RunBuilder(show.dir, {"UP.VRN", "-o", "up.gba"});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(ImageReader(show.dir.file("up.gba")).header().pictureCount, 2);
  run = RunBuilder(show.dir, {"Mixed.Vrn", "-o", "mixed.gba"});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(ImageReader(show.dir.file("mixed.gba")).header().pictureCount, 1);
}

TEST(SpecialFiles, ControlCharactersInNamesAreShownEscaped) {
  Show show;
  // A project that names a picture with a terminal command in its name.
  const std::string hostile = show.dir.file("red\x1b[31mtext\x07\n.bmp");
  const std::string project = show.Project("hostile.vrn", {hostile, show.a});
  RunResult run = RunBuilder(show.dir, {project, "-o", "out\x1b]0;title\x07.gba"});
  EXPECT_EQ(run.status, 3) << run.output;
  EXPECT_EQ(run.output.find('\x1b'), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find('\x07'), std::string::npos) << run.output;
  EXPECT_TRUE(Mentions(run.output, "red\\x1b[31mtext\\x07\\n.bmp")) << run.output;
  EXPECT_TRUE(Mentions(run.output, "out\\x1b]0;title\\x07.gba")) << run.output;
}

}  // namespace
}  // namespace varnel
