#include "project/load_command.h"

#include <gtest/gtest.h>

#include "files/file_error.h"
#include "project/load_project_document.h"
#include "project/save_command.h"
#include "tests/project/fake_project_host.h"
#include "tests/project/hand_written_files.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::Bytes;
using testing::Cat;
using testing::FakeProjectHost;
using testing::Record;
using testing::Rgb;
using testing::TempDir;

using testing::Mentions;

std::string Picture(const TempDir& dir, const std::string& name, int width, int height) {
  return testing::WriteBmp24(dir.file(name), width, height, [](int x, int y) {
    return Rgb{uint8_t(x * 9), uint8_t(y * 5), 40};
  });
}

// A host holding a show that Load should replace.
FakeProjectHost HostWithAShow(const TempDir& dir) {
  FakeProjectHost host;
  host.AddRow(Picture(dir, "old.bmp", 3, 3), 0, 0, "old");
  host.options.secondsText = "42";
  return host;
}

// A show of three pictures whose second picture is gone.
struct ThreePictureShow {
  std::string first, missing, third;
  Bytes file;
};

ThreePictureShow MakeThreePictureShow(const TempDir& dir) {
  ThreePictureShow show;
  show.first = Picture(dir, "first.bmp", 8, 6);
  show.missing = dir.file("gone.bmp");
  show.third = Picture(dir, "third.bmp", 5, 4);
  show.file =
      Cat({testing::NewShowHeader(3), testing::Zeros(2500), Record(show.first, "One\r\nTwo", 1, 7),
           Record(show.missing, "", 0, 0), Record(show.third, "", 2, 4)});
  return show;
}

TEST(LoadCommand, RemakesRowsLeavingOutMissingPicturesInOrder) {
  TempDir dir;
  const ThreePictureShow show = MakeThreePictureShow(dir);
  FakeProjectHost host = HostWithAShow(dir);
  host.openName = dir.file("show.vrn");
  testing::WriteAllBytes(host.openName, show.file);
  RunLoadCommand(host);

  ASSERT_EQ(host.rows.size(), 2u);
  EXPECT_EQ(host.rows[0], (PictureEntry{"first.bmp", "(07) FadeIn", "(01) FullSize Only",
                                        "8x6 (24Bits)", show.first, "One\r\nTwo"}));
  EXPECT_EQ(host.rows[1],
            (PictureEntry{"third.bmp", "(04) Scanlines 2 ways", "(02) Resized Only (240x160)",
                          "5x4 (24Bits)", show.third, ""}));
  SlideshowOptions expected = SlideshowOptions::DefaultsAfterNew();
  expected.introCountText = "0";  // an empty box is stored as 0
  EXPECT_EQ(host.options, expected);
  EXPECT_EQ(host.range, 4);
  EXPECT_EQ(host.position, 4);  // the bar ends full
  EXPECT_EQ(host.caption, "Varnel 1.3 (show.vrn)");
  EXPECT_EQ(host.refreshes, 1);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, MessageIcon::kWarning);
  EXPECT_TRUE(Mentions(host.messages[0].second, show.missing));
  EXPECT_FALSE(Mentions(host.messages[0].second, show.first));
}

TEST(LoadCommand, AFileThatCannotBeOpenedIsReportedAndChangesNothing) {
  TempDir dir;
  for (const std::string& path : {dir.file("none.vrn"), dir.path().string()}) {
    FakeProjectHost host = HostWithAShow(dir);
    const auto rowsBefore = host.rows;
    const auto optionsBefore = host.options;
    host.openName = path;
    RunLoadCommand(host);
    EXPECT_EQ(host.rows, rowsBefore);
    EXPECT_EQ(host.options, optionsBefore);
    EXPECT_EQ(host.refreshes, 1);
    EXPECT_EQ(host.caption, "Varnel 1.3 (New SlideShow)");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, MessageIcon::kError);
    EXPECT_TRUE(Mentions(host.messages[0].second, path)) << host.messages[0].second;
  }
  FakeProjectHost cancelled = HostWithAShow(dir);
  RunLoadCommand(cancelled);
  EXPECT_EQ(cancelled.refreshes, 0);
  EXPECT_EQ(cancelled.rows.size(), 1u);
}

