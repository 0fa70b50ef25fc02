#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "builder/rom_layout.h"
#include "tests/support/hostile_pictures.h"
#include "tests/ui/qt/qt_window_fixture.h"
#include "ui/qt/preview_widget.h"

namespace varnel {
namespace {

class QtListTest : public testing::QtWindowTest {
 protected:
  QTreeWidget* List() const { return Control<QTreeWidget>(kIdPictureList); }

  void AddPictures() {
    Drop({Picture("a.bmp", 64, 48), work.file("notes.txt"), Picture("b.bmp", 300, 200),
          Picture("c.bmp", 30, 20)});
    // The drop names the file it left out; the tests look at what comes after.
    EXPECT_EQ(messages.size(), 1);
    messages.clear();
  }

  void ClickRow(int row) {
    QTreeWidgetItem* item = List()->topLevelItem(row);
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      List()->visualItemRect(item).center());
  }

  // Types any characters, as a keyboard layout that has them would.
  static void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(widget, &press);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(widget, &release);
    }
  }

  QStringList ShownNames() const {
    QStringList names;
    for (int i = 0; i < List()->topLevelItemCount(); ++i) names << List()->topLevelItem(i)->text(0);
    return names;
  }
  int SelectedRow() const {
    const auto rows = List()->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.front().row() : -1;
  }
};

TEST_F(QtListTest, DroppedFilesBecomeRowsOfTheList) {
  testing::WriteAllBytes(work.file("notes.txt"), {'x'});
  AddPictures();
  EXPECT_EQ(ShownNames(), (QStringList{"a.bmp", "b.bmp", "c.bmp"}));
  QTreeWidgetItem* first = List()->topLevelItem(0);
  EXPECT_EQ(first->text(1), "(00) No Effect");
  EXPECT_EQ(first->text(2), "(00) Both");
  EXPECT_EQ(first->text(3), "64x48 (24Bits)");
  EXPECT_EQ(first->text(4), QString::fromStdString(work.file("a.bmp")));
  // The rows made the per-picture controls usable.
  EXPECT_TRUE(Control<QComboBox>(kIdEffectChoice)->isEnabled());
  EXPECT_TRUE(Control<QPlainTextEdit>(kIdCaption)->isEnabled());
}

TEST_F(QtListTest, ClickingARowPreviewsItAndLoadsItsSettings) {
  AddPictures();
  ASSERT_TRUE(dialog->document().rows.size() == 3);
  dialog->document().rows[1].caption = "two\r\nlines";
  dialog->document().rows[1].effectLabel = "(04) Scanlines 2 ways";
  ClickRow(1);
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(Control<QLabel>(kIdSizeInfo)->text(), "Size: 300x200");
  EXPECT_EQ(Control<QLabel>(kIdColorInfo)->text(), "Color: 24Bits");
  const QImage& shown = static_cast<PreviewWidget*>(window->control(kIdPreview))->image();
  EXPECT_EQ(shown.size(), QSize(240, 160));
  EXPECT_FALSE(std::filesystem::exists(work.file("Display.bmp")));
  EXPECT_EQ(Control<QComboBox>(kIdEffectChoice)->currentIndex(), 4);
  EXPECT_EQ(Control<QComboBox>(kIdSizingChoice)->currentIndex(), 0);
  EXPECT_EQ(Control<QPlainTextEdit>(kIdCaption)->toPlainText(), "two\nlines");
  EXPECT_EQ(Control<QPlainTextEdit>(kIdCaptionPreview)->toPlainText(), "two\nlines");
}

TEST_F(QtListTest, ChangingTheEffectRewritesTheClickedRow) {
  AddPictures();
  ClickRow(2);
  auto* effect = Control<QComboBox>(kIdEffectChoice);
  effect->setFocus();
  QTest::keyClick(effect, Qt::Key_Down);
  EXPECT_EQ(effect->currentIndex(), 1);
  EXPECT_EQ(dialog->document().rows[2].effectLabel, "(01) Scroll Up/Down");
  EXPECT_EQ(List()->topLevelItem(2)->text(1), "(01) Scroll Up/Down");
  EXPECT_EQ(List()->topLevelItem(0)->text(1), "(00) No Effect");
}

