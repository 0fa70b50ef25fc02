// What varnel-build says and how it exits: messages that cannot drive the terminal, exit
// statuses a script can trust, and pictures looked for where a moved project has them.
#include <gtest/gtest.h>

#include <filesystem>

#include "project/project_file_writer.h"
#include "tests/cli/builder_process.h"
#include "tests/support/image_reader.h"
#include "tests/support/project_bytes.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using testing::ImageReader;
using testing::Mentions;
using testing::ReadAllBytes;
using testing::RunBuilder;
using testing::RunResult;

struct Show : testing::ScratchShow {
  std::string Project(const std::string& name, const std::vector<std::string>& pictures) const {
    std::vector<StoredPicture> stored;
    for (const std::string& picture : pictures) stored.push_back({picture, "", 0, 0});
    testing::WriteAllBytes(dir.file(name),
                           testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), stored));
    return dir.file(name);
  }
  std::string Broken() const {
    testing::WriteAllBytes(dir.file("broken.png"), {0x89, 'P', 'N', 'G', 1, 2, 3});
    return dir.file("broken.png");
  }
};

TEST(Messages, NoEscapeSequenceReachesTheTerminal) {
  Show show;
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string said;
  };
  const std::vector<Case> cases = {
      {{"--\x1b[2J", "a.bmp"}, 2, "unknown option --\\x1b[2J"},
      {{"--effect", "\x1b[2J", "a.bmp"}, 2, "not '\\x1b[2J'"},
      {{"--seconds=\x1b[2J", "a.bmp"}, 2, "not '\\x1b[2J'"},
      {{"--template", "no\x1b[2J.res", "a.bmp"}, 1, "no\\x1b[2J.res"},
      // A caption the console cannot show is refused naming the character.
      {{"--caption", "red\x1b[31m", "a.bmp"},
       2,
       "'red\\x1b[31m' cannot be used: U+001B (a control character) is not in the console's "
       "font"},
      {{"--caption", "Tea \xE2\x80\x93 five", "a.bmp"},
       2,
       "U+2013 EN DASH is not in the console's font"},
      {{"--caption", "\xE2\x98\x80", "a.bmp"}, 2, "U+2600 BLACK SUN WITH RAYS is not in"},
      {{"--caption", "\xE6\x9D\xB1\xE4\xBA\xAC", "a.bmp"},
       2,
       "U+6771 CJK UNIFIED IDEOGRAPH-6771 is not in"},
      {{"--caption", "\xF0\x9F\x98\x80", "a.bmp"}, 2, "U+1F600 GRINNING FACE is not in"},
  };
  for (const Case& c : cases) {
    const RunResult run = RunBuilder(show.dir, c.arguments);
    EXPECT_EQ(run.status, c.status) << run.output;
    EXPECT_TRUE(Mentions(run.output, c.said)) << run.output;
    EXPECT_EQ(run.output.find('\x1b'), std::string::npos) << run.output;
  }
  // Latin-1 letters and line breaks are the console's own.
  const RunResult run = RunBuilder(show.dir, {"--caption", "Caf\xC3\xA9\nbar", "a.bmp"});
  EXPECT_EQ(run.status, 0) << run.output;
}

TEST(ExitStatus, StandardOutputThatCannotBeWrittenFailsTheProgram) {
  Show show;
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--plan", "a.bmp"},
                                                    {"--help"},
                                                    {"--version"},
                                                    {"a.bmp", "-o", "written.gba"}}) {
    const RunResult run = testing::RunBuilderWithOutputTo(show.dir, arguments, "/dev/full");
    EXPECT_EQ(run.status, 1) << arguments[0] << ": " << run.output;
    EXPECT_TRUE(Mentions(run.output, "could not write to standard output")) << run.output;
  }
  const RunResult run = testing::RunBuilderWithOutputTo(show.dir, {"--plan", "a.bmp"}, "/dev/null");
  EXPECT_EQ(run.status, 0) << run.output;
}

