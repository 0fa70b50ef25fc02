// The real window with real keys and mouse clicks: the title's mark of unsaved changes,
// the question before the window ends, the standard shortcuts, and a row selected by
// keyboard taking the edits.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "tests/ui/qt/qt_window_fixture.h"

namespace varnel {
namespace {

// The window with a user who answers the question about unsaved changes by clicking a
// button of it; Cancel until told otherwise.
class QtChangesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(work.path());
    dialog = std::make_unique<CSlideshowDlg>();
    window = std::make_unique<MainWindow>(*dialog);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    answerer_.setInterval(20);
    QObject::connect(&answerer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      questions << box->text();
      QAbstractButton* button = box->button(answer);
      if (button == nullptr) button = box->button(QMessageBox::Ok);
      QTest::mouseClick(button, Qt::LeftButton);
    });
    answerer_.start();
  }
  void TearDown() override {
    answerer_.stop();
    window.reset();
    dialog.reset();
    std::filesystem::current_path(previous_);
  }

  QTreeWidget* List() const { return qobject_cast<QTreeWidget*>(window->control(kIdPictureList)); }
  // Runs the window's events until the long command running, if any, has ended.
  void WaitWhileBusy() const {
    while (dialog->busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  void ClickRow(int row) {
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      List()->visualItemRect(List()->topLevelItem(row)).center());
  }
  std::string Picture(const std::string& name) {
    return testing::WriteBmp24(work.file(name), 8, 6, [](int, int) {
      return testing::Rgb{1, 2, 3};
    });
  }

  testing::TempDir work;
  std::unique_ptr<CSlideshowDlg> dialog;
  std::unique_ptr<MainWindow> window;
  QMessageBox::StandardButton answer = QMessageBox::Cancel;
  QStringList questions;

 private:
  std::filesystem::path previous_;
  QTimer answerer_;
};

TEST_F(QtChangesTest, TheTitleMarksChangesAndEndingTheWindowAsksFirst) {
  EXPECT_EQ(window->windowTitle(), "Varnel 1.3 (New SlideShow)[*]");
  EXPECT_FALSE(window->isWindowModified());
  QTest::mouseClick(window->control(kIdThumbnails), Qt::LeftButton);
  EXPECT_TRUE(window->isWindowModified());

  // Ctrl+Q and Escape ask; Cancel keeps the window and the change.
  QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
  QTest::keyClick(List(), Qt::Key_Escape);
  EXPECT_EQ(questions,
            QStringList({"Save changes to New SlideShow?", "Save changes to New SlideShow?"}));
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isWindowModified());

  // The close box, answered Discard: the window ends with the Cancel result.
  answer = QMessageBox::Discard;
  window->close();
  EXPECT_EQ(questions.size(), 3);
  EXPECT_EQ(window->result(), kCmdCancel);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(QtChangesTest, ShortcutsAreShownInTheMenusAndCtrlSSaves) {
  const std::pair<int, const char*> shortcuts[] = {
      {kCmdNew, "Ctrl+N"},  {kCmdLoad, "Ctrl+O"},       {kCmdSave, "Ctrl+S"},
      {kCmdQuit, "Ctrl+Q"}, {kCmdBuildSlideShow, "F5"}, {kCmdStartSlideShow, "F6"}};
  for (const auto& [command, keys] : shortcuts) {
    EXPECT_EQ(window->commandAction(command)->shortcut(), QKeySequence(QString::fromLatin1(keys)))
        << keys;
  }

  QTest::mouseClick(window->control(kIdHelpScreen), Qt::LeftButton);
  window->SetFileDialogAnswer([this](QFileDialog& fileDialog) {
    fileDialog.selectFile(QString::fromStdString(work.file("keys.vrn")));
    static_cast<QDialog&>(fileDialog).accept();  // as the Save button does
  });
  QTest::keyClick(List(), Qt::Key_S, Qt::ControlModifier);
  WaitWhileBusy();
  EXPECT_TRUE(std::filesystem::exists(work.file("keys.vrn")));
  EXPECT_EQ(window->windowTitle(), "Varnel 1.3 (keys.vrn)[*]");
  EXPECT_FALSE(window->isWindowModified());
  // Nothing unsaved: Ctrl+N asks nothing.
  QTest::keyClick(List(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_TRUE(questions.isEmpty());
  EXPECT_EQ(window->windowTitle(), "Varnel 1.3 (New SlideShow)[*]");
}

TEST_F(QtChangesTest, ARowSelectedByKeyboardShowsItsSettingsAndTakesTheEdits) {
  ASSERT_TRUE(dialog->AddRow(Picture("a.bmp"), 0, 0, "first"));
  ASSERT_TRUE(dialog->AddRow(Picture("b.bmp"), 1, 3, "middle"));
  ASSERT_TRUE(dialog->AddRow(Picture("c.bmp"), 2, 7, "last"));
  dialog->ApplyEnablingRules();
  auto* caption = qobject_cast<QPlainTextEdit*>(window->control(kIdCaption));
  auto* effect = qobject_cast<QComboBox*>(window->control(kIdEffectChoice));
  ClickRow(0);
  EXPECT_EQ(caption->toPlainText(), "first");

  QTest::keyClick(List(), Qt::Key_End);
  EXPECT_EQ(caption->toPlainText(), "last");
  EXPECT_EQ(effect->currentIndex(), 7);
  EXPECT_EQ(qobject_cast<QComboBox*>(window->control(kIdSizingChoice))->currentIndex(), 2);

  // The next effect, chosen with the keyboard, goes to the row shown selected.
  effect->setFocus();
  QTest::keyClick(effect, Qt::Key_Down);
  EXPECT_EQ(List()->topLevelItem(2)->text(1), "(08) FadeOut");
  EXPECT_EQ(List()->topLevelItem(2)->text(5), "last");
  EXPECT_EQ(List()->topLevelItem(0)->text(1), "(00) No Effect");
  EXPECT_EQ(List()->topLevelItem(0)->text(5), "first");

  QTest::keyClick(List(), Qt::Key_Home);
  EXPECT_EQ(caption->toPlainText(), "first");
}

}  // namespace
}  // namespace varnel
