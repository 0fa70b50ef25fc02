// Real clicks and keys given to the window while a Build runs are dropped, not carried
// out after it; the Cancel button beside the progress bar stops the build.
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

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
  bool cancelWasVisible = false;
  QTimer::singleShot(0, [&] {
    cancelWasVisible = cancel->isVisible();
    for (QWidget* text : texts) {
      EXPECT_FALSE(cancel->geometry().intersects(text->geometry()))
          << text->objectName().toStdString();
    }
    EXPECT_FALSE(cancel->geometry().intersects(window->control(kIdProgress)->geometry()));
    EXPECT_TRUE(window->clientArea()->rect().contains(cancel->geometry()));
    QTest::mouseClick(Control<QPushButton>(kIdClear), Qt::LeftButton);
    QTest::keyClick(Control<QTreeWidget>(kIdPictureList), Qt::Key_Delete);
    QTest::keyClick(Control<QTreeWidget>(kIdPictureList), Qt::Key_N, Qt::AltModifier);
    QTest::mouseClick(cancel, Qt::LeftButton);
  });
  window->commandAction(kCmdBuildSlideShow)->trigger();
  QApplication::processEvents();

  EXPECT_TRUE(cancelWasVisible);
  EXPECT_FALSE(cancel->isVisible());
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
