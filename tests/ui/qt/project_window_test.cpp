// Save and Load from the real window's menu, with the file dialogs answered in place of
// the user, and the Save dialog's own rule for names and replacements.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTreeWidget>

#include "tests/project/hand_written_files.h"
#include "tests/ui/qt/qt_window_fixture.h"
#include "ui/qt/project_file_dialog.h"

namespace varnel {
namespace {

using testing::Bytes;

constexpr std::size_t kSecondsOffset = 5;
constexpr std::size_t kTimeLimitOffset = 13;

// Counts the paint events a widget gets while it lives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
  int count = 0;
};

// What the window set up in a file dialog before the stand-in answered it.
struct SeenDialog {
  QFileDialog::AcceptMode mode;
  QFileDialog::FileMode fileMode;
  QStringList filters;
  QWidget* owner;
  QString typedName;
};

class QtProjectTest : public testing::QtWindowTest {
 protected:
  QTreeWidget* List() const { return Control<QTreeWidget>(kIdPictureList); }

  // The next file dialog is answered as a user choosing this file would (or cancelling,
  // for an empty name).
  void AnswerDialogWith(const std::string& path) {
    window->SetFileDialogAnswer([this, path](QFileDialog& dialog) {
      auto* nameBox = dialog.findChild<QLineEdit*>("fileNameEdit");
      seen.push_back({dialog.acceptMode(), dialog.fileMode(), dialog.nameFilters(),
                      dialog.parentWidget(), nameBox != nullptr ? nameBox->text() : "?"});
      if (path.empty()) {
        dialog.reject();
        return;
      }
      dialog.selectFile(QString::fromStdString(path));
      static_cast<QDialog&>(dialog).accept();  // as the dialog's Save or Open button does
    });
  }

  void ClickRow(int row) {
    QTreeWidgetItem* item = List()->topLevelItem(row);
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      List()->visualItemRect(item).center());
  }

  std::vector<SeenDialog> seen;
};

TEST_F(QtProjectTest, SaveAndLoadFromTheMenuWriteTheFileAndRestoreTheWindow) {
  const std::string a = Picture("a.bmp", 40, 30);
  const std::string b = Picture("b.bmp", 16, 8);
  ASSERT_TRUE(dialog->AddRow(a, 0, 0, ""));
  ASSERT_TRUE(dialog->AddRow(b, 1, 5, ""));
  dialog->ApplyEnablingRules();
  // A two-line caption typed into the caption box of the first row.
  ClickRow(0);
  auto* caption = Control<QPlainTextEdit>(kIdCaption);
  caption->setFocus();
  QTest::keyClicks(caption, "One");
  QTest::keyClick(caption, Qt::Key_Return);
  QTest::keyClicks(caption, "Two");
  QTest::mouseClick(Control<QCheckBox>(kIdTimeLimit), Qt::LeftButton);
  auto* seconds = Control<QLineEdit>(kIdSeconds);
  seconds->selectAll();
  QTest::keyClicks(seconds, "12");

  // The name is chosen without its extension; the dialog adds it.
  AnswerDialogWith(work.file("myshow"));
  Run(MenuItem("&File", "&Save"));
  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  EXPECT_EQ(window->windowTitle(), "Varnel 1.3 (myshow.vrn)[*]");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].mode, QFileDialog::AcceptSave);
  EXPECT_EQ(seen[0].filters, QStringList{"Varnel Files (*.vrn)"});
  EXPECT_EQ(seen[0].owner, window.get());
  EXPECT_EQ(seen[0].typedName, "");  // no initial file name

  Bytes header = testing::NewShowHeader(2);
  header[kSecondsOffset] = 12;
  header[kTimeLimitOffset] = 0x01;
  const Bytes expected =
      testing::Cat({header, testing::Zeros(2500), testing::Record(a, "One\r\nTwo", 0, 0),
                    testing::Record(b, "", 1, 5)});
  EXPECT_EQ(testing::ReadAllBytes(work.file("myshow.vrn")), expected);
  EXPECT_FALSE(std::filesystem::exists(work.file("myshow")));

  Run(MenuItem("&File", "&New"));
  ASSERT_EQ(List()->topLevelItemCount(), 0);
  EXPECT_EQ(seconds->text(), "5");

  AnswerDialogWith(work.file("myshow.vrn"));
  PaintCounter progressPaints(window->control(kIdProgress));
  Run(MenuItem("&File", "&Load"));
  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].mode, QFileDialog::AcceptOpen);
  EXPECT_EQ(seen[1].fileMode, QFileDialog::ExistingFile);
  EXPECT_EQ(seen[1].filters, QStringList{"Varnel Files (*.vrn)"});
  EXPECT_EQ(seen[1].owner, window.get());
  EXPECT_EQ(seen[1].typedName, "");
  // The window stayed drawn while the file loaded.
  EXPECT_GT(progressPaints.count, 0);

  EXPECT_EQ(window->windowTitle(), "Varnel 1.3 (myshow.vrn)[*]");
  ASSERT_EQ(List()->topLevelItemCount(), 2);
  EXPECT_EQ(List()->topLevelItem(0)->text(0), "a.bmp");
  EXPECT_EQ(List()->topLevelItem(0)->text(3), "40x30 (24Bits)");
  EXPECT_EQ(List()->topLevelItem(0)->text(5), "One\r\nTwo");
  EXPECT_EQ(List()->topLevelItem(1)->text(1), "(05) Zoom In");
  EXPECT_EQ(seconds->text(), "12");
  EXPECT_TRUE(seconds->isEnabled());
  EXPECT_TRUE(Control<QCheckBox>(kIdTimeLimit)->isChecked());
  auto* progress = Control<QProgressBar>(kIdProgress);
  EXPECT_EQ(progress->maximum(), 3);
  EXPECT_EQ(progress->value(), 3);

  // Clicking a loaded row shows its own settings in the per-picture controls.
  ClickRow(1);
  EXPECT_EQ(Control<QComboBox>(kIdEffectChoice)->currentIndex(), 5);
  EXPECT_EQ(Control<QComboBox>(kIdSizingChoice)->currentIndex(), 1);
  EXPECT_EQ(caption->toPlainText(), "");
  ClickRow(0);
  EXPECT_EQ(Control<QComboBox>(kIdEffectChoice)->currentIndex(), 0);
  EXPECT_EQ(caption->toPlainText(), "One\nTwo");

  // Cancelling either dialog changes nothing.
  AnswerDialogWith("");
  Run(MenuItem("&File", "&Load"));
  Run(MenuItem("&File", "&Save"));
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_EQ(List()->topLevelItemCount(), 2);
  EXPECT_EQ(window->windowTitle(), "Varnel 1.3 (myshow.vrn)[*]");
}

