// Save and Load run in the window: the options through the controls, the rows through
// Add row, the progress bar, the caption and the messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/project/hand_written_files.h"
#include "tests/ui/window_model_fixture.h"

namespace varnel {
namespace {

using testing::Bytes;
using testing::Cat;
using testing::Record;
using testing::Zeros;

// Header offsets of the project file that the tests below change.
constexpr std::size_t kIntroCountOffset = 3;
constexpr std::size_t kSecondsOffset = 5;
constexpr std::size_t kEffectOverrideOffset = 15;

class ProjectTest : public testing::WindowTest {
 protected:
  void Save(const std::optional<std::string>& path) {
    platform.projectFileToSave = path;
    Dispatch(Notification::kCommand, kCmdSave);
  }
  void Load(const std::optional<std::string>& path) {
    platform.projectFileToOpen = path;
    Dispatch(Notification::kCommand, kCmdLoad);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const PictureEntry& row : dlg.document().rows) names.push_back(row.fileName);
    return names;
  }
  std::string ProjectFile(const std::string& name, const Bytes& bytes) {
    testing::WriteAllBytes(work.file(name), bytes);
    return work.file(name);
  }
};

TEST_F(ProjectTest, CancelledDialogsAndRefusedSavesChangeNothing) {
  ASSERT_TRUE(dlg.AddRow(Picture("a.bmp"), 0, 0, ""));
  const SlideshowDocument before = dlg.document();
  Save(std::nullopt);
  Load(std::nullopt);
  EXPECT_EQ(platform.saveDialogs, 1);
  EXPECT_EQ(platform.openDialogs, 1);
  EXPECT_EQ(dlg.document().rows, before.rows);
  EXPECT_EQ(dlg.document().options, before.options);
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (New SlideShow)");
  EXPECT_EQ(dlg.progressBar().maximum(), 100);  // never set
  EXPECT_TRUE(platform.messages.empty());

  // A box holding more than it may is refused before the dialog, so a file never gets
  // values the window does not show.
  dlg.SetControlText(kIdIntroCount, "100");
  Save(work.file("refused.vrn"));
  EXPECT_EQ(platform.saveDialogs, 1);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Please enter no more than 2 characters.");
  EXPECT_FALSE(std::filesystem::exists(work.file("refused.vrn")));
  dlg.SetControlText(kIdIntroCount, "");

  // A file that cannot be written: a stop box naming it, and the caption stays.
  const std::string unwritable = work.file("no-such-folder/show.vrn");
  Save(unwritable);
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1].icon, MessageBoxIcon::kStop);
  EXPECT_NE(platform.messages[1].text.find(unwritable), std::string::npos);
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (New SlideShow)");
  EXPECT_FALSE(dlg.busy());
}

TEST_F(ProjectTest, LoadOfAMissingFileSaysSoAndKeepsTheShow) {
  ASSERT_TRUE(dlg.AddRow(Picture("a.bmp"), 1, 2, "kept"));
  Click(kIdTimeLimit, 1);
  const SlideshowDocument before = dlg.document();
  const std::string missing = work.file("gone.vrn");
  Load(missing);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].icon, MessageBoxIcon::kStop);
  EXPECT_NE(platform.messages[0].text.find(missing), std::string::npos);
  EXPECT_EQ(dlg.document().rows, before.rows);
  EXPECT_EQ(dlg.document().options, before.options);
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (New SlideShow)");
  EXPECT_TRUE(Enabled(kIdSeconds));
  EXPECT_FALSE(dlg.busy());
}

TEST_F(ProjectTest, APictureGoneSinceSavingIsLeftOutAndTheRestKeepTheirOrder) {
  const std::string a = Picture("a.bmp");
  const std::string gone = work.file("gone.bmp");
  const std::string c = Picture("c.bmp", 20, 10);
  const std::string path =
      ProjectFile("three.vrn", Cat({testing::NewShowHeader(3), Zeros(2500), Record(a, "", 0, 1),
                                    Record(gone, "middle", 0, 2), Record(c, "third", 2, 3)}));
  Load(path);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "c.bmp"}));
  EXPECT_EQ(dlg.document().rows[1],
            (PictureEntry{"c.bmp", "(03) Scanlines", "(02) Resized Only (240x160)",
                          "20x10 (24Bits)", c, "third"}));
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (three.vrn)");
  // The bar ends full although a record made no row.
  EXPECT_EQ(dlg.progressBar().maximum(), 4);
  EXPECT_EQ(dlg.progressBar().position(), 4);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].icon, MessageBoxIcon::kExclamation);
  EXPECT_NE(platform.messages[0].text.find(gone), std::string::npos);
  // The show lacks a row of the file: it is marked changed, and the message says so,
  // so that a Save does not drop the row unasked.
  EXPECT_TRUE(dlg.modified());
  EXPECT_TRUE(platform.messages[0].text.ends_with(
      "The show is marked changed: saving it writes the project without what was left out."))
      << platform.messages[0].text;
  dlg.Dispatch(Notification::kCommand, kCmdNew);
  EXPECT_EQ(platform.questions, std::vector<std::string>{"Save changes to three.vrn?"});
}