// A plan exits as the build of the same show: 3 when something named is left out, 1 when
// nothing named could be included (the build then keeps the image there), 0 otherwise.
TEST(ExitStatus, ThePlanExitsAsTheBuildOfTheSameShow) {
  Show show;
  const std::string thin = testing::WriteBmp24(show.dir.file("thin.bmp"), 1, 300,
                                               [](int, int) { return testing::Rgb{}; });
  const std::string missing = show.dir.file("missing.bmp");
  const std::string broken = show.Broken();
  struct Case {
    std::vector<std::string> show;
    int status;
  };
  const std::vector<Case> cases = {
      {{show.a, show.b}, 0},
      {{show.a, missing}, 3},
      {{broken, show.a}, 3},
      {{thin, show.a}, 3},  // no version of the thin picture can be made
      {{show.Project("half.vrn", {show.a, missing})}, 3},
      {{missing}, 1},
      {{broken, missing}, 1},
      {{show.Project("none.vrn", {missing, broken})}, 1},
      {{show.Project("empty.vrn", {})}, 0},  // names no picture: an empty show
  };
  const std::vector<uint8_t> oldImage = {'o', 'l', 'd'};
  for (const Case& c : cases) {
    std::vector<std::string> plan = {"--plan"};
    plan.insert(plan.end(), c.show.begin(), c.show.end());
    const RunResult planned = RunBuilder(show.dir, plan);
    EXPECT_EQ(planned.status, c.status) << planned.output;

    testing::WriteAllBytes(show.dir.file("slide.gba"), oldImage);
    const RunResult built = RunBuilder(show.dir, c.show);
    EXPECT_EQ(built.status, c.status) << built.output;
    if (c.status == 1) {
      EXPECT_EQ(ReadAllBytes(show.dir.file("slide.gba")), oldImage);
      EXPECT_TRUE(Mentions(built.output, "could be included, so slide.gba was left as it was") ||
                  Mentions(built.output, "could be put into the image, so " +
                                             show.dir.file("slide.gba") + " was left as it was"))
          << built.output;
    } else {
      EXPECT_NE(ReadAllBytes(show.dir.file("slide.gba")), oldImage);
    }
  }
}

TEST(MovedProject, PicturesAreLookedForWhereAMovedProjectHasThem) {
  Show show;
  // The project and its pictures were moved from old/ to moved/; the project still names
  // the old places (and one picture by a path written on Windows).
  fs::create_directories(show.dir.file("moved/photos/2024"));
  fs::copy_file(show.a, show.dir.file("moved/photos/2024/a.bmp"));
  fs::copy_file(show.b, show.dir.file("moved/a.bmp"));  // a namesake farther from the path
  fs::copy_file(show.b, show.dir.file("moved/b.bmp"));
  // A picture still where the project says, but damaged, is not replaced by a namesake.
  fs::create_directories(show.dir.file("old"));
  testing::WriteAllBytes(show.dir.file("old/c.png"), {0x89, 'P', 'N', 'G', 1, 2, 3});
  fs::copy_file(show.a, show.dir.file("moved/c.png"));
  const std::string stored = show.dir.file("old/photos/2024/a.bmp");
  show.Project("moved/show.vrn", {stored, "C:\\Users\\me\\Pictures\\b.bmp",
                                  show.dir.file("old/c.png"), show.dir.file("old/gone.bmp")});

  const RunResult run = RunBuilder(show.dir, {"moved/show.vrn", "-o", "out.gba"});
  EXPECT_EQ(run.status, 3) << run.output;
  EXPECT_TRUE(
      Mentions(run.output, "found " + stored + " at " + show.dir.file("moved/photos/2024/a.bmp")))
      << run.output;
  EXPECT_TRUE(Mentions(run.output,
                       "found C:\\Users\\me\\Pictures\\b.bmp at " + show.dir.file("moved/b.bmp")))
      << run.output;
  EXPECT_TRUE(Mentions(run.output, "left out " + show.dir.file("old/c.png"))) << run.output;
  EXPECT_TRUE(Mentions(run.output, "left out " + show.dir.file("old/gone.bmp"))) << run.output;
  const ImageReader image(show.dir.file("out.gba"));
  ASSERT_EQ(image.header().pictureCount, 2);
  EXPECT_EQ(image.record(0).width, 64);  // a.bmp, not its namesake of 300 x 200
  EXPECT_EQ(image.record(1).width, 300);
}

}  // namespace
}  // namespace varnel
