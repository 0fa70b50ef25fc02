#include <gtest/gtest.h>

#include <filesystem>

#include "tests/ui/window_model_fixture.h"

namespace varnel {
namespace {

using testing::Rgb;

class ListTest : public testing::WindowTest {
 protected:
  // The list's own selection moved by the user (a click or an arrow key).
  void Select(int row) { dlg.SetListSelection(row, row); }
  void ClickRow(int row) {
    Select(row);
    dlg.Dispatch(Notification::kClick, kIdPictureList);
  }
  void Choose(int comboId, int index) {
    dlg.SetComboIndex(comboId, index);
    dlg.Dispatch(Notification::kSelChange, comboId);
  }
  void Key(int code) { dlg.Dispatch(Notification::kKeyDown, kIdPictureList, code); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const PictureEntry& row : dlg.document().rows) names.push_back(row.fileName);
    return names;
  }
  std::string NotAPicture(const std::string& name) {
    testing::WriteAllBytes(work.file(name), {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'});
    return work.file(name);
  }
  void AddThree() {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
      ASSERT_TRUE(dlg.AddRow(Picture(name), 0, 0, ""));
  }
  RowState StateOf(int row) const { return dlg.rowStates()[static_cast<std::size_t>(row)]; }
};

TEST_F(ListTest, AddAppendsThePicturesInDialogOrderAndSkipsTheOthers) {
  const std::string a = Picture("a.bmp", 64, 48);
  platform.filesToChoose = std::vector<std::string>{a, NotAPicture("notes.bmp"), Picture("c.bmp")};
  dlg.Dispatch(Notification::kClicked, kIdAdd);

  EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "c.bmp"}));
  EXPECT_EQ(dlg.document().rows[0],
            (PictureEntry{"a.bmp", "(00) No Effect", "(00) Both", "64x48 (24Bits)", a, ""}));
  // A file that is no picture is passed over, and named with the reason.
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text.rfind("This file was not added:\n" + work.file("notes.bmp") +
                                                ": the picture could not be loaded",
                                            0),
            0u)
      << platform.messages[0].text;
  EXPECT_EQ(platform.messages[0].icon, MessageBoxIcon::kExclamation);
  EXPECT_TRUE(Enabled(kIdUp));  // the enabling rules ran

  ASSERT_EQ(platform.openRequests.size(), 1u);
  const OpenFilesRequest& request = platform.openRequests[0];
  EXPECT_TRUE(request.multipleFiles);
  EXPECT_EQ(request.initialDirectory, "");
  EXPECT_EQ(request.filters,
            (std::vector<FileFilter>{{"Pictures (Bmp,Jpg,Gif,Png)",
                                      {"*.Bmp", "*.Jpg", "*.Gif", "*.Png", "*.Jpeg", "*.Jpe",
                                       "*.Tif", "*.Tiff", "*.Webp"}},
                                     {"All (*.*)", {"*.*"}}}));

  // A cancelled dialog adds nothing but still runs the enabling rules.
  platform.filesToChoose.reset();
  dlg.SetControlCheck(kIdTextDisplay, 0);
  Key(kKeyInsert);
  EXPECT_EQ(platform.openRequests.size(), 2u);
  EXPECT_EQ(dlg.RowCount(), 2);
  EXPECT_FALSE(Enabled(kIdCaption));
}

TEST_F(ListTest, AddRowMakesRowsByTheRowRuleAndSaysWhyItMadeNone) {
  const std::string a = Picture("a.bmp");
  RowError error = RowError::kNone;
  EXPECT_TRUE(dlg.AddRow(a, 2, 8, "caption", kFitStretch, &error));
  EXPECT_EQ(error, RowError::kNone);
  EXPECT_EQ(dlg.document().rows[0].sizingLabel, "(02) Resized Only (240x160)");
  EXPECT_EQ(dlg.document().rows[0].effectLabel, "(08) FadeOut");
  EXPECT_FALSE(dlg.AddRow(work.file("gone.png"), 0, 0, "", kFitStretch, &error));
  EXPECT_EQ(error, RowError::kPictureNotLoaded);
  EXPECT_FALSE(dlg.AddRow(a, 3, 0, "", kFitStretch, &error));
  EXPECT_EQ(error, RowError::kSizingIndexOutOfRange);
  EXPECT_EQ(dlg.RowCount(), 1);
  EXPECT_EQ(dlg.rowStates()[0], RowState{});  // new rows come unselected
}

