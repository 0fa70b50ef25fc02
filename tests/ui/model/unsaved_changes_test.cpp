// The show's unsaved changes: the flag, the question before a command sets them aside, the
// end the system asks for, and a row selected by keyboard loading its settings.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/ui/window_model_fixture.h"

namespace varnel {
namespace {

class UnsavedChangesTest : public testing::WindowTest {
 protected:
  void Command(int id) { Dispatch(Notification::kCommand, id); }
  void AddPicture(const std::string& name) {
    platform.filesToChoose = std::vector<std::string>{Picture(name)};
    Dispatch(Notification::kClicked, kIdAdd);
  }
  void SaveAs(const std::string& name) {
    platform.projectFileToSave = work.file(name);
    Command(kCmdSave);
  }
};

TEST_F(UnsavedChangesTest, EveryChangeSetsTheFlagAndOnlyASuccessfulSaveClearsIt) {
  EXPECT_FALSE(dlg.modified());
  EXPECT_EQ(dlg.documentName(), "New SlideShow");

  // A check box without an operation of its own changes the show too, and setting it
  // back is no change.
  const int titleChanges = platform.windowTextChanges;
  Click(kIdHelpScreen, 0);
  EXPECT_TRUE(dlg.modified());
  EXPECT_EQ(platform.windowTextChanges, titleChanges + 1);
  Click(kIdHelpScreen, 1);
  EXPECT_FALSE(dlg.modified());

  AddPicture("a.bmp");
  EXPECT_TRUE(dlg.modified());

  // Cancelled and failed Saves leave the flag.
  platform.projectFileToSave = std::nullopt;
  Command(kCmdSave);
  EXPECT_TRUE(dlg.modified());
  SaveAs("no such folder/show.vrn");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_TRUE(dlg.modified());

  SaveAs("show.vrn");
  EXPECT_FALSE(dlg.modified());
  EXPECT_EQ(dlg.documentName(), "show.vrn");

  // A caption typed into the selected row is a change; typed with no row selected it is not.
  dlg.SetListSelection(0, 0);
  Dispatch(Notification::kItemChanged, kIdPictureList);
  dlg.SetControlText(kIdCaption, "Hello");
  Dispatch(Notification::kChange, kIdCaption);
  EXPECT_TRUE(dlg.modified());
  dlg.SetControlText(kIdCaption, "");
  Dispatch(Notification::kChange, kIdCaption);
  EXPECT_FALSE(dlg.modified());
  dlg.SetListSelection(-1, -1);
  Dispatch(Notification::kItemChanged, kIdPictureList);
  dlg.SetControlText(kIdCaption, "Nowhere");
  Dispatch(Notification::kChange, kIdCaption);
  EXPECT_FALSE(dlg.modified());

  // Loading a project makes it the saved show.
  Click(kIdThumbnails, 0);
  platform.projectFileToOpen = work.file("show.vrn");
  Command(kCmdLoad);
  EXPECT_EQ(platform.questions, std::vector<std::string>{"Save changes to show.vrn?"});
  EXPECT_FALSE(dlg.modified());
  EXPECT_EQ(dlg.control(kIdThumbnails).check, 1);
}

TEST_F(UnsavedChangesTest, EachCommandThatSetsChangesAsideAsksFirst) {
  struct Case {
    int command;
    bool ends;
  };
  const Case cases[] = {{kCmdQuit, true}, {kCmdOk, true},    {kCmdCancel, true},
                        {kCmdNew, false}, {kCmdLoad, false}, {kIdClear, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    testing::RecordingPlatform recorder;
    CSlideshowDlg window;
    recorder.currentDirectory = work.path().string();
    window.AttachPlatform(recorder);
    window.OnInitDialog();
    // The toolkit's part: the input, then its event loop until a command it began ends.
    const auto dispatch = [&](Notification code, int id) {
      window.Dispatch(code, id);
      ASSERT_TRUE(recorder.tasks.RunUntil([&] { return !window.busy(); }));
    };
    recorder.filesToChoose = std::vector<std::string>{Picture("p.bmp")};
    dispatch(Notification::kClicked, kIdAdd);
    recorder.projectFileToOpen = std::nullopt;
    const auto run = [&] {
      const Notification code =
          c.command == kIdClear ? Notification::kClicked : Notification::kCommand;
      dispatch(code, c.command);
    };

    // Cancel: nothing happens.
    recorder.saveChangesAnswer = SaveChangesAnswer::kCancel;
    run();
    EXPECT_EQ(recorder.questions, std::vector<std::string>{"Save changes to New SlideShow?"});
    EXPECT_EQ(window.RowCount(), 1);
    EXPECT_FALSE(window.ended());
    EXPECT_EQ(recorder.openDialogs, 0);

    // Save, but the save dialog is cancelled: nothing happens either.
    recorder.saveChangesAnswer = SaveChangesAnswer::kSave;
    recorder.projectFileToSave = std::nullopt;
    run();
    EXPECT_EQ(recorder.saveDialogs, 1);
    EXPECT_EQ(window.RowCount(), 1);
    EXPECT_FALSE(window.ended());
    EXPECT_TRUE(window.modified());

    // Save to a file: the command goes on after it.
    recorder.projectFileToSave = work.file("kept.vrn");
    run();
    EXPECT_TRUE(std::filesystem::exists(work.file("kept.vrn")));
    EXPECT_EQ(window.ended(), c.ends);
    if (c.ends) {
      EXPECT_EQ(window.result(), c.command == kCmdCancel ? kCmdCancel : kCmdOk);
      continue;
    }
    if (c.command == kCmdLoad) {
      EXPECT_EQ(recorder.openDialogs, 1);
    } else {
      EXPECT_EQ(window.RowCount(), 0);
    }
    std::filesystem::remove(work.file("kept.vrn"));

    // Discard: the command goes on without saving. A new show has no changes to ask about.
    window.SetControlCheck(kIdHelpScreen, 0);
    dispatch(Notification::kClicked, kIdHelpScreen);
    recorder.saveChangesAnswer = SaveChangesAnswer::kDiscard;
    const std::size_t asked = recorder.questions.size();
    run();
    EXPECT_EQ(recorder.questions.size(), asked + 1);
    EXPECT_FALSE(std::filesystem::exists(work.file("kept.vrn")));
    if (c.command == kCmdNew) {
      run();
      EXPECT_EQ(recorder.questions.size(), asked + 1);
    }
  }
}

TEST_F(UnsavedChangesTest, TheSystemEndsTheWindowWithoutAskingAndStopsWhatRuns) {
  AddPicture("a.bmp");
  int stops = 0;
  dlg.SetStopHandler([&] { ++stops; });
  platform.saveChangesAnswer = SaveChangesAnswer::kCancel;
  dlg.OnTerminate();
  EXPECT_TRUE(platform.questions.empty());
  EXPECT_EQ(stops, 1);
  EXPECT_TRUE(dlg.stopRequested());
  EXPECT_EQ(platform.endResults, std::vector<int>{kCmdCancel});
  // Nothing more is taken after the end.
  EXPECT_FALSE(Dispatch(Notification::kCommand, kCmdQuit));
  dlg.OnTerminate();
  EXPECT_EQ(platform.endResults.size(), 1u);
}

TEST_F(UnsavedChangesTest, ARowSelectedByKeyboardIsShownAndTakesTheEdits) {
  ASSERT_TRUE(dlg.AddRow(Picture("a.bmp", 30, 20), 0, 0, "first"));
  ASSERT_TRUE(dlg.AddRow(Picture("b.bmp", 12, 9), 1, 5, "second"));
  dlg.SetListSelection(0, 0);
  Dispatch(Notification::kClick, kIdPictureList);
  ASSERT_EQ(dlg.control(kIdCaption).text, "first");

  // End, Down, Home: the list's own keys move the selection.
  dlg.SetListSelection(1, 1);
  Dispatch(Notification::kItemChanged, kIdPictureList);
  EXPECT_EQ(dlg.control(kIdEffectChoice).comboIndex, 5);
  EXPECT_EQ(dlg.control(kIdSizingChoice).comboIndex, 1);
  EXPECT_EQ(dlg.control(kIdCaption).text, "second");
  EXPECT_EQ(dlg.control(kIdSizeInfo).text, "Size: 12x9");
  ASSERT_TRUE(dlg.previewArea().picture().has_value());
  EXPECT_EQ(dlg.previewArea().picture()->width, 12);

  dlg.SetComboIndex(kIdEffectChoice, 8);
  Dispatch(Notification::kSelChange, kIdEffectChoice);
  EXPECT_EQ(dlg.document().rows[1].effectLabel, "(08) FadeOut");
  EXPECT_EQ(dlg.document().rows[1].sizingLabel, "(01) FullSize Only");
  EXPECT_EQ(dlg.document().rows[1].caption, "second");
  EXPECT_EQ(dlg.document().rows[0].effectLabel, "(00) No Effect");
  EXPECT_EQ(dlg.document().rows[0].caption, "first");
}

}  // namespace
}  // namespace varnel
