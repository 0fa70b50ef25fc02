// Real clicks and keys given to the window while a Build runs are dropped, not carried
// out after it; the Cancel button beside the progress bar stops the build.
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "tests/ui/qt/qt_window_fixture.h"

namespace varnel {
namespace {

using testing::QtWindowTest;

TEST_F(QtWindowTest, InputDuringABuildIsDroppedAndCancelStopsIt) {
  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(512, 0x5A));
  // Pictures large enough that the build is still running when the clicks arrive.
  for (int i = 0; i < 8; ++i)
    ASSERT_TRUE(dialog->AddRow(Picture("p" + std::to_string(i) + ".bmp", 1600, 1200), 0, 0, ""));
  dialog->SetRowState(3, true, true);
  auto* cancel = qobject_cast<QPushButton*>(window->control(kIdCancelBuild));
  ASSERT_NE(cancel, nullptr);
  EXPECT_FALSE(cancel->isVisible());

  bool cancelWasVisible = false;
  QTimer::singleShot(0, [&] {
    cancelWasVisible = cancel->isVisible();
    QTest::mouseClick(Control<QPushButton>(kIdClear), Qt::LeftButton);
    QTest::keyClick(Control<QTreeWidget>(kIdPictureList), Qt::Key_Delete);
    QTest::keyClick(Control<QTreeWidget>(kIdPictureList), Qt::Key_N, Qt::AltModifier);
    QTest::mouseClick(cancel, Qt::LeftButton);
  });
  window->commandAction(kCmdBuildSlideShow)->trigger();
  QApplication::processEvents();

  EXPECT_TRUE(cancelWasVisible);
  EXPECT_FALSE(cancel->isVisible());
  EXPECT_EQ(dialog->RowCount(), 8);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  auto* status = qobject_cast<QLabel*>(window->control(kIdStatusLine));
  ASSERT_NE(status, nullptr);
  EXPECT_TRUE(status->toolTip().startsWith("Build stopped: ")) << status->toolTip().toStdString();

  // Input after the build is taken again.
  QTest::mouseClick(Control<QPushButton>(kIdRemove), Qt::LeftButton);
  EXPECT_EQ(dialog->RowCount(), 7);
}

}  // namespace
}  // namespace varnel