TEST_F(ListTest, RemoveAndClear) {
  AddThree();
  // Nothing selected: Remove only runs the enabling rules.
  dlg.SetControlCheck(kIdEffectOverride, 1);
  dlg.Dispatch(Notification::kClicked, kIdRemove);
  EXPECT_EQ(dlg.RowCount(), 3);
  EXPECT_FALSE(Enabled(kIdEffectChoice));

  dlg.SetControlCheck(kIdEffectOverride, 0);
  dlg.Dispatch(Notification::kClicked, kIdEffectOverride);
  ClickRow(1);
  Choose(kIdEffectChoice, 5);
  Choose(kIdSizingChoice, 2);
  dlg.SetControlText(kIdCaption, "Beach");
  dlg.Dispatch(Notification::kChange, kIdCaption);
  ASSERT_EQ(dlg.fields().sizeInfo, "Size: 8x6");
  Key(kKeyDelete);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "c.bmp"}));
  EXPECT_EQ(dlg.SelectedCount(), 0);
  // The picture options show no row: not the deleted row's effect, sizing and caption.
  EXPECT_EQ(dlg.control(kIdEffectChoice).comboIndex, -1);
  EXPECT_EQ(dlg.control(kIdSizingChoice).comboIndex, -1);
  EXPECT_EQ(dlg.control(kIdCaption).text, "");
  EXPECT_EQ(dlg.control(kIdCaptionPreview).text, "");
  EXPECT_EQ(dlg.control(kIdSizeInfo).text, "");
  EXPECT_EQ(dlg.control(kIdColorInfo).text, "");
  EXPECT_FALSE(dlg.previewArea().picture().has_value());
  // Choosing an effect now reaches no row.
  Choose(kIdEffectChoice, 3);
  for (const PictureEntry& row : dlg.document().rows) {
    EXPECT_EQ(row.effectLabel, "(00) No Effect");
    EXPECT_EQ(row.caption, "");
  }
  // The next selected row shows its own settings.
  Select(1);
  dlg.Dispatch(Notification::kItemChanged, kIdPictureList);
  EXPECT_EQ(dlg.control(kIdEffectChoice).comboIndex, 0);
  EXPECT_EQ(dlg.control(kIdSizingChoice).comboIndex, 0);

  dlg.Dispatch(Notification::kClicked, kIdClear);
  EXPECT_EQ(dlg.RowCount(), 0);
  EXPECT_FALSE(Enabled(kIdUp));
  EXPECT_FALSE(Enabled(kIdCaption));
}

TEST_F(ListTest, UpAndDownButtonsMoveTheSelectedPictureWithItsSelection) {
  AddThree();
  platform.focus.clear();
  dlg.Dispatch(Notification::kClicked, kIdUp);  // nothing selected: nothing at all
  EXPECT_TRUE(platform.focus.empty());

  Select(0);
  dlg.Dispatch(Notification::kClicked, kIdUp);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));
  ASSERT_FALSE(platform.focus.empty());  // the list still gets the focus
  EXPECT_EQ(platform.focus.back().id, kIdPictureList);

  Select(2);
  dlg.Dispatch(Notification::kClicked, kIdUp);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "c.bmp", "b.bmp"}));
  EXPECT_EQ(StateOf(1), (RowState{true, true}));
  EXPECT_EQ(StateOf(2), RowState{});

  Select(2);
  dlg.Dispatch(Notification::kClicked, kIdDown);  // the last row stays last
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "c.bmp", "b.bmp"}));
  dlg.Dispatch(Notification::kClicked, kIdUp);
  dlg.Dispatch(Notification::kClicked, kIdUp);
  EXPECT_EQ(Names(), (std::vector<std::string>{"b.bmp", "a.bmp", "c.bmp"}));
  EXPECT_EQ(StateOf(0), (RowState{true, true}));
}