TEST(LoadCommand, ACutShortFileKeepsItsCompleteRowsAndSaysSo) {
  TempDir dir;
  const std::string a = Picture(dir, "a.bmp", 2, 2);
  const std::string b = Picture(dir, "b.bmp", 3, 2);
  const Bytes whole = Cat(
      {testing::NewShowHeader(2), testing::Zeros(2500), Record(a, "x", 0, 1), Record(b, "", 2, 0)});
  const std::size_t firstEnd = 2519 + a.size() + 1 + 2 + 4 + 120;
  const std::string path = dir.file("cut.vrn");
  for (std::size_t length = 0; length < whole.size(); ++length) {
    testing::WriteAllBytes(path, Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(length)));
    FakeProjectHost host = HostWithAShow(dir);
    const auto before = host.rows;
    host.openName = path;
    RunLoadCommand(host);
    ASSERT_EQ(host.messages.size(), 1u) << length;
    EXPECT_TRUE(Mentions(host.messages[0].second, path)) << length;
    EXPECT_TRUE(Mentions(host.messages[0].second, "cut short")) << length;
    EXPECT_EQ(host.refreshes, 1) << length;
    if (length < 19) {  // not even a header: the show stays as it was
      EXPECT_EQ(host.rows, before) << length;
      EXPECT_EQ(host.options.secondsText, "42") << length;
      EXPECT_EQ(host.caption, "Varnel 1.3 (New SlideShow)") << length;
      continue;
    }
    EXPECT_EQ(host.options.secondsText, "5") << length;
    ASSERT_EQ(host.rows.size(), length >= firstEnd ? 1u : 0u) << length;
    if (!host.rows.empty()) {
      EXPECT_EQ(host.rows[0].path, a);
    }
    EXPECT_EQ(host.caption, "Varnel 1.3 (cut.vrn)") << length;
  }

  // A show without pictures that ends inside its reserved block still has its options.
  const Bytes empty = testing::EmptyNewShowFile();
  testing::WriteAllBytes(path, Bytes(empty.begin(), empty.begin() + 100));
  FakeProjectHost host = HostWithAShow(dir);
  host.openName = path;
  RunLoadCommand(host);
  EXPECT_TRUE(host.rows.empty());
  EXPECT_EQ(host.options.secondsText, "5");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].second,
            path + " is cut short, but it announces no pictures: its options were loaded.");
}

TEST(LoadCommand, SaveThenLoadRestoresTheShow) {
  TempDir dir;
  FakeProjectHost saver;
  saver.AddRow(Picture(dir, "p1.bmp", 4, 4), 2, 3, "Caf\xE9\r\nna\xEFve");
  saver.AddRow(Picture(dir, "p2.bmp", 6, 2), 1, 8, "");
  saver.options.secondsText = "05";
  saver.options.introCountText = "";
  saver.options.timeLimit = 1;
  saver.options.effectOverride = 1;
  saver.options.effectOverrideIndex = 6;
  saver.options.sizingOverrideIndex = -1;
  saver.saveName = dir.file("trip.vrn");
  RunSaveCommand(saver);
  ASSERT_TRUE(saver.messages.empty());

  FakeProjectHost loader;
  loader.openName = saver.saveName;
  RunLoadCommand(loader);
  EXPECT_TRUE(loader.messages.empty());
  EXPECT_EQ(loader.rows, saver.rows);
  SlideshowOptions expected = saver.options;
  expected.secondsText = "5";
  expected.introCountText = "0";
  EXPECT_EQ(loader.options, expected);

  // The window-free load the command-line builder uses reads the same show.
  const ProjectDocumentLoad load = LoadProjectDocument(saver.saveName);
  EXPECT_EQ(load.document.rows, saver.rows);
  EXPECT_EQ(load.document.options, expected);
  EXPECT_TRUE(load.problems.empty());
}

TEST(LoadProjectDocument, ReportsLeftOutPicturesAndRefusesFilesWithoutAHeader) {
  TempDir dir;
  const ThreePictureShow show = MakeThreePictureShow(dir);
  const std::string path = dir.file("show.vrn");
  testing::WriteAllBytes(path, show.file);
  const ProjectDocumentLoad load = LoadProjectDocument(path);
  ASSERT_EQ(load.document.rows.size(), 2u);
  EXPECT_EQ(load.leftOut, std::vector<std::string>{show.missing});
  EXPECT_TRUE(Mentions(load.problems, show.missing));

  testing::WriteAllBytes(path, Bytes(show.file.begin(), show.file.begin() + 10));
  EXPECT_THROW(LoadProjectDocument(path), FileError);
  EXPECT_THROW(LoadProjectDocument(dir.file("none.vrn")), FileError);
}

}  // namespace
}  // namespace varnel
