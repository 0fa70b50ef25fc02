#include "ui/model/context_help.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/ui/expected_window.h"
#include "tests/ui/window_model_fixture.h"
#include "ui/model/child_window_from_point.h"
#include "ui/model/control_layout.h"
#include "ui/model/dialog_template.h"

namespace varnel {
namespace {

using testing::WindowTest;
using Kind = WindowAtPoint::Kind;
using namespace testing;  // the expected tables

std::string_view Help(int id) {
  for (const ExpectedHelp& entry : kExpectedHelp) {
    if (entry.id == id) return entry.text;
  }
  return kExpectedProcedure;
}

class FakePointer final : public HelpPointer {
 public:
  bool MainWindowIsActive() override { return active; }
  ClientPoint PointerInClient() override { return at; }

  bool active = true;
  ClientPoint at;
};

// The window model with its context help, the pointer where a test puts it.
class ContextHelpTest : public WindowTest {
 protected:
  // A common font's base units; the layout only has to agree with itself.
  static constexpr DialogBaseUnits kBase = {6, 13};

  static ClientPoint InDialogUnits(int x, int y) {
    return {HorizontalPixels(x, kBase), VerticalPixels(y, kBase)};
  }
  // A point well inside the control: the middle of its width, near its top, so that a
  // drop-down list is hit where it lies closed.
  ClientPoint Over(int id) const {
    if (id == kIdPreview) {
      const PixelRect& r = *dlg.previewArea().rect();
      return {r.x + r.width / 2, r.y + r.height / 2};
    }
    const DialogRect& r = FindControlTemplate(id)->rect;
    return InDialogUnits(r.x + r.width / 2, r.y + std::min(r.height, 10) / 2);
  }
  void TickAt(ClientPoint point) {
    pointer.at = point;
    platform.changed.clear();
    ASSERT_TRUE(dlg.Dispatch(Notification::kTimer, kHelpTimerId));
  }
  std::string HelpShown() const { return dlg.control(kIdHelpText).text; }

