// Build, Add and Load make their rows or the image on workers while the window's thread
// shows the progress, refuses input and takes a stop; the end of a Build is told once.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/ui/window_model_fixture.h"
#include "ui/model/build_report.h"
#include "ui/model/not_added_report.h"
#include "ui/model/row_maker.h"

namespace varnel {
namespace {

class LongCommandTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(300, 0xAB));
  }
  void Build() { dlg.Dispatch(Notification::kCommand, kCmdBuildSlideShow); }
  std::string Image() const { return work.file("slide.gba"); }
};

TEST_F(LongCommandTest, AFinishedBuildSaysWhereTheImageWentAndWhatWasLeftOut) {
  ASSERT_TRUE(dlg.AddRow(Picture("a.bmp", 40, 30), 0, 0, ""));
  ASSERT_TRUE(dlg.AddRow(Picture("gone.bmp", 40, 30), 0, 0, ""));
  ASSERT_TRUE(dlg.AddRow(Picture("c.bmp", 40, 30), 2, 0, ""));
  Build();
  // All went in: a status line, no box.
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(dlg.statusText(), "Wrote " + Image() + " (3 pictures).");
  // The full path, which a narrow line shortens from its start.
  EXPECT_EQ(dlg.statusShortenable(), Image());

  std::filesystem::remove(work.file("gone.bmp"));
  Build();
  EXPECT_EQ(dlg.statusText(), "Wrote " + Image() + " (2 pictures), 1 left out.");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].icon, MessageBoxIcon::kExclamation);
  EXPECT_TRUE(platform.messages[0].text.starts_with("The slideshow was written to " + Image() +
                                                    ", but not all of it:\n\n"
                                                    "This picture was left out:\n" +
                                                    work.file("gone.bmp") + ": "))
      << platform.messages[0].text;
  EXPECT_FALSE(dlg.busy());
  EXPECT_FALSE(dlg.buildRunning());
}

TEST_F(LongCommandTest, BuildTakesNoInputButAStopAndEndsWithoutAnImage) {
  // Pictures large enough that the stop, asked for at the first update, always comes
  // before the build could end, however briefly a busy machine runs the window's thread.
  for (int i = 0; i < 6; ++i)
    ASSERT_TRUE(dlg.AddRow(Picture("p" + std::to_string(i) + ".bmp", 800, 600), 0, 0, ""));
  std::vector<bool> cancelShown;
  platform.duringUpdate = [&] {
    cancelShown.push_back(dlg.buildRunning());
    EXPECT_FALSE(dlg.Dispatch(Notification::kClicked, kIdClear));
    EXPECT_FALSE(dlg.Dispatch(Notification::kKeyDown, kIdPictureList, kKeyDelete));
    dlg.RequestStop();
  };
  Build();
  ASSERT_FALSE(cancelShown.empty());
  EXPECT_TRUE(cancelShown.front());
  EXPECT_EQ(dlg.RowCount(), 6);
  EXPECT_EQ(dlg.statusText(), "Build stopped: " + Image() + " was not written.");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_LT(dlg.progressBar().position(), dlg.progressBar().maximum());
  EXPECT_FALSE(dlg.buildRunning());

  // A stop asked for between commands does not reach the next one.
  platform.duringUpdate = nullptr;
  dlg.RequestStop();
  Build();
  EXPECT_EQ(dlg.statusText(), "Wrote " + Image() + " (6 pictures).");
}

TEST_F(LongCommandTest, AddMakesRowsInTheChosenOrderWithTheProgressBar) {
  std::vector<std::string> chosen;
  for (int i = 0; i < 12; ++i) {
    const std::string name = "p" + std::to_string(i) + ".bmp";
    if (i % 4 == 1) {
      testing::WriteAllBytes(work.file(name), {'n', 'o'});  // not a picture
    } else {
      Picture(name, 30 + i, 20);
    }
    chosen.push_back(work.file(name));
  }
  platform.filesToChoose = chosen;
  dlg.Dispatch(Notification::kClicked, kIdAdd);
  std::vector<std::string> names;
  for (const PictureEntry& row : dlg.document().rows) names.push_back(row.fileName);
  EXPECT_EQ(names, (std::vector<std::string>{"p0.bmp", "p2.bmp", "p3.bmp", "p4.bmp", "p6.bmp",
                                             "p7.bmp", "p8.bmp", "p10.bmp", "p11.bmp"}));
  EXPECT_EQ(dlg.document().rows[8].sizeText, "41x20 (24Bits)");
  EXPECT_EQ(dlg.progressBar().maximum(), 12);
  EXPECT_EQ(dlg.progressBar().position(), 12);
  EXPECT_TRUE(dlg.control(kIdUp).enabled);  // the enabling rules ran
  EXPECT_FALSE(dlg.busy());
}

