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
  void Choose(int comboId, int index) {
    dlg.SetComboIndex(comboId, index);
    dlg.Dispatch(Notification::kSelChange, comboId);
  }
  void ClickRow(int row) {
    dlg.SetListSelection(row, row);
    dlg.Dispatch(Notification::kClick, kIdPictureList);
  }
  void Save(const std::optional<std::string>& path) {
    platform.projectFileToSave = path;
    dlg.Dispatch(Notification::kCommand, kCmdSave);
  }
  void Load(const std::optional<std::string>& path) {
    platform.projectFileToOpen = path;
    dlg.Dispatch(Notification::kCommand, kCmdLoad);
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

TEST_F(ProjectTest, SaveThenLoadRestoresTheShowThroughTheWindow) {
  // The options as the user sets them in the controls.
  Click(kIdTimeLimit, 1);
  Type(kIdSeconds, "7");
  Type(kIdIntroCount, "2");
  Click(kIdEffectOverride, 1);
  dlg.SetComboIndex(kIdEffectOverrideChoice, 8);
  dlg.SetComboIndex(kIdSizingOverrideChoice, 2);
  dlg.SetControlCheck(kIdHelpScreen, 0);
  dlg.SetControlCheck(kIdThumbnails, 0);
  const std::string twoLines = "First line\r\nsecond \xE9t\xE9";
  ASSERT_TRUE(dlg.AddRow(Picture("a.bmp", 30, 20), 1, 5, twoLines));
  ASSERT_TRUE(dlg.AddRow(Picture("b.bmp"), 0, 0, ""));
  ASSERT_TRUE(dlg.AddRow(Picture("c.bmp", 12, 9), 2, 8, "Last"));

  const std::string path = work.file("myshow.vrn");
  Save(path);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (myshow.vrn)");
  EXPECT_EQ(dlg.progressBar().maximum(), 4);
  EXPECT_EQ(dlg.progressBar().position(), 4);
  EXPECT_TRUE(std::filesystem::exists(path));
  const SlideshowDocument saved = dlg.document();
  EXPECT_EQ(saved.options.secondsText, "7");
  EXPECT_EQ(saved.options.helpScreen, 0);  // taken from the controls
  EXPECT_EQ(saved.options.sizingOverrideIndex, 2);

  dlg.Dispatch(Notification::kCommand, kCmdNew);
  ASSERT_EQ(dlg.RowCount(), 0);
  // While the file loads the window paints, and the user's input waits.
  int refused = 0;
  platform.duringUpdate = [&] { refused += dlg.Dispatch(Notification::kCommand, kCmdNew) ? 0 : 1; };
  Load(path);
  platform.duringUpdate = nullptr;
  EXPECT_GT(refused, 0);
  EXPECT_FALSE(dlg.busy());

  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(dlg.document().rows, saved.rows);
  EXPECT_EQ(dlg.document().options, saved.options);
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (myshow.vrn)");
  EXPECT_EQ(dlg.progressBar().position(), dlg.progressBar().maximum());
  // The controls show the loaded options.
  EXPECT_EQ(dlg.control(kIdSeconds).text, "7");
  EXPECT_EQ(dlg.control(kIdIntroCount).text, "2");
  EXPECT_EQ(dlg.control(kIdEffectOverrideChoice).comboIndex, 8);
  EXPECT_EQ(dlg.control(kIdSizingOverrideChoice).comboIndex, 2);
  EXPECT_EQ(dlg.control(kIdHelpScreen).check, 0);
  EXPECT_EQ(dlg.control(kIdTimeLimit).check, 1);
  EXPECT_EQ(dlg.control(kIdThumbnails).check, 0);

  // A loaded row clicked afterwards fills the per-picture controls from its columns.
  ClickRow(0);
  EXPECT_EQ(dlg.control(kIdEffectChoice).comboIndex, 5);
  EXPECT_EQ(dlg.control(kIdSizingChoice).comboIndex, 1);
  EXPECT_EQ(dlg.control(kIdCaption).text, twoLines);
  EXPECT_EQ(dlg.control(kIdSizeInfo).text, "Size: 30x20");
  ClickRow(2);
  EXPECT_EQ(dlg.control(kIdEffectChoice).comboIndex, 8);
  EXPECT_EQ(dlg.control(kIdSizingChoice).comboIndex, 2);
  EXPECT_EQ(dlg.control(kIdCaption).text, "Last");
  // Edits go into the loaded row and are saved again.
  Choose(kIdSizingChoice, 0);
  EXPECT_EQ(dlg.document().rows[2].sizingLabel, "(00) Both");
  Save(work.file("again.vrn"));
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (again.vrn)");
  Load(work.file("again.vrn"));
  EXPECT_EQ(dlg.document().rows[2].sizingLabel, "(00) Both");
}

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

}  // namespace
}  // namespace varnel