  FakePointer pointer;
  ContextHelp help{dlg, pointer, kBase};
};

TEST(ChildWindowFromPoint, FindsTheTopmostVisibleOpaqueChildWithinTheClientArea) {
  const PixelRect client{0, 0, 100, 80};
  const ChildWindow top{0, 11, {10, 10, 20, 20}};
  const ChildWindow below{1, 12, {0, 0, 50, 50}};
  const std::vector<ChildWindow> order = {top, below};
  EXPECT_EQ(ChildWindowFromPoint(order, client, {15, 15}), (WindowAtPoint{Kind::kControl, 0, 11}));
  // Left and top edges belong to a rectangle, right and bottom edges do not.
  EXPECT_EQ(ChildWindowFromPoint(order, client, {10, 10}).controlId, 11);
  EXPECT_EQ(ChildWindowFromPoint(order, client, {30, 15}).controlId, 12);
  EXPECT_EQ(ChildWindowFromPoint(order, client, {15, 30}).controlId, 12);
  EXPECT_EQ(ChildWindowFromPoint(order, client, {60, 60}).kind, Kind::kMainWindow);
  EXPECT_EQ(ChildWindowFromPoint(order, client, {99, 79}).kind, Kind::kMainWindow);
  for (ClientPoint outside :
       {ClientPoint{-1, 5}, ClientPoint{5, -1}, ClientPoint{100, 5}, ClientPoint{5, 80}}) {
    EXPECT_EQ(ChildWindowFromPoint(order, client, outside).kind, Kind::kNothing);
  }
  // A hidden or transparent child lets the point through to what lies beneath.
  ChildWindow hidden = top;
  hidden.visible = false;
  EXPECT_EQ(ChildWindowFromPoint({hidden, below}, client, {15, 15}).controlId, 12);
  ChildWindow transparent = top;
  transparent.transparent = true;
  EXPECT_EQ(ChildWindowFromPoint({transparent, below}, client, {15, 15}).controlId, 12);
  EXPECT_EQ(ChildWindowFromPoint({transparent}, client, {15, 15}).kind, Kind::kMainWindow);
}

TEST_F(ContextHelpTest, ThePreviewLiesOnTopOnceStartUpHasPlacedIt) {
  const std::vector<ChildWindow> order = StackingOrder(dlg, kBase);
  ASSERT_EQ(order.size(), kExpectedControls.size());
  EXPECT_EQ(order[0].controlId, kIdPreview);
  EXPECT_EQ(order[0].rect, (PixelRect{10, 250, 240, 160}));
  // The fit choice lies over the empty end of the "Description" label.
  EXPECT_EQ(order[1].controlId, 1043);
  EXPECT_EQ(order[2].controlId, kIdSizeInfo);
  EXPECT_EQ(order[3].controlId, kIdPictureList);
  EXPECT_EQ(order[9].templateIndex, 8);  // "Picture Options", behind the preview
  EXPECT_TRUE(order[9].transparent);
  EXPECT_EQ(order.back().controlId, 1044);
  // A closed drop-down list is only a line high, so the controls beneath its open list
  // are found.
  const PixelRect effectChoice = ControlPixelRect(*FindControlTemplate(kIdEffectChoice), kBase);
  EXPECT_EQ(effectChoice.height, kBase.y + 8);
}

TEST_F(ContextHelpTest, EveryControlWithAHelpTextExplainsItselfUnderThePointer) {
  for (const ExpectedHelp& entry : kExpectedHelp) {
    SCOPED_TRACE(entry.id);
    TickAt(Over(entry.id));
    const WindowAtPoint found = ChildWindowFromPoint(dlg, kBase, pointer.at);
    EXPECT_EQ(found.kind, Kind::kControl);
    EXPECT_EQ(found.controlId, entry.id);
    EXPECT_EQ(dlg.fields().helpText, entry.text);
    EXPECT_EQ(HelpShown(), entry.text);
  }
}

TEST_F(ContextHelpTest, ADisabledChoiceStillExplainsItself) {
  ASSERT_TRUE(dlg.AddRow(Picture("a.bmp"), 0, 0, ""));
  dlg.ApplyEnablingRules();
  ASSERT_TRUE(Enabled(kIdEffectChoice));
  Click(kIdEffectOverride, 1);
  ASSERT_FALSE(Enabled(kIdEffectChoice));
  TickAt(Over(kIdEffectChoice));
  EXPECT_EQ(HelpShown(), Help(kIdEffectChoice));
  // Disabled from the start too, before any row exists.
  Click(kIdEffectOverride, 0);
  dlg.OnClear();
  ASSERT_FALSE(Enabled(kIdSizingChoice));
  TickAt(Over(kIdSizingChoice));
  EXPECT_EQ(HelpShown(), Help(kIdSizingChoice));
}

TEST_F(ContextHelpTest, FramesLabelsInfoFieldsAndTheBareWindowShowTheProcedure) {
  TickAt(Over(kIdAdd));
  ASSERT_NE(HelpShown(), kExpectedProcedure);

  // Inside the transparent option frames, beside their controls: the window itself.
  for (ClientPoint p : {InDialogUnits(346, 290), InDialogUnits(177, 200), InDialogUnits(500, 195),
                        InDialogUnits(520, 160)}) {
    TickAt(p);
    EXPECT_EQ(ChildWindowFromPoint(dlg, kBase, p).kind, Kind::kMainWindow);
    EXPECT_EQ(HelpShown(), kExpectedProcedure);
  }
  // The info fields and the progress bar are found, and have no text of their own.
  for (int id : {kIdSizeInfo, kIdColorInfo, kIdProgress}) {
    TickAt(Over(kIdAdd));
    TickAt(Over(id));
    EXPECT_EQ(ChildWindowFromPoint(dlg, kBase, pointer.at).controlId, id);
    EXPECT_EQ(HelpShown(), kExpectedProcedure) << id;
  }
  // The "Help" frame is not transparent: its border is found, its inside is the help area.
  const ClientPoint helpFrameBorder = InDialogUnits(356, 280);
  const WindowAtPoint frame = ChildWindowFromPoint(dlg, kBase, helpFrameBorder);
  EXPECT_EQ(frame.kind, Kind::kControl);
  EXPECT_EQ(kExpectedControls[static_cast<std::size_t>(frame.templateIndex)].text, "Help");
  TickAt(helpFrameBorder);
  EXPECT_EQ(HelpShown(), kExpectedProcedure);
  TickAt(InDialogUnits(400, 270));
  EXPECT_EQ(HelpShown(), Help(kIdHelpText));
  // A label without an identifier.
  TickAt(InDialogUnits(190, 190));  // "Description"
  EXPECT_EQ(HelpShown(), kExpectedProcedure);
}

TEST_F(ContextHelpTest, TheDisplayOnceLabelAndItsBoxEachHaveTheirOwnText) {
  TickAt(Over(kIdIntroLabel));
  EXPECT_EQ(HelpShown(), Help(kIdIntroLabel));
  EXPECT_NE(HelpShown(), kExpectedProcedure);
  TickAt(Over(kIdIntroCount));
  EXPECT_EQ(HelpShown(), Help(kIdIntroCount));
  EXPECT_NE(Help(kIdIntroCount), Help(kIdIntroLabel));
}

TEST_F(ContextHelpTest, OutsideTheClientAreaOrUnderAnotherWindowNothingChanges) {
  TickAt(Over(kIdClear));
  const std::string shown = HelpShown();
  // The user unticks Thumbnails (no click handler) and the pointer leaves the window.
  dlg.SetControlCheck(kIdThumbnails, 0);
  const PixelRect client = ClientPixelRect(kBase);
  for (ClientPoint outside : {ClientPoint{-1, 40}, ClientPoint{40, -3},
                              ClientPoint{client.width, 40}, ClientPoint{40, client.height}}) {
    TickAt(outside);
    EXPECT_EQ(HelpShown(), shown);
    EXPECT_TRUE(platform.changed.empty());
    EXPECT_EQ(dlg.document().options.thumbnails, 1);  // not even taken into the fields
  }
  // Settings, About or a message box is active: the help area keeps its text.
  pointer.active = false;
  TickAt(Over(kIdAdd));
  EXPECT_EQ(HelpShown(), shown);
  EXPECT_TRUE(platform.changed.empty());
  EXPECT_EQ(dlg.document().options.thumbnails, 1);
  // Back in the main window, the next tick catches up.
  pointer.active = true;
  TickAt(Over(kIdAdd));
  EXPECT_EQ(HelpShown(), Help(kIdAdd));
  EXPECT_EQ(dlg.document().options.thumbnails, 0);
}

TEST_F(ContextHelpTest, CheckBoxesWithoutAClickHandlerReachTheOptionsAtTheNextTick) {
  ASSERT_EQ(dlg.document().options.thumbnails, 1);
  dlg.SetControlCheck(kIdThumbnails, 0);
  EXPECT_FALSE(dlg.Dispatch(Notification::kClicked, kIdThumbnails));  // no handler
  dlg.SetControlCheck(kIdHelpScreen, 0);
  dlg.SetControlCheck(kIdKeyUse, 0);
  EXPECT_EQ(dlg.document().options.thumbnails, 1);
  TickAt(Over(kIdPictureList));
  EXPECT_EQ(dlg.document().options.thumbnails, 0);
  EXPECT_EQ(dlg.document().options.helpScreen, 0);
  EXPECT_EQ(dlg.document().options.keyUse, 0);
  EXPECT_EQ(dlg.control(kIdThumbnails).check, 0);  // the control keeps the user's choice
}

TEST_F(ContextHelpTest, RepeatedTicksLeaveUnchangedControlsUntouched) {
  Click(kIdTimeLimit, 1);
  Type(kIdSeconds, "42");
  Type(kIdIntroCount, "7");
  TickAt(Over(kIdCaption));
  EXPECT_EQ(platform.changed, std::vector<int>{kIdHelpText});  // only the new help text
  for (int i = 0; i < 3; ++i) {
    TickAt(Over(kIdCaption));
    EXPECT_TRUE(platform.changed.empty());
  }
  // Typing into the intro count box between ticks: the box is not written back.
  dlg.SetFocusedControl(kIdIntroCount);
  Type(kIdIntroCount, "73");
  TickAt(Over(kIdIntroCount));
  EXPECT_EQ(dlg.control(kIdIntroCount).text, "73");
  EXPECT_EQ(dlg.document().options.introCountText, "73");
  EXPECT_EQ(platform.changed, std::vector<int>{kIdHelpText});
}

TEST_F(ContextHelpTest, TheSecondsBoxKeepsItsEditWhileItHasTheFocus) {
  Click(kIdTimeLimit, 1);
  dlg.SetFocusedControl(kIdSeconds);
  Type(kIdSeconds, "3");
  TickAt(Over(kIdAdd));
  Type(kIdSeconds, "38");
  TickAt(Over(kIdSeconds));
  EXPECT_EQ(dlg.control(kIdSeconds).text, "38");
  EXPECT_EQ(dlg.document().options.secondsText, "38");
  EXPECT_EQ(HelpShown(), Help(kIdSeconds));
  EXPECT_EQ(platform.changed, std::vector<int>{kIdHelpText});
  // With the focus there the tick takes nothing from the controls...
  dlg.SetControlCheck(kIdHelpScreen, 0);
  TickAt(Over(kIdAdd));
  EXPECT_EQ(dlg.document().options.helpScreen, 1);
  // ...and once the focus moves on, the next tick does.
  dlg.SetFocusedControl(kIdHelpScreen);
  dlg.SetControlCheck(kIdHelpScreen, 0);
  TickAt(Over(kIdAdd));
  EXPECT_EQ(dlg.document().options.helpScreen, 0);
  // Nothing focused at all counts as another control.
  dlg.SetFocusedControl(kIdNone);
  dlg.SetControlCheck(kIdKeyUse, 0);
  TickAt(Over(kIdAdd));
  EXPECT_EQ(dlg.document().options.keyUse, 0);
}

TEST_F(ContextHelpTest, ABoxHoldingMoreThanItMayStopsTheTickWithoutAMessage) {
  TickAt(Over(kIdAdd));
  // A loaded value longer than the box takes.
  dlg.document().options.introCountText = "123";
  dlg.UpdateData(false);
  dlg.SetControlCheck(kIdThumbnails, 0);  // a change the user made meanwhile
  for (int i = 0; i < 3; ++i) TickAt(Over(kIdClear));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(HelpShown(), Help(kIdAdd));
  EXPECT_EQ(dlg.control(kIdThumbnails).check, 0);  // not written over
  // The user corrects the box; the tick goes on.
  dlg.SetControlText(kIdIntroCount, "12");
  TickAt(Over(kIdClear));
  EXPECT_EQ(HelpShown(), Help(kIdClear));
  EXPECT_EQ(dlg.document().options.introCountText, "12");
  EXPECT_EQ(dlg.document().options.thumbnails, 0);
  EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace varnel
