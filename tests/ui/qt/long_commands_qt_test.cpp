// While a Build runs the window's controls and menu commands are disabled, so real clicks
// and keys given to it do nothing, then or after it; the Cancel button beside the
// progress bar stays and stops the build.
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>

#include "tests/ui/qt/qt_window_fixture.h"

namespace varnel {
namespace {

using testing::QtWindowTest;

// Every label below the preview: the picture's size and depth, the cartridge meter, the
// selected picture's cost and the status line.
std::vector<QWidget*> TextsBelowThePreview(const MainWindow& window) {
  std::vector<QWidget*> texts = {window.control(kIdSizeInfo), window.control(kIdColorInfo),
                                 window.control(kIdStatusLine)};
  for (QLabel* label : window.clientArea()->findChildren<QLabel*>()) {
    if (label->property("controlId").toInt() == kIdCartridgeMeter) texts.push_back(label);
  }
  return texts;
}

TEST_F(QtWindowTest, InputDuringABuildIsDroppedAndCancelStopsIt) {
  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(512, 0x5A));
  // Pictures large enough that the build is still running when the clicks arrive.
  for (int i = 0; i < 8; ++i)
    ASSERT_TRUE(dialog->AddRow(Picture("p" + std::to_string(i) + ".bmp", 1600, 1200), 0, 0, ""));
  dialog->SetRowState(3, true, true);
  auto* cancel = qobject_cast<QPushButton*>(window->control(kIdCancelBuild));
  ASSERT_NE(cancel, nullptr);
  EXPECT_FALSE(cancel->isVisible());

  // The texts around the progress bar that the Cancel button must leave readable.
  const std::vector<QWidget*> texts = TextsBelowThePreview(*window);
  const QRect progressBefore = window->control(kIdProgress)->geometry();
  // The build begins; the window's thread is back in its event loop.
  window->commandAction(kCmdBuildSlideShow)->trigger();
  QApplication::processEvents();
  ASSERT_TRUE(dialog->busy());
  EXPECT_TRUE(cancel->isVisible());
  EXPECT_TRUE(cancel->isEnabled());
  for (const int id : {kIdClear, kIdAdd, kIdRemove, kIdPictureList, kIdThumbnails, kIdSeconds})
    EXPECT_FALSE(window->control(id)->isEnabled()) << id;
  for (const int command : {kCmdNew, kCmdLoad, kCmdSave, kCmdBuildSlideShow, kCmdQuit})
    EXPECT_FALSE(window->commandAction(command)->isEnabled()) << command;
  for (QWidget* text : texts) {
    EXPECT_FALSE(cancel->geometry().intersects(text->geometry()))
        << text->objectName().toStdString();
  }
  EXPECT_FALSE(cancel->geometry().intersects(window->control(kIdProgress)->geometry()));
  EXPECT_TRUE(window->clientArea()->rect().contains(cancel->geometry()));
  QTest::mouseClick(Control<QPushButton>(kIdClear), Qt::LeftButton);
  QTest::keyClick(Control<QTreeWidget>(kIdPictureList), Qt::Key_Delete);
  QTest::keyClick(Control<QTreeWidget>(kIdPictureList), Qt::Key_N, Qt::AltModifier);
  QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
  // A picture dropped on the list is refused, the drag shows it, and it does not come in
  // after the build either.
  const DropAnswer late = DropOnList({Picture("late.bmp", 8, 8)});
  EXPECT_FALSE(late.dragTaken || late.dropTaken);
  EXPECT_TRUE(dialog->busy());
  QTest::mouseClick(cancel, Qt::LeftButton);
  WaitWhileBusy();

  EXPECT_FALSE(cancel->isVisible());
  EXPECT_TRUE(Control<QPushButton>(kIdClear)->isEnabled());
  EXPECT_TRUE(window->commandAction(kCmdNew)->isEnabled());
  EXPECT_EQ(window->control(kIdProgress)->geometry(), progressBefore);
  EXPECT_EQ(dialog->RowCount(), 8);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  auto* status = qobject_cast<QLabel*>(window->control(kIdStatusLine));
  ASSERT_NE(status, nullptr);
  EXPECT_TRUE(status->toolTip().startsWith("Build stopped: ")) << status->toolTip().toStdString();