// A project moved together with its pictures: a picture missing where the file says is
// looked for below the project's folder by the last three, two or one parts of its path,
// kept with its new place, and named in the message.
TEST_F(ProjectTest, PicturesOfAMovedProjectAreFoundBesideItAndTheShowIsMarkedChanged) {
  std::filesystem::create_directories(work.file("new/photos/2024"));
  const std::string deep = Picture("new/photos/2024/a.bmp", 20, 10);
  const std::string flat = Picture("new/b.bmp");
  const std::string there = Picture("c.bmp");
  const std::string path = work.file("new/moved.vrn");
  testing::WriteAllBytes(path,
                         Cat({testing::NewShowHeader(4), Zeros(2500),
                              Record("/old/home/photos/2024/a.bmp", "first", 0, 1),
                              Record("/old/home/pictures/b.bmp", "", 0, 0), Record(there, "", 0, 0),
                              Record("/old/home/photos/gone.bmp", "", 0, 0)}));
  Load(path);
  ASSERT_EQ(dlg.RowCount(), 3);
  EXPECT_EQ(dlg.document().rows[0], (PictureEntry{"a.bmp", "(01) Scroll Up/Down", "(00) Both",
                                                  "20x10 (24Bits)", deep, "first"}));
  EXPECT_EQ(dlg.document().rows[1].path, flat);
  EXPECT_EQ(dlg.document().rows[2].path, there);
  EXPECT_TRUE(dlg.modified());
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (moved.vrn)");
  ASSERT_EQ(platform.messages.size(), 1u);
  const std::string& message = platform.messages[0].text;
  EXPECT_TRUE(message.starts_with(
      "These 2 pictures were not where the project says; they were found beside the project "
      "and kept:\n/old/home/photos/2024/a.bmp\n    found at " +
      deep + "\n/old/home/pictures/b.bmp\n    found at " + flat + "\n\n"))
      << message;
  EXPECT_NE(message.find("/old/home/photos/gone.bmp"), std::string::npos);
  EXPECT_TRUE(
      message.ends_with("The show is marked changed: saving it writes the project "
                        "without what was left out and with the new places."))
      << message;

  // Saved, the show is the file's; loaded again, it is whole and unchanged.
  Save(path);
  EXPECT_FALSE(dlg.modified());
  platform.messages.clear();
  Load(path);
  EXPECT_EQ(dlg.RowCount(), 3);
  EXPECT_FALSE(dlg.modified());
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ProjectTest, AProjectNamedAtStartUpHasItsNameAsAfterLoad) {
  const std::string path = ProjectFile("trip.vrn", Cat({testing::NewShowHeader(1), Zeros(2500),
                                                        Record(Picture("a.bmp"), "", 0, 0)}));
  for (const bool atStartUp : {true, false}) {
    SCOPED_TRACE(atStartUp ? "at start-up" : "File > Load");
    Dispatch(Notification::kCommand, kCmdNew);
    platform.dialogShowFiles.clear();
    if (atStartUp) {
      dlg.LoadProject(path);
      Settle();
    } else {
      Load(path);
    }
    EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (trip.vrn)");
    EXPECT_FALSE(dlg.modified());
    Click(kIdThumbnails, 0);
    // Save answers the question: its dialog is given the project's file.
    platform.saveChangesAnswer = SaveChangesAnswer::kSave;
    platform.questions.clear();
    Dispatch(Notification::kCommand, kCmdNew);
    EXPECT_EQ(platform.questions, std::vector<std::string>{"Save changes to trip.vrn?"});
    EXPECT_EQ(platform.dialogShowFiles.back(), path);
    EXPECT_EQ(dlg.RowCount(), 1);  // the dialog was cancelled: the show stays
    platform.saveChangesAnswer = SaveChangesAnswer::kDiscard;
  }
  // A new show has no file for the dialogs.
  Dispatch(Notification::kCommand, kCmdNew);
  Save(std::nullopt);
  EXPECT_EQ(platform.dialogShowFiles.back(), "");
}