TEST_F(ListTest, ListKeysMoveRowsWithoutReloadingAnything) {
  AddThree();
  dlg.ApplyEnablingRules();
  ASSERT_TRUE(Enabled(kIdCaption));
  ClickRow(0);
  const WindowFields buffer = dlg.fields();
  dlg.SetControlCheck(kIdTextDisplay, 0);  // would disable the caption if the rules ran

  Select(1);
  Key(kKeyUp);
  EXPECT_EQ(Names(), (std::vector<std::string>{"b.bmp", "a.bmp", "c.bmp"}));
  // The selection stays on row 1; the list's own arrow handling then moves it onto row 0.
  EXPECT_EQ(StateOf(1), (RowState{true, true}));
  Select(0);

  Key(kKeyDown);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));
  EXPECT_EQ(StateOf(0), (RowState{true, true}));

  // The keypad keys have no list handling of their own: the selection follows here.
  Select(1);
  Key(kKeyNumpad2);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "c.bmp", "b.bmp"}));
  EXPECT_EQ(StateOf(2), (RowState{true, true}));
  Key(kKeyNumpad8);
  Key(kKeyNumpad8);
  EXPECT_EQ(Names(), (std::vector<std::string>{"b.bmp", "a.bmp", "c.bmp"}));
  EXPECT_EQ(StateOf(0), (RowState{true, true}));

  Key(kKeyUp);  // first row: nothing moves
  EXPECT_EQ(Names(), (std::vector<std::string>{"b.bmp", "a.bmp", "c.bmp"}));
  Key(65);  // other keys do nothing
  EXPECT_EQ(dlg.fields(), buffer);
  EXPECT_TRUE(Enabled(kIdCaption));
}

TEST_F(ListTest, RowClickShowsThePictureAndLoadsTheEditingBuffer) {
  const std::string path = testing::WriteBmp24(work.file("wide.bmp"), 300, 200, [](int x, int y) {
    return Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7};
  });
  ASSERT_TRUE(dlg.AddRow(path, 2, 5, "cap\r\ntion"));
  ClickRow(0);

  EXPECT_FALSE(std::filesystem::exists(work.file("Display.bmp")));  // it stays in memory
  EXPECT_EQ(dlg.control(kIdSizeInfo).text, "Size: 300x200");
  EXPECT_EQ(dlg.control(kIdColorInfo).text, "Color: 24Bits");
  // Centred and clipped, not scaled: the middle 240 x 160 of the picture.
  ASSERT_TRUE(dlg.previewArea().picture().has_value());
  const Bitmap& shown = *dlg.previewArea().picture();
  EXPECT_EQ(shown.width, 240);
  EXPECT_EQ(shown.height, 160);
  const uint8_t* corner = shown.PixelFromTop(0, 0);
  EXPECT_EQ(corner[2], 30);  // red = x of the source pixel
  EXPECT_EQ(corner[1], 20);  // green = y
  EXPECT_EQ(corner[0], 7);
  EXPECT_EQ(dlg.control(kIdEffectChoice).comboIndex, 5);
  EXPECT_EQ(dlg.control(kIdSizingChoice).comboIndex, 2);
  EXPECT_EQ(dlg.control(kIdCaption).text, "cap\r\ntion");
  EXPECT_EQ(dlg.control(kIdCaptionPreview).text, "cap\r\ntion");

  // A smaller picture fills only the middle; a picture gone since leaves the preview and
  // the info texts alone but still loads the buffer.
  const std::string small = testing::WriteBmp24(work.file("small.bmp"), 20, 10, [](int, int) {
    return Rgb{1, 2, 3};
  });
  ASSERT_TRUE(dlg.AddRow(small, 0, 1, "small"));
  ClickRow(1);
  EXPECT_EQ(dlg.previewArea().picture()->width, 20);
  EXPECT_EQ(dlg.control(kIdSizeInfo).text, "Size: 20x10");
  std::filesystem::remove(path);
  ClickRow(0);
  EXPECT_EQ(dlg.control(kIdSizeInfo).text, "Size: 20x10");
  EXPECT_EQ(dlg.previewArea().picture()->width, 20);
  EXPECT_EQ(dlg.control(kIdCaption).text, "cap\r\ntion");

  // An 8-bit picture says so.
  auto palette = testing::MakeSurface8(4, 4, {{0, 0, 0}, {255, 255, 255}},
                                       [](int x, int) { return static_cast<uint8_t>(x % 2); });
  testing::SaveBmp(palette.get(), work.file("grey.bmp"));
  ASSERT_TRUE(dlg.AddRow(work.file("grey.bmp"), 0, 0, ""));
  ClickRow(2);
  EXPECT_EQ(dlg.control(kIdColorInfo).text, "Color: 8Bits");
}