  // Input after the build is taken again.
  QTest::mouseClick(Control<QPushButton>(kIdRemove), Qt::LeftButton);
  EXPECT_EQ(dialog->RowCount(), 7);
  const DropAnswer later = DropOnList({Picture("later.bmp", 8, 8)});
  EXPECT_TRUE(later.dragTaken || later.dropTaken);
  WaitWhileBusy();
  EXPECT_EQ(dialog->RowCount(), 8);
}

TEST_F(QtWindowTest, TheProgressBarAndPreviewStayEnabledWhileABuildRuns) {
  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(512, 0x5A));
  for (int i = 0; i < 4; ++i)
    ASSERT_TRUE(dialog->AddRow(Picture("p" + std::to_string(i) + ".bmp", 1600, 1200), 0, 0, ""));
  window->commandAction(kCmdBuildSlideShow)->trigger();
  QApplication::processEvents();
  ASSERT_TRUE(dialog->busy());
  // They show what the build does; a greyed bar would say it had stopped.
  for (const int id : {kIdProgress, kIdPreview, kIdStatusLine, kIdSizeInfo})
    EXPECT_TRUE(window->control(id)->isEnabled()) << id;
  QTest::mouseClick(qobject_cast<QPushButton*>(window->control(kIdCancelBuild)), Qt::LeftButton);
  WaitWhileBusy();
}

// The window goes away while a command runs (the system ends the program): the command is
// stopped and waited for, what it had still to show is dropped, and nothing is written
// half. The model outlives the window, as in the application.
TEST_F(QtWindowTest, AWindowClosedDuringACommandStopsItCleanly) {
  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(512, 0x5A));
  for (int i = 0; i < 8; ++i)
    ASSERT_TRUE(dialog->AddRow(Picture("p" + std::to_string(i) + ".bmp", 1600, 1200), 0, 0, ""));
  window->commandAction(kCmdBuildSlideShow)->trigger();
  QApplication::processEvents();
  ASSERT_TRUE(dialog->busy());
  window.reset();
  EXPECT_FALSE(dialog->busy());
  EXPECT_TRUE(dialog->stopRequested());
  EXPECT_FALSE(std::filesystem::exists(work.file("slide.gba")));
  // Tasks the build had posted find no window and no command.
  QApplication::processEvents();
  EXPECT_EQ(dialog->RowCount(), 8);

  // An Add of many pictures, gone before its rows came in: none comes afterwards. A new
  // window over the same model shows no build running.
  window = std::make_unique<MainWindow>(*dialog);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  EXPECT_FALSE(window->control(kIdCancelBuild)->isVisible());
  const int rowsBefore = dialog->RowCount();  // the new window began with New
  std::vector<std::string> many;
  for (int i = 0; i < 40; ++i) many.push_back(Picture("m" + std::to_string(i) + ".bmp", 800, 600));
  dialog->OnDropFiles(many);
  ASSERT_TRUE(dialog->busy());
  window.reset();
  EXPECT_FALSE(dialog->busy());
  QApplication::processEvents();
  EXPECT_EQ(dialog->RowCount(), rowsBefore);
}

TEST_F(QtWindowTest, TheStatusLineKeepsTheImagesFileNameInSight) {
  auto* status = Control<QLabel>(kIdStatusLine);
  const std::string path = "/home/ann/Varnel/" + std::string(120, 'd') + "/slide.gba";
  const std::string text = "Wrote " + path + " (3 pictures).";
  dialog->SetStatusText(text, path);
  const QString shown = status->text();
  EXPECT_TRUE(shown.startsWith(QStringLiteral("Wrote ") + QChar(0x2026))) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith(QStringLiteral("d/slide.gba (3 pictures)."))) << shown.toStdString();
  EXPECT_LE(status->fontMetrics().horizontalAdvance(shown), status->width());
  EXPECT_EQ(status->toolTip().toStdString(), text);
}

}  // namespace
}  // namespace varnel
