// The context help in the real window: the help timer, the pointer and the widgets.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCursor>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "tests/ui/expected_window.h"
#include "tests/ui/qt/qt_window_fixture.h"
#include "ui/model/child_window_from_point.h"
#include "ui/model/dialog_template.h"
#include "ui/qt/qt_help_pointer.h"

namespace varnel {
namespace {

using testing::QtWindowTest;

// Long enough for several ticks of the 250 ms help timer.
constexpr int kSeveralTicksMs = 2000;

QString HelpOf(int id) {
  std::string_view text = testing::kExpectedProcedure;
  for (const testing::ExpectedHelp& entry : testing::kExpectedHelp) {
    if (entry.id == id) text = entry.text;
  }
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

class QtContextHelpTest : public QtWindowTest {
 protected:
  void SetUp() override {
    QtWindowTest::SetUp();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  QString HelpShown() const { return Control<QLabel>(kIdHelpText)->text(); }
  void PointAt(int id) {
    QWidget* widget = window->control(id);
    QCursor::setPos(widget->mapToGlobal(widget->rect().center()));
  }
  void Tick() { ASSERT_TRUE(dialog->Dispatch(Notification::kTimer, kHelpTimerId)); }
};

TEST_F(QtContextHelpTest, ThePointerOverAWidgetBringsItsHelpAtTheNextTick) {
  PointAt(kIdThumbnails);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return HelpShown() == HelpOf(kIdThumbnails); }, kSeveralTicksMs));
  PointAt(kIdIntroLabel);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return HelpShown() == HelpOf(kIdIntroLabel); }, kSeveralTicksMs));
  // The help area shows the line feeds as line breaks.
  QLabel* area = Control<QLabel>(kIdHelpText);
  EXPECT_EQ(area->textFormat(), Qt::PlainText);
  EXPECT_TRUE(area->text().contains(QChar('\n')));
}

TEST_F(QtContextHelpTest, TheHitTestSeesTheWidgetsWhereTheyAre) {
  const QPoint origin = window->clientArea()->mapToGlobal(QPoint(0, 0));
  for (const ChildWindow& child : StackingOrder(*dialog, window->baseUnits())) {
    const QRect shown = window->controlAt(child.templateIndex)->geometry();
    EXPECT_EQ(shown, QRect(child.rect.x, child.rect.y, child.rect.width, child.rect.height))
        << child.controlId;
  }
  // The middle of every widget with a help text of its own finds that control.
  for (const testing::ExpectedHelp& entry : testing::kExpectedHelp) {
    const QPoint middle = window->control(entry.id)->geometry().center();
    EXPECT_EQ(
        ChildWindowFromPoint(*dialog, window->baseUnits(), {middle.x(), middle.y()}).controlId,
        entry.id);
  }
  // The real pointer comes out in client coordinates, below the menu bar.
  QtHelpPointer pointer(*window, *window->clientArea());
  EXPECT_TRUE(pointer.MainWindowIsActive());
  QCursor::setPos(origin + QPoint(37, 21));
  EXPECT_EQ(pointer.PointerInClient().x, 37);
  EXPECT_EQ(pointer.PointerInClient().y, 21);
  QCursor::setPos(origin - QPoint(0, 5));
  EXPECT_EQ(ChildWindowFromPoint(*dialog, window->baseUnits(), pointer.PointerInClient()).kind,
            WindowAtPoint::Kind::kNothing);
}

TEST_F(QtContextHelpTest, AnotherActiveWindowKeepsTheHelpText) {
  PointAt(kIdAdd);
  ASSERT_TRUE(QTest::qWaitFor([&] { return HelpShown() == HelpOf(kIdAdd); }, kSeveralTicksMs));
  QDialog settings(window.get());
  settings.show();
  settings.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&settings));
  PointAt(kIdClear);
  Control<QCheckBox>(kIdThumbnails)->click();
  QTest::qWait(600);
  EXPECT_EQ(HelpShown(), HelpOf(kIdAdd));
  EXPECT_EQ(dialog->document().options.thumbnails, 1);
  settings.close();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  EXPECT_TRUE(QTest::qWaitFor([&] { return HelpShown() == HelpOf(kIdClear); }, kSeveralTicksMs));
  EXPECT_EQ(dialog->document().options.thumbnails, 0);
}

TEST_F(QtContextHelpTest, ClickingThumbnailsReachesTheOptionsAtTheNextTick) {
  PointAt(kIdThumbnails);
  ASSERT_EQ(dialog->document().options.thumbnails, 1);
  QTest::mouseClick(window->control(kIdThumbnails), Qt::LeftButton);
  EXPECT_FALSE(Control<QCheckBox>(kIdThumbnails)->isChecked());
  EXPECT_EQ(dialog->document().options.thumbnails, 1);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return dialog->document().options.thumbnails == 0; }, kSeveralTicksMs));
  EXPECT_FALSE(Control<QCheckBox>(kIdThumbnails)->isChecked());
}

TEST_F(QtContextHelpTest, TicksWhileTypingKeepTheTextAndTheCaret) {
  PointAt(kIdIntroCount);
  auto* intro = Control<QLineEdit>(kIdIntroCount);
  intro->setFocus();
  QTest::keyClicks(intro, "42");
  intro->setCursorPosition(1);
  Tick();
  Tick();
  EXPECT_EQ(intro->text(), "42");
  EXPECT_EQ(intro->cursorPosition(), 1);
  EXPECT_EQ(dialog->document().options.introCountText, "42");
  EXPECT_EQ(HelpShown(), HelpOf(kIdIntroCount));
  // A selection survives the ticks as well.
  intro->setSelection(0, 1);
  Tick();
  EXPECT_EQ(intro->selectedText(), "4");

  QTest::mouseClick(window->control(kIdTimeLimit), Qt::LeftButton);
  auto* seconds = Control<QLineEdit>(kIdSeconds);
  ASSERT_TRUE(seconds->isEnabled());
  seconds->setFocus();
  seconds->selectAll();
  QTest::keyClicks(seconds, "3");
  Tick();
  QTest::keyClick(seconds, Qt::Key_Home);
  QTest::keyClicks(seconds, "1");
  Tick();
  EXPECT_EQ(seconds->text(), "13");
  EXPECT_EQ(seconds->cursorPosition(), 1);
  EXPECT_EQ(dialog->document().options.secondsText, "13");
}

}  // namespace
}  // namespace varnel