TEST_F(QtProjectTest, SavingOverAFileAsksFirstAndNoKeepsIt) {
  const Bytes old = {'o', 'l', 'd'};
  testing::WriteAllBytes(work.file("show.vrn"), old);
  AnswerDialogWith(work.file("show"));
  Run(MenuItem("&File", "&Save"));
  // The fixture answers the question without Yes.
  EXPECT_EQ(messages, QStringList{"show.vrn already exists.\nDo you want to replace it?"});
  EXPECT_EQ(testing::ReadAllBytes(work.file("show.vrn")), old);
  EXPECT_EQ(window->windowTitle(), "Varnel 1.3 (New SlideShow)[*]");
}

// The Save dialog with the user's answer to the replacement question given in advance.
class AnsweredSaveDialog : public ProjectSaveDialog {
 public:
  explicit AnsweredSaveDialog(bool replace) : ProjectSaveDialog(nullptr), replace_(replace) {}
  QStringList asked;

 protected:
  bool ConfirmReplace(const QString& fileName) override {
    asked << fileName;
    return replace_;
  }

 private:
  bool replace_;
};

TEST_F(QtProjectTest, TheSaveDialogAddsTheExtensionBeforeAskingAboutAReplacement) {
  testing::WriteAllBytes(work.file("show.vrn"), {'x'});
  testing::WriteAllBytes(work.file("notes.txt"), {'x'});
  const QString folder = QString::fromStdString(work.path().string());
  struct Case {
    QString typed;
    bool replace;
    QString chosen;  // empty: the dialog stays open
    QStringList asked;
  };
  const Case cases[] = {
      {"show", false, "", {"show.vrn"}},
      {"show", true, "show.vrn", {"show.vrn"}},
      {"show.", true, "show.vrn", {"show.vrn"}},
      {"fresh", false, "fresh.vrn", {}},
      {"notes.txt", true, "notes.txt", {"notes.txt"}},  // another extension stays
      {"new.show", false, "new.show", {}},
  };
  for (const Case& c : cases) {
    AnsweredSaveDialog saveDialog(c.replace);
    saveDialog.setDirectory(folder);
    saveDialog.selectFile(c.typed);
    saveDialog.accept();
    EXPECT_EQ(saveDialog.asked, c.asked) << c.typed.toStdString();
    EXPECT_EQ(saveDialog.result(), c.chosen.isEmpty() ? QDialog::Rejected : QDialog::Accepted)
        << c.typed.toStdString();
    EXPECT_EQ(saveDialog.chosenPath(), c.chosen.isEmpty() ? "" : folder + "/" + c.chosen)
        << c.typed.toStdString();
  }
  // A folder's name opens the folder instead.
  std::filesystem::create_directory(work.file("inner"));
  AnsweredSaveDialog saveDialog(true);
  saveDialog.setDirectory(folder);
  saveDialog.selectFile("inner");
  saveDialog.accept();
  EXPECT_EQ(saveDialog.result(), QDialog::Rejected);
  EXPECT_EQ(saveDialog.directory().absolutePath(), folder + "/inner");
}

}  // namespace
}  // namespace varnel