TEST_F(ListTest, RowClickWithNothingSelectedOnlyShowsTheFields) {
  AddThree();
  dlg.fields().sizeInfo = "Size: 1x1";
  dlg.Dispatch(Notification::kClick, kIdPictureList);
  EXPECT_EQ(dlg.control(kIdSizeInfo).text, "Size: 1x1");
  EXPECT_FALSE(std::filesystem::exists(work.file("Display.bmp")));
}

TEST_F(ListTest, ChoiceChangesWriteTheEditingBufferIntoTheSelectedRow) {
  AddThree();
  // Before any row was clicked the effect choice shows nothing: the row keeps its label.
  Select(1);
  Choose(kIdSizingChoice, 1);
  EXPECT_EQ(dlg.document().rows[1].sizingLabel, "(01) FullSize Only");
  EXPECT_EQ(dlg.document().rows[1].effectLabel, "(00) No Effect");

  ClickRow(0);
  Choose(kIdEffectChoice, 3);
  EXPECT_EQ(dlg.document().rows[0].effectLabel, "(03) Scanlines");
  dlg.SetControlText(kIdCaption, "zero");
  dlg.Dispatch(Notification::kChange, kIdCaption);

  // An arrow key selects row 2 without reloading the buffer; the next choice writes the
  // whole buffer (row 0's sizing and caption) into row 2.
  Select(2);
  Choose(kIdEffectChoice, 7);
  EXPECT_EQ(dlg.document().rows[2], (PictureEntry{"c.bmp", "(07) FadeIn", "(00) Both",
                                                  "8x6 (24Bits)", work.file("c.bmp"), "zero"}));
  EXPECT_EQ(dlg.document().rows[0].effectLabel, "(03) Scanlines");

  // No selection: nothing is written.
  dlg.SetListSelection(-1, 2);
  Choose(kIdEffectChoice, 8);
  EXPECT_EQ(dlg.document().rows[2].effectLabel, "(07) FadeIn");
}

TEST_F(ListTest, CaptionChangesRebuildThePreviewAndReachTheRow) {
  AddThree();
  ClickRow(0);
  dlg.SetControlText(kIdCaption, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  dlg.Dispatch(Notification::kChange, kIdCaption);
  EXPECT_EQ(dlg.control(kIdCaptionPreview).text, "ABCDEFGHIJKLMNOPQR\nSTUVWXYZ");
  EXPECT_EQ(dlg.document().rows[0].caption, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");

  // A caption longer than the box allows (as a loaded one can be) leaves the row alone.
  dlg.SetControlText(kIdCaption, std::string(181, 'x'));
  dlg.Dispatch(Notification::kChange, kIdCaption);
  EXPECT_EQ(dlg.document().rows[0].caption, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(platform.messages.back().text, "Please enter no more than 180 characters.");
}

TEST_F(ListTest, DroppedFilesComeInThroughAddRow) {
  dlg.OnDropFiles(
      {Picture("a.bmp"), NotAPicture("b.txt"), Picture("c.bmp"), work.file("gone.png")});
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "c.bmp"}));
  EXPECT_TRUE(Enabled(kIdDown));
  // One message for the whole drop, a line for each file left out.
  ASSERT_EQ(platform.messages.size(), 1u);
  const std::string& text = platform.messages[0].text;
  EXPECT_EQ(text.rfind("These 2 files were not added:\n" + work.file("b.txt") + ": ", 0), 0u)
      << text;
  EXPECT_NE(text.find("\n" + work.file("gone.png") + ": the picture could not be loaded"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace varnel
