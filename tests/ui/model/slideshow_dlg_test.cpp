#include "ui/model/slideshow_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "builder/rom_layout.h"
#include "tests/support/label_literals.h"
#include "tests/support/test_support.h"
#include "tests/ui/expected_window.h"
#include "tests/ui/window_model_fixture.h"

namespace varnel {
namespace {

using testing::RecordingPlatform;
using testing::TempDir;
using testing::WindowTest;
using namespace testing;  // the expected tables

TEST(WindowConstruction, HoldsTheValuesBeforeTheFirstNew) {
  CSlideshowDlg dlg;
  EXPECT_EQ(dlg.fields(), WindowFields{});
  EXPECT_EQ(dlg.document().options, SlideshowOptions::BeforeFirstNew());
  EXPECT_EQ(dlg.RowCount(), 0);
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3");
  // The per-picture choices start disabled; the override choices start enabled.
  EXPECT_FALSE(dlg.control(kIdEffectChoice).enabled);
  EXPECT_FALSE(dlg.control(kIdSizingChoice).enabled);
  EXPECT_TRUE(dlg.control(kIdEffectOverrideChoice).enabled);
  // Each choice list holds its labels in label order, so an index is a label number.
  for (int id : {1013, 1015}) {
    EXPECT_EQ(dlg.control(id).items,
              std::vector<std::string>(kExpectedEffectLabels.begin(), kExpectedEffectLabels.end()));
  }
  for (int id : {1014, 1016}) {
    EXPECT_EQ(dlg.control(id).items,
              std::vector<std::string>(kExpectedSizingLabels.begin(), kExpectedSizingLabels.end()));
  }
  EXPECT_THROW(dlg.control(4242), std::out_of_range);
}

TEST_F(WindowTest, StartUpPreparesTheWindowAndEndsWithNew) {
  EXPECT_EQ(dlg.workDirectory(), work.path().string() + "/");
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (New SlideShow)");
  EXPECT_EQ(dlg.titleBase(), "Varnel 1.3");
  ASSERT_TRUE(dlg.previewArea().rect().has_value());
  EXPECT_EQ(*dlg.previewArea().rect(), (PixelRect{10, 250, 240, 160}));
  ASSERT_EQ(dlg.listColumns().size(), 7u);
  EXPECT_EQ(dlg.listColumns()[0].heading, "File");
  EXPECT_EQ(dlg.listColumns()[4].widthPixels, 280);
  EXPECT_EQ(dlg.listColumns()[5].widthPixels, 0);  // the caption column stays hidden
  EXPECT_EQ(dlg.listColumns()[6].heading, "Fit");
  EXPECT_EQ(dlg.listColumns()[6].shownAfter, 2);  // beside "Resizing"
  EXPECT_EQ(dlg.control(kIdCaptionPreview).backgroundRgb, 0xC8C8C8u);
  ASSERT_EQ(platform.timers.size(), 1u);
  EXPECT_EQ(platform.timers[0], std::make_pair(1, 250));
  EXPECT_EQ(dlg.focusedControl(), kIdPictureList);

  // New's defaults, shown in the controls.
  EXPECT_EQ(dlg.document().options, SlideshowOptions::DefaultsAfterNew());
  EXPECT_EQ(dlg.control(kIdSeconds).text, "5");
  EXPECT_EQ(dlg.control(kIdIntroCount).text, "");
  EXPECT_EQ(dlg.control(kIdHelpScreen).check, 1);
  EXPECT_EQ(dlg.control(kIdTimeLimit).check, 0);
  EXPECT_EQ(dlg.control(kIdSizingOverrideChoice).comboIndex, 0);
  EXPECT_EQ(dlg.control(kIdEffectOverrideChoice).comboIndex, 0);
  EXPECT_EQ(dlg.control(kIdSeconds).textLimit, 2u);
  EXPECT_EQ(dlg.control(kIdCaption).textLimit, 180u);
}

TEST_F(WindowTest, WorkDirectoryGetsOneTrailingSeparator) {
  RecordingPlatform rooted;
  rooted.currentDirectory = "/";
  CSlideshowDlg other;
  other.AttachPlatform(rooted);
  other.OnInitDialog();
  EXPECT_EQ(other.workDirectory(), "/");
}

TEST_F(WindowTest, NewResetsTheShowButKeepsTheEditingBuffer) {
  ASSERT_TRUE(dlg.AddRow(Picture("a.bmp"), 0, 0, "hello"));
  dlg.SetRowState(0, true, true);
  Dispatch(Notification::kClick, kIdPictureList);
  ASSERT_EQ(dlg.control(kIdCaption).text, "hello");
  ASSERT_FALSE(dlg.fields().sizeInfo.empty());
  Click(kIdKeyUse, 0);
  Type(kIdSeconds, "9");
  dlg.SetWindowText("Varnel 1.3 (show.vrn)");

  Dispatch(Notification::kCommand, kCmdNew);

  EXPECT_EQ(dlg.RowCount(), 0);
  EXPECT_EQ(dlg.document().options, SlideshowOptions::DefaultsAfterNew());
  EXPECT_EQ(dlg.control(kIdSeconds).text, "5");
  EXPECT_EQ(dlg.fields().sizeInfo, "");
  EXPECT_EQ(dlg.control(kIdColorInfo).text, "");
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (New SlideShow)");
  // The caption box still shows the last caption, disabled because no rows remain.
  EXPECT_EQ(dlg.control(kIdCaption).text, "hello");
  EXPECT_FALSE(Enabled(kIdCaption));
  EXPECT_TRUE(dlg.previewArea().picture().has_value());
}

TEST_F(WindowTest, EnablingRulesFollowTheOptionsAndTheRows) {
  // No rows: the per-picture controls and Up/Down are off whatever the options say.
  Click(kIdEffectOverride, 0);
  Click(kIdSizeOverride, 0);
  for (int id : {kIdUp, kIdDown, kIdCaption, kIdEffectChoice, kIdSizingChoice}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  for (int id : {kIdAdd, kIdRemove, kIdClear, kIdIntroCount, kIdPictureList, kIdHelpScreen}) {
    EXPECT_TRUE(Enabled(id)) << id;
  }

  // Effect on: the row's effect choice goes off and the override choice comes on.
  Click(kIdEffectOverride, 1);
  EXPECT_FALSE(Enabled(kIdEffectChoice));
  EXPECT_TRUE(Enabled(kIdEffectOverrideChoice));
  Click(kIdEffectOverride, 0);
  EXPECT_FALSE(Enabled(kIdEffectOverrideChoice));
  EXPECT_FALSE(Enabled(kIdEffectChoice));  // still no rows

  ASSERT_TRUE(dlg.AddRow(Picture("a.bmp"), 0, 0, ""));
  Click(kIdEffectOverride, 0);
  EXPECT_TRUE(Enabled(kIdEffectChoice));
  EXPECT_TRUE(Enabled(kIdUp));
  EXPECT_TRUE(Enabled(kIdDown));
  EXPECT_TRUE(Enabled(kIdCaption));

  Click(kIdSizeOverride, 1);
  EXPECT_FALSE(Enabled(kIdSizingChoice));
  EXPECT_TRUE(Enabled(kIdSizingOverrideChoice));

  Click(kIdTextDisplay, 0);
  EXPECT_FALSE(Enabled(kIdCaption));

  EXPECT_FALSE(Enabled(kIdSeconds));
  Click(kIdTimeLimit, 1);
  EXPECT_TRUE(Enabled(kIdSeconds));
  EXPECT_EQ(dlg.document().options.timeLimit, 1);

  // Thumbnails has no click handler: only the control changes, the field follows at the
  // next exchange.
  Click(kIdThumbnails, 0);
  EXPECT_EQ(dlg.document().options.thumbnails, 1);
  dlg.UpdateData(true);
  EXPECT_EQ(dlg.document().options.thumbnails, 0);
}

TEST_F(WindowTest, ExchangeRunsInTableOrderAndStopsAtATooLongText) {
  // Load can put a longer text into a box than the user may type.
  dlg.document().options.secondsText = "123";
  dlg.UpdateData(false);
  ASSERT_EQ(dlg.control(kIdSeconds).text, "123");

  // Controls before and after the seconds box (order 15) show new values.
  dlg.SetControlCheck(kIdTextDisplay, 0);         // order 9
  dlg.SetControlText(kIdHelpText, "help");        // order 7
  dlg.SetComboIndex(kIdSizingOverrideChoice, 2);  // order 16
  dlg.SetComboIndex(kIdEffectOverrideChoice, 4);  // order 17
  dlg.SetControlText(kIdIntroCount, "3");         // order 18
  platform.focus.clear();

  EXPECT_FALSE(dlg.UpdateData(true));

  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Please enter no more than 2 characters.");
  EXPECT_EQ(platform.messages[0].icon, MessageBoxIcon::kExclamation);
  ASSERT_EQ(platform.focus.size(), 1u);
  EXPECT_EQ(platform.focus[0].id, kIdSeconds);
  EXPECT_TRUE(platform.focus[0].selectAll);
  EXPECT_EQ(dlg.focusedControl(), kIdSeconds);
  // Fields before the box were taken; the box and the fields after it kept their values.
  EXPECT_EQ(dlg.fields().helpText, "help");
  EXPECT_EQ(dlg.document().options.textDisplay, 0);
  EXPECT_EQ(dlg.document().options.secondsText, "123");
  EXPECT_EQ(dlg.document().options.sizingOverrideIndex, 0);
  EXPECT_EQ(dlg.document().options.effectOverrideIndex, 0);
  EXPECT_EQ(dlg.document().options.introCountText, "");

  // A caption counts its line breaks as two characters, as the box delivers them.
  std::string caption(178, 'x');
  dlg.SetControlText(kIdSeconds, "5");
  dlg.SetControlText(kIdCaption, caption + "\r\n");
  EXPECT_TRUE(dlg.UpdateData(true));
  dlg.SetControlText(kIdCaption, caption + "\r\nx");
  EXPECT_FALSE(dlg.UpdateData(true));
  EXPECT_EQ(platform.messages.back().text, "Please enter no more than 180 characters.");
  EXPECT_EQ(dlg.fields().caption, caption + "\r\n");
}

TEST_F(WindowTest, FieldsToControlsLeavesUnchangedControlsAlone) {
  dlg.UpdateData(false);
  platform.changed.clear();
  dlg.UpdateData(false);
  EXPECT_TRUE(platform.changed.empty());
  dlg.fields().helpText = "new";
  dlg.UpdateData(false);
  EXPECT_EQ(platform.changed, std::vector<int>{kIdHelpText});
  // An index no item has shows no choice.
  dlg.document().options.effectOverrideIndex = 65535;
  dlg.UpdateData(false);
  EXPECT_EQ(dlg.control(kIdEffectOverrideChoice).comboIndex, -1);
}

TEST_F(WindowTest, QuitEnterAndEscapeEndTheWindow) {
  dlg.SetControlCheck(kIdKeyUse, 0);
  EXPECT_TRUE(Dispatch(Notification::kCommand, kCmdQuit));
  EXPECT_TRUE(dlg.ended());
  EXPECT_EQ(dlg.result(), kCmdOk);
  EXPECT_EQ(dlg.document().options.keyUse, 0);  // Quit takes the controls' values first
  EXPECT_EQ(platform.endResults, std::vector<int>{kCmdOk});
  // An ended window takes no more input.
  EXPECT_FALSE(Dispatch(Notification::kCommand, kCmdNew));

  RecordingPlatform other;
  CSlideshowDlg escaped;
  escaped.AttachPlatform(other);
  escaped.OnInitDialog();
  escaped.SetControlCheck(kIdKeyUse, 0);
  escaped.Dispatch(Notification::kCommand, kCmdCancel);
  EXPECT_EQ(escaped.result(), kCmdCancel);
  EXPECT_EQ(escaped.document().options.keyUse, 1);  // no exchange on Escape

  // Enter with a box holding too much keeps the window open at that box.
  RecordingPlatform third;
  CSlideshowDlg refused;
  refused.AttachPlatform(third);
  refused.OnInitDialog();
  refused.SetControlText(kIdIntroCount, "100");
  refused.Dispatch(Notification::kCommand, kCmdOk);
  EXPECT_FALSE(refused.ended());
  EXPECT_EQ(third.messages.size(), 1u);
}

// Each field reaches its own control and no other, and the exchange runs in its order.
TEST_F(WindowTest, EachFieldGoesToItsControlInTheExchangeOrder) {
  WindowFields& f = dlg.fields();
  SlideshowOptions& o = dlg.document().options;
  const std::vector<std::pair<int, std::function<void()>>> changes = {
      {1022, [&] { f.colorInfo = "Color: 8Bits"; }},
      {1013, [&] { f.effectChoice = 3; }},
      {1018, [&] { f.caption = "caption"; }},
      {1025, [&] { f.captionPreview = "preview"; }},
      {1021, [&] { f.sizeInfo = "Size: 3x4"; }},
      {1014, [&] { f.sizingChoice = 1; }},
      {1033, [&] { f.helpText = "help"; }},
      {1026, [&] { o.helpScreen = 0; }},
      {1027, [&] { o.textDisplay = 0; }},
      {1028, [&] { o.sizingOverride = 1; }},
      {1032, [&] { o.thumbnails = 0; }},
      {1034, [&] { o.timeLimit = 1; }},
      {1037, [&] { o.keyUse = 0; }},
      {1036, [&] { o.effectOverride = 1; }},
      {1035, [&] { o.secondsText = "13"; }},
      {1016, [&] { o.sizingOverrideIndex = 2; }},
      {1015, [&] { o.effectOverrideIndex = 5; }},
      {1038, [&] { o.introCountText = "7"; }},
      {1043, [&] { f.fitChoice = 1; }},
      {1044, [&] { f.asOnConsole = 1; }},
  };
  const SlideshowOptions afterNew = o;
  const WindowFields fieldsAfterNew = f;
  for (const auto& [id, change] : changes) {
    o = afterNew;
    f = fieldsAfterNew;
    dlg.UpdateData(false);
    platform.changed.clear();
    change();
    dlg.UpdateData(false);
    EXPECT_EQ(platform.changed, std::vector<int>{id}) << id;
  }
  o = afterNew;
  f = fieldsAfterNew;
  dlg.UpdateData(false);
  platform.changed.clear();
  for (const auto& change : changes) change.second();
  dlg.UpdateData(false);
  EXPECT_EQ(platform.changed,
            std::vector<int>(kExpectedExchangeOrder.begin(), kExpectedExchangeOrder.end()));
  EXPECT_EQ(dlg.control(1035).text, "13");
  EXPECT_EQ(dlg.control(1038).text, "7");
  EXPECT_EQ(dlg.control(1016).comboIndex, 2);
  EXPECT_EQ(dlg.control(1015).comboIndex, 5);

  // Back from the controls: each control reaches its own field.
  dlg.OnNew();
  const SlideshowOptions defaults = o;
  dlg.SetControlCheck(1032, 0);
  dlg.SetControlText(1038, "42");
  dlg.SetComboIndex(1015, 7);
  dlg.UpdateData(true);
  SlideshowOptions expected = defaults;
  expected.thumbnails = 0;
  expected.introCountText = "42";
  expected.effectOverrideIndex = 7;
  EXPECT_EQ(o, expected);
}

// Every item of the menu runs its own command.
TEST_F(WindowTest, MenuCommandsRunTheirOperations) {
  ASSERT_TRUE(dlg.AddRow(Picture("a.bmp"), 0, 0, ""));
  dlg.SetWindowText("Varnel 1.3 (old.vrn)");
  EXPECT_TRUE(Dispatch(Notification::kCommand, 32780));  // New
  EXPECT_EQ(dlg.RowCount(), 0);
  EXPECT_EQ(dlg.windowText(), "Varnel 1.3 (New SlideShow)");
  EXPECT_EQ(platform.saveDialogs + platform.openDialogs, 0);

  EXPECT_TRUE(Dispatch(Notification::kCommand, 32772));  // Load asks for a file to open
  EXPECT_EQ(platform.openDialogs, 1);
  EXPECT_EQ(platform.saveDialogs, 0);
  EXPECT_TRUE(Dispatch(Notification::kCommand, 32777));  // Save asks for a name
  EXPECT_EQ(platform.openDialogs, 1);
  EXPECT_EQ(platform.saveDialogs, 1);

  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(192, 1));
  EXPECT_TRUE(Dispatch(Notification::kCommand, 32775));  // Build
  EXPECT_EQ(std::filesystem::file_size(work.file("slide.gba")), 632032u);

  // Settings, Start SlideShow, About and Play run what the application gives them.
  const std::vector<int> supplied = {32778, 32774, 32773, 32790};
  std::vector<int> ran;
  for (int id : supplied) dlg.SetCommandHandler(id, [&ran, id] { ran.push_back(id); });
  for (int id : supplied) EXPECT_TRUE(Dispatch(Notification::kCommand, id));
  EXPECT_EQ(ran, supplied);
  EXPECT_FALSE(dlg.ended());

  EXPECT_TRUE(Dispatch(Notification::kCommand, 32776));  // Quit
  EXPECT_TRUE(dlg.ended());
  EXPECT_EQ(dlg.result(), 1);
}

// A viewer template of a few bytes: the builder copies it to the start of the image.
void WriteFakeTemplate(const TempDir& work) {
  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(300, 0xAB));
}

TEST_F(WindowTest, BuildWritesTheImageWithTheProgressBarAtItsEnd) {
  WriteFakeTemplate(work);
  ASSERT_TRUE(dlg.AddRow(Picture("a.bmp", 64, 48), 0, 0, "first"));
  ASSERT_TRUE(dlg.AddRow(Picture("b.bmp", 30, 20), 2, 3, ""));
  dlg.fields().sizeInfo = "Size: 1x1";
  dlg.UpdateData(false);
  Click(kIdThumbnails, 0);  // taken from the control at build time

  // No input reaches the window while the build runs: none before its news, nor after.
  std::vector<bool> refused;
  EXPECT_TRUE(dlg.Dispatch(Notification::kCommand, kCmdBuildSlideShow));
  ASSERT_TRUE(platform.tasks.RunUntil([&] {
    if (!dlg.busy()) return true;
    refused.push_back(!dlg.Dispatch(Notification::kCommand, kCmdNew) &&
                      !dlg.Dispatch(Notification::kClicked, kIdClear));
    return false;
  }));

  const auto image = testing::ReadAllBytes(work.file("slide.gba"));
  ASSERT_GT(image.size(), 632032u);
  EXPECT_EQ(image[4], 0xAB);
  EXPECT_EQ(image[299], 0xAB);
  const RomHeader header = DecodeRomHeader(
      std::span<const uint8_t, kHeaderBytes>(image.data() + kHeaderOffset, kHeaderBytes));
  EXPECT_EQ(header.tag, kHeaderTag);
  EXPECT_EQ(header.pictureCount, 2);
  EXPECT_EQ(header.thumbnails, 0);
  EXPECT_EQ(dlg.progressBar().maximum(), 5 * 2 + 2);
  EXPECT_EQ(dlg.progressBar().position(), dlg.progressBar().maximum());
  EXPECT_EQ(dlg.control(kIdSizeInfo).text, "");  // the build empties the info texts
  EXPECT_FALSE(refused.empty());
  for (bool r : refused) EXPECT_TRUE(r);
  EXPECT_FALSE(dlg.busy());
  EXPECT_EQ(dlg.RowCount(), 2);
  EXPECT_TRUE(platform.messages.empty());
  // Back at its place after the conversions, holding no picture.
  EXPECT_EQ(*dlg.previewArea().rect(), (PixelRect{10, 250, 240, 160}));
}

TEST_F(WindowTest, BuildDoesNotRunWhileABoxHoldsTooMuch) {
  WriteFakeTemplate(work);
  dlg.SetControlText(kIdSeconds, "100");
  Dispatch(Notification::kCommand, kCmdBuildSlideShow);
  EXPECT_FALSE(std::filesystem::exists(work.file("slide.gba")));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Please enter no more than 2 characters.");
}

// An empty list would replace a show of pictures with one of none: Build asks first, and
// only about an image that holds pictures (or a file that is no image).
TEST_F(WindowTest, BuildOfAnEmptyListAsksBeforeReplacingAShow) {
  WriteFakeTemplate(work);
  const std::string image = work.file("slide.gba");
  const std::string question = "slide.gba holds a show. Replace it with a show of no pictures?";
  // An image of 632032 bytes whose header (tag 103 at 600000) counts `pictures`.
  const auto showOf = [](uint8_t pictures) {
    std::vector<uint8_t> bytes(632032, 0);
    bytes[600000] = 103;
    bytes[600002] = pictures;
    return bytes;
  };
  const auto build = [&](bool replace) {
    platform.questions.clear();
    platform.replaceAnswer = replace;
    Dispatch(Notification::kCommand, kCmdBuildSlideShow);
  };
  const auto pictureCount = [&] { return testing::ReadAllBytes(image).at(600002); };

  testing::WriteAllBytes(image, showOf(3));
  build(false);
  EXPECT_EQ(platform.questions, std::vector<std::string>{question});
  EXPECT_EQ(testing::ReadAllBytes(image), showOf(3));  // kept, byte for byte
  EXPECT_EQ(dlg.statusText(), "");
  build(true);
  EXPECT_EQ(platform.questions, std::vector<std::string>{question});
  EXPECT_EQ(testing::ReadAllBytes(image).size(), 632032u);
  EXPECT_EQ(pictureCount(), 0);
  // A show of no pictures, or no file at all, loses nothing: no question.
  build(false);
  EXPECT_TRUE(platform.questions.empty());
  std::filesystem::remove(image);
  build(false);
  EXPECT_TRUE(platform.questions.empty());
  EXPECT_TRUE(std::filesystem::exists(image));
  // A file that is no show is something of the user's too.
  testing::WriteAllBytes(image, {'n', 'o', 't', 'e', 's'});
  build(false);
  EXPECT_EQ(platform.questions, std::vector<std::string>{question});
  EXPECT_EQ(testing::ReadAllBytes(image), (std::vector<uint8_t>{'n', 'o', 't', 'e', 's'}));
  // A list with pictures builds without asking.
  testing::WriteAllBytes(image, showOf(3));
  ASSERT_TRUE(dlg.AddRow(Picture("a.bmp"), 0, 0, ""));
  build(false);
  EXPECT_TRUE(platform.questions.empty());
  EXPECT_EQ(pictureCount(), 1);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(WindowTest, BuildFailureShowsTheStopBox) {
  WriteFakeTemplate(work);
  ASSERT_TRUE(dlg.AddRow(Picture("a.bmp"), 0, 0, ""));
  // The image cannot be created where a directory of its name stands.
  std::filesystem::create_directory(work.file("slide.gba"));
  Dispatch(Notification::kCommand, kCmdBuildSlideShow);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].icon, MessageBoxIcon::kStop);
  EXPECT_FALSE(dlg.busy());
}

}  // namespace
}  // namespace varnel