// What the caption box leaves out, it names in the status line with the reason, and
// shows no box.
TEST_F(QtListTest, TypedCaptionsKeepToLatin1AndTheirLimitAndSayWhatWasLeftOut) {
  AddPictures();
  ClickRow(0);
  auto* caption = Control<QPlainTextEdit>(kIdCaption);
  const auto statusLine = [this] {
    return static_cast<QLabel*>(window->control(kIdStatusLine))->toolTip().toStdString();
  };
  caption->setFocus();
  QTest::keyClicks(caption, "Hello");
  QTest::keyClick(caption, Qt::Key_Return);
  EXPECT_EQ(statusLine(), "");
  Type(caption, QString::fromUtf8("W\u00f6rld\u20ac!"));
  EXPECT_EQ(dialog->document().rows[0].caption, "Hello\r\nW\xf6rld!");
  EXPECT_EQ(Control<QPlainTextEdit>(kIdCaptionPreview)->toPlainText(),
            QString::fromUtf8("Hello\nW\u00f6rld!"));
  EXPECT_EQ(List()->topLevelItem(0)->text(1), "(00) No Effect");
  EXPECT_EQ(statusLine(),
            "Left out of the caption: U+20AC EURO SIGN is not in the console's font.");
  Type(caption, QString::fromUtf8("\u2013"));
  EXPECT_EQ(statusLine(), "Left out of the caption: U+2013 EN DASH is not in the console's font.");
  Type(caption, QString::fromUtf8("\u2600"));
  EXPECT_EQ(statusLine(),
            "Left out of the caption: U+2600 BLACK SUN WITH RAYS is not in the console's font.");
  // A character beyond 16 bits comes in one key event, as two halves: one character.
  QKeyEvent face(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                 QString::fromUtf8("\U0001F600"));
  QApplication::sendEvent(caption, &face);
  EXPECT_EQ(statusLine(),
            "Left out of the caption: U+1F600 GRINNING FACE is not in the console's font.");
  EXPECT_EQ(dialog->document().rows[0].caption, "Hello\r\nW\xf6rld!");

  // Pasted text loses what a caption cannot hold, and stops at the limit.
  QApplication::clipboard()->setText(QString::fromUtf8("\u2603 snow\r\nman"));
  caption->paste();
  EXPECT_EQ(dialog->document().rows[0].caption, "Hello\r\nW\xf6rld! snow\r\nman");
  EXPECT_EQ(statusLine(), "Left out of the caption: U+2603 SNOWMAN is not in the console's font.");
  QApplication::clipboard()->setText(QString::fromUtf8("\u6771\u4eac"));
  caption->paste();
  EXPECT_EQ(statusLine(),
            "Left out of the caption: U+6771 CJK UNIFIED IDEOGRAPH-6771 is not in the console's "
            "font (nor 1 other character).");
  QTest::keyClicks(caption, QString(200, QChar('x')));
  EXPECT_EQ(dialog->document().rows[0].caption.size(), 180u);
  EXPECT_EQ(dialog->document().rows[0].caption.substr(0, 7), "Hello\r\n");
  EXPECT_EQ(statusLine(),
            "Left out of the caption: a caption holds at most 180 characters, a line break "
            "counting as two.");
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(QtListTest, KeysMoveRowsAndTheSelectionFollows) {
  AddPictures();
  ClickRow(1);
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_Up);
  EXPECT_EQ(ShownNames(), (QStringList{"b.bmp", "a.bmp", "c.bmp"}));
  EXPECT_EQ(SelectedRow(), 0);  // on the moved picture
  EXPECT_EQ(dialog->SelectedRows(), std::vector<int>{0});

  QTest::keyClick(List(), Qt::Key_Down);
  QTest::keyClick(List(), Qt::Key_Down);
  EXPECT_EQ(ShownNames(), (QStringList{"a.bmp", "c.bmp", "b.bmp"}));
  EXPECT_EQ(SelectedRow(), 2);

  QTest::keyClick(List(), Qt::Key_8, Qt::KeypadModifier);
  EXPECT_EQ(ShownNames(), (QStringList{"a.bmp", "b.bmp", "c.bmp"}));
  EXPECT_EQ(SelectedRow(), 1);
  QTest::keyClick(List(), Qt::Key_2, Qt::KeypadModifier);
  EXPECT_EQ(ShownNames(), (QStringList{"a.bmp", "c.bmp", "b.bmp"}));
  EXPECT_EQ(SelectedRow(), 2);
  EXPECT_EQ(dialog->SelectedRows(), std::vector<int>{2});

  QTest::keyClick(List(), Qt::Key_Delete);
  EXPECT_EQ(ShownNames(), (QStringList{"a.bmp", "c.bmp"}));
}