TEST_F(ProjectTest, LoadedOptionsReachTheControlsAndTheEnablingRules) {
  ASSERT_TRUE(dlg.AddRow(Picture("old.bmp"), 0, 0, ""));
  Click(kIdTimeLimit, 1);
  EXPECT_TRUE(Enabled(kIdEffectChoice));

  Bytes header = testing::NewShowHeader(1);
  header[kEffectOverrideOffset] = 0x01;
  header[kIntroCountOffset] = 150;  // more than the box takes: limited to 99
  header[kSecondsOffset] = 99;      // more than the seconds rule allows: limited to 60
  const std::string a = Picture("a.bmp");
  Load(ProjectFile("override.vrn", Cat({header, Zeros(2500), Record(a, "", 0, 0)})));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(dlg.control(kIdEffectOverride).check, 1);
  EXPECT_FALSE(Enabled(kIdEffectChoice));
  EXPECT_TRUE(Enabled(kIdEffectOverrideChoice));
  EXPECT_TRUE(Enabled(kIdSizingChoice));
  EXPECT_FALSE(Enabled(kIdSizingOverrideChoice));
  EXPECT_FALSE(Enabled(kIdSeconds));  // Time Limit is off in the file
  EXPECT_TRUE(Enabled(kIdUp));
  EXPECT_TRUE(Enabled(kIdCaption));
  EXPECT_EQ(dlg.control(kIdSeconds).text, "60");
  EXPECT_EQ(dlg.control(kIdIntroCount).text, "99");
  // So the boxes hold nothing the exchange refuses, and the next command runs.
  EXPECT_TRUE(dlg.UpdateData(true));
  EXPECT_TRUE(platform.messages.empty());

  // An empty show switches the per-picture controls off again.
  Load(ProjectFile("empty.vrn", testing::EmptyNewShowFile()));
  EXPECT_EQ(dlg.RowCount(), 0);
  EXPECT_FALSE(Enabled(kIdUp));
  EXPECT_FALSE(Enabled(kIdSizingChoice));
  EXPECT_FALSE(Enabled(kIdEffectOverrideChoice));
  EXPECT_EQ(dlg.control(kIdSeconds).text, "5");
  EXPECT_EQ(dlg.control(kIdIntroCount).text, "0");
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (empty.vrn)");
}

// Each row's fit goes into its record's first reserved byte and comes back with Load; a
// show of stretched pictures saves as it did before pictures had a fit.
TEST_F(ProjectTest, EachPicturesFitIsSavedAndLoaded) {
  const std::string a = Picture("a.bmp");
  const std::string b = Picture("b.bmp");
  ASSERT_TRUE(dlg.AddRow(a, 0, 0, ""));
  ASSERT_TRUE(dlg.AddRow(b, 0, 0, ""));
  Save(work.file("stretched.vrn"));
  EXPECT_EQ(
      testing::ReadAllBytes(work.file("stretched.vrn")),
      Cat({testing::NewShowHeader(2), Zeros(2500), Record(a, "", 0, 0), Record(b, "", 0, 0)}));

  Dispatch(Notification::kCommand, 32794);  // Fit All Pictures > Fill Screen
  dlg.document().rows[0].fitLabel = "(01) Whole Picture";
  Save(work.file("fitted.vrn"));
  Bytes first = Record(a, "", 0, 0);
  Bytes second = Record(b, "", 0, 0);
  first[a.size() + 1 + 1 + 4] = 1;
  second[b.size() + 1 + 1 + 4] = 2;
  EXPECT_EQ(testing::ReadAllBytes(work.file("fitted.vrn")),
            Cat({testing::NewShowHeader(2), Zeros(2500), first, second}));

  Dispatch(Notification::kCommand, kCmdNew);
  Load(work.file("fitted.vrn"));
  ASSERT_EQ(dlg.RowCount(), 2);
  EXPECT_EQ(dlg.document().rows[0].fitLabel, "(01) Whole Picture");
  EXPECT_EQ(dlg.document().rows[1].fitLabel, "(02) Fill Screen");
  EXPECT_FALSE(dlg.modified());
}

}  // namespace
}  // namespace varnel