// The window shows rows in groups: a wait long enough for every picture gives them all
// at once, not only those made when the first came.
TEST(RowMaker, GivesEveryResultOnceInRequestOrderAllTogetherWhenTimeAllows) {
  testing::TempDir dir;
  std::vector<RowRequest> requests;
  for (int i = 0; i < 40; ++i) {
    const std::string path = dir.file("p" + std::to_string(i) + ".bmp");
    if (i % 7 != 3)
      testing::WriteBmp24(path, 400 + i, 300, [](int, int) { return testing::Rgb{1, 2, 3}; });
    requests.push_back({path, i % 3, i % 9, "c" + std::to_string(i)});
  }
  RowMaker maker(requests, 3);
  const std::vector<MakeRowResult> results = maker.TakeReady(std::chrono::seconds(60));
  ASSERT_EQ(results.size(), 40u);
  EXPECT_TRUE(maker.AllTaken());
  for (int i = 0; i < 40; ++i) {
    const MakeRowResult& made = results[static_cast<std::size_t>(i)];
    if (i % 7 == 3) {
      EXPECT_EQ(made.error, RowError::kPictureNotLoaded) << i;
      continue;
    }
    ASSERT_TRUE(made.ok()) << i;
    EXPECT_EQ(made.row.caption, "c" + std::to_string(i));
    EXPECT_EQ(made.row.sizeText, std::to_string(400 + i) + "x300 (24Bits)");
  }
  EXPECT_TRUE(maker.TakeReady(std::chrono::milliseconds(1)).empty());
}

TEST(BuildReport, AFailureIsAStopBoxAndManyProblemsAreCounted) {
  BuildOutcome failed;
  failed.message = "Src.res was not found.";
  const BuildReport report = MakeBuildReport(failed, "/w/slide.gba", false, {}, {});
  EXPECT_TRUE(report.failed);
  EXPECT_EQ(report.message, "Src.res was not found.");
  EXPECT_EQ(report.statusLine, "Build failed: /w/slide.gba was not written.");

  BuildOutcome written;
  written.ok = true;
  written.pictureCount = 1;
  std::vector<BuildProblem> leftOut;
  for (int i = 0; i < 12; ++i) leftOut.push_back({"/p/" + std::to_string(i), "damaged"});
  const BuildReport many = MakeBuildReport(written, "/w/slide.gba", false, leftOut,
                                           {{"/p/x", "the 240 x 160 version could not be made"}});
  EXPECT_FALSE(many.failed);
  EXPECT_EQ(many.statusLine, "Wrote /w/slide.gba (1 picture), 12 left out.");
  EXPECT_EQ(many.message,
            "The slideshow was written to /w/slide.gba, but not all of it:\n\n"
            "These 12 pictures were left out:\n/p/0: damaged\n/p/1: damaged\n/p/2: damaged\n"
            "/p/3: damaged\n/p/4: damaged\n/p/5: damaged\n/p/6: damaged\n/p/7: damaged\n"
            "/p/8: damaged\n/p/9: damaged\n(and 2 more)\n\n"
            "This version could not be made:\n/p/x: the 240 x 160 version could not be made");
}

TEST(BuildReport, NamesFromFilesCannotSendTerminalCommands) {
  BuildOutcome written;
  written.ok = true;
  written.pictureCount = 1;
  const BuildReport report = MakeBuildReport(written, "/w/\x1b]0;x\aslide.gba", false,
                                             {{"/p/a\x1b[2Jb.png", "damaged"}}, {});
  EXPECT_EQ(report.statusLine, "Wrote /w/\\x1b]0;x\\x07slide.gba (1 picture), 1 left out.");
  EXPECT_NE(report.message.find("/p/a\\x1b[2Jb.png: damaged"), std::string::npos);
  EXPECT_EQ(report.message.find('\x1b'), std::string::npos);
  EXPECT_EQ(NotAddedMessage({{"/p/new\nline.txt", "not a picture"}}),
            "This file was not added:\n/p/new\\nline.txt: not a picture");
}

}  // namespace
}  // namespace varnel