TEST_F(QtListTest, AShowPutTogetherInTheWindowBuilds) {
  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(200, 0x11));
  AddPictures();
  ClickRow(2);
  QTest::keyClick(List(), Qt::Key_Up);  // c.bmp becomes the second picture
  ClickRow(1);
  auto* effect = Control<QComboBox>(kIdEffectChoice);
  QTest::keyClick(effect, Qt::Key_End);  // "(08) FadeOut"
  QTest::keyClicks(Control<QPlainTextEdit>(kIdCaption), "Hi");

  Run(MenuItem("&SlideShow", "&Build SlideShow"));

  ASSERT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  const auto image = testing::ReadAllBytes(work.file("slide.gba"));
  ASSERT_GT(image.size(), 632032u);
  const auto record = [&](int slot) {
    return DecodeSlideRecord(std::span<const uint8_t, kRecordBytes>(
        image.data() + kTableOffset + slot * kRecordBytes, kRecordBytes));
  };
  EXPECT_EQ(record(1).width, 28);  // c.bmp, 30 wide, cut to a multiple of 4
  EXPECT_EQ(record(1).effect, 8);
  EXPECT_NE(record(1).captionText, 0u);
  EXPECT_EQ(record(0).captionText, 0u);
  auto* progress = Control<QProgressBar>(kIdProgress);
  EXPECT_EQ(progress->value(), progress->maximum());
  EXPECT_EQ(progress->maximum(), 17);
}

// The Add button's dialog: its filters as the user sees them, several files at once.
TEST_F(QtListTest, AddButtonAsksForPicturesAndAddsThoseChosen) {
  Picture("a.bmp", 10, 10);
  Picture("b.BMP", 12, 12);
  QStringList shownFilters;
  QTimer::singleShot(100, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    for (int i = 0; types != nullptr && i < types->count(); ++i) shownFilters << types->itemText(i);
    dialog->setDirectory(QString::fromStdString(work.path().string()));
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText("\"b.BMP\" \"a.bmp\"");
    static_cast<QDialog*>(dialog)->accept();
  });
  QTest::mouseClick(Control<QPushButton>(kIdAdd), Qt::LeftButton);
  WaitWhileBusy();
  EXPECT_EQ(shownFilters, (QStringList{"Pictures (Bmp,Jpg,Gif,Png)", "All (*.*)"}));
  EXPECT_EQ(ShownNames().size(), 2);
  EXPECT_TRUE(ShownNames().contains("b.BMP"));
}

// Pictures made to crash the picture library or exhaust memory, added to a show not yet
// saved: each is named and left out; the window and its rows stay.
TEST_F(QtListTest, AddOfPicturesThatCrashTheLibraryKeepsTheWindowAndItsRows) {
  AddPictures();
  ASSERT_EQ(ShownNames().size(), 3);
  ASSERT_TRUE(window->isWindowModified());
  testing::WriteGif(work.file("zero.gif"), testing::ZeroSizeImageGif());
  QTimer::singleShot(100, [&] {
    auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(files, nullptr);
    files->setDirectory(QString::fromStdString(work.path().string()));
    files->findChild<QLineEdit*>("fileNameEdit")->setText("\"zero.gif\"");
    static_cast<QDialog*>(files)->accept();
  });
  QTest::mouseClick(Control<QPushButton>(kIdAdd), Qt::LeftButton);
  WaitWhileBusy();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains("zero.gif")) << messages[0].toStdString();

  const std::vector<std::string> dropped = {
      testing::WriteGif(work.file("huge.gif"), testing::HugeImageGif()),
      testing::WriteGif(work.file("code12.gif"), testing::CodeSizeTwelveGif()),
      testing::WriteDecompressionBomb(work.file("bomb.png"))};
  Drop(dropped);
  ASSERT_EQ(messages.size(), 2);
  for (const char* name : {"huge.gif", "code12.gif", "bomb.png"})
    EXPECT_TRUE(messages[1].contains(name)) << messages[1].toStdString();
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isWindowModified());
  EXPECT_EQ(ShownNames(), (QStringList{"a.bmp", "b.bmp", "c.bmp"}));
}

// Alt+A is the mnemonic of both the Add button and the About item of the menu bar; as in
// any dialog, the button's wins, every time.
TEST_F(QtListTest, AltAPressesAddRatherThanAbout) {
  int about = 0;
  int dialogs = 0;
  dialog->SetCommandHandler(kCmdAbout, [&] { ++about; });
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      ++dialogs;
      files->reject();
    }
  });
  closer.start(20);
  QTest::keyClick(window.get(), Qt::Key_A, Qt::AltModifier);
  QTest::keyClick(List(), Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(about, 0);
  // Alt+R, a letter only a button has, works the same.
  ASSERT_TRUE(dialog->AddRow(Picture("a.bmp", 4, 4), 0, 0, ""));
  dialog->SetRowState(0, true, true);
  QTest::keyClick(List(), Qt::Key_R, Qt::AltModifier);
  EXPECT_EQ(dialog->RowCount(), 0);
}

}  // namespace
}  // namespace varnel
