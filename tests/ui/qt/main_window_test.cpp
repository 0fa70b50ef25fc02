#include "ui/qt/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>
#include <map>

#include "tests/support/label_literals.h"
#include "tests/ui/expected_window.h"
#include "tests/ui/qt/qt_window_fixture.h"
#include "ui/model/dialog_template.h"
#include "ui/model/dialog_units.h"
#include "ui/qt/control_widgets.h"
#include "ui/qt/group_frame.h"
#include "ui/qt/preview_widget.h"

namespace varnel {
namespace {

using testing::QtWindowTest;
using namespace testing;  // the expected tables

// Whether the widget is what the toolkit makes of a control of this class and style.
bool ShowsClass(QWidget* widget, const ExpectedControl& c) {
  const std::string_view cls = c.windowClass;
  if (cls == "STATIC" && HasStyle(c, "bitmap")) return qobject_cast<PreviewWidget*>(widget);
  if (cls == "STATIC") {
    auto* label = qobject_cast<QLabel*>(widget);
    if (label == nullptr) return false;
    if (HasStyle(c, "centred") != bool(label->alignment() & Qt::AlignHCenter)) return false;
    return HasStyle(c, "sunken") == (label->frameShadow() == QFrame::Sunken);
  }
  if (cls == "SysListView32") {
    auto* list = qobject_cast<QTreeWidget*>(widget);
    return list != nullptr && list->selectionMode() == QAbstractItemView::SingleSelection;
  }
  if (cls == "BUTTON" && HasStyle(c, "group")) return dynamic_cast<GroupFrame*>(widget);
  if (cls == "BUTTON" && HasStyle(c, "check")) {
    auto* box = qobject_cast<QCheckBox*>(widget);
    return box != nullptr && box->layoutDirection() == Qt::RightToLeft;  // text left of box
  }
  if (cls == "BUTTON") return qobject_cast<QPushButton*>(widget);
  if (cls == "COMBOBOX") return qobject_cast<QComboBox*>(widget);
  if (cls == "RICHEDIT") {
    auto* edit = qobject_cast<QPlainTextEdit*>(widget);
    if (edit == nullptr || edit->isReadOnly() != HasStyle(c, "readonly")) return false;
    return HasStyle(c, "nowrap") == (edit->lineWrapMode() == QPlainTextEdit::NoWrap);
  }
  if (cls == "EDIT") return qobject_cast<QLineEdit*>(widget);
  if (cls == "msctls_progress32") return qobject_cast<QProgressBar*>(widget);
  return false;
}

// Dialog units to pixels, corner by corner, rounded to the nearest pixel.
QRect PixelsOf(const ExpectedRect& r, const DialogBaseUnits& base) {
  auto h = [&](int units) { return (units * base.x + 2) / 4; };
  auto v = [&](int units) { return (units * base.y + 4) / 8; };
  return QRect(QPoint(h(r.x), v(r.y)), QPoint(h(r.x + r.width) - 1, v(r.y + r.height) - 1));
}

// The next control the Tab key reaches (the parts of compound widgets passed over).
QWidget* NextTabStop(QWidget* widget) {
  for (QWidget* next = widget->nextInFocusChain(); next != widget;
       next = next->nextInFocusChain()) {
    if ((next->focusPolicy() & Qt::TabFocus) && next->property("controlId").isValid()) return next;
  }
  return nullptr;
}

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

QString Text(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

TEST_F(QtWindowTest, ControlsShowTheirClassTextPlaceAndOrder) {
  // Qt's placeholder marks unsaved changes; a new show has none.
  EXPECT_EQ(window->windowTitle(), "Varnel 1.3 (New SlideShow)[*]");
  EXPECT_FALSE(window->isWindowModified());
  const DialogBaseUnits base = window->baseUnits();
  const QObjectList stacking = window->clientArea()->children();
  QWidget* previousFocusable = nullptr;
  QWidget* previous = nullptr;
  for (std::size_t i = 0; i < kExpectedControls.size(); ++i) {
    const ExpectedControl& c = kExpectedControls[i];
    SCOPED_TRACE(::testing::Message() << "control " << c.id << " \"" << c.text << "\" at " << i);
    QWidget* widget = window->controlAt(static_cast<int>(i));
    ASSERT_NE(widget, nullptr);
    if (c.id != kNoId) {
      EXPECT_EQ(window->control(c.id), widget);
    }
    EXPECT_TRUE(ShowsClass(widget, c));
    EXPECT_EQ(widget->parentWidget(), window->clientArea());
    const QRect expected = PixelsOf(c.rect, base);
    if (c.id == 1009) {
      // Placed at start-up: the console screen's size, between the list and the info
      // texts (the layout of window_layout_test).
      EXPECT_EQ(widget->geometry().size(), QSize(240, 160));
      EXPECT_EQ(widget->x(), 10);
      EXPECT_GT(widget->y(), PixelsOf({7, 7, 475, 139}, base).bottom());
      EXPECT_LT(widget->geometry().bottom(), PixelsOf({7, 255, 77, 12}, base).top());
    } else if (HasStyle(c, "dropdown")) {
      // A closed drop-down list is one line high; its rectangle's height is the open list
      // (the fit choice's is only the gap it lies in).
      EXPECT_EQ(widget->x(), expected.x());
      EXPECT_EQ(widget->y(), expected.y());
      EXPECT_EQ(widget->width(), expected.width());
      EXPECT_LE(widget->height(), expected.height());
    } else {
      EXPECT_EQ(widget->geometry(), expected);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      EXPECT_EQ(button->text().toStdString(), c.text);
    }
    if (auto* frame = dynamic_cast<GroupFrame*>(widget)) {
      EXPECT_EQ(frame->title().toStdString(), c.text);
    }
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && c.id != 1033) {
      EXPECT_EQ(label->text().toStdString(), c.text);
    }
    // Earlier controls lie on top (the preview above all, the fit choice over the
    // "Description" label) and come first in the tab order.
    const bool raised = widget == window->control(1009) || widget == window->control(1043);
    if (previous != nullptr && !raised) {
      EXPECT_LT(stacking.indexOf(widget), stacking.indexOf(previous));
    }
    if (!raised) previous = widget;
    if (widget->focusPolicy() & Qt::TabFocus) {
      if (previousFocusable != nullptr) {
        EXPECT_EQ(NextTabStop(previousFocusable), widget);
      }
      previousFocusable = widget;
    }
  }
  EXPECT_EQ(window->controlAt(static_cast<int>(kExpectedControls.size())), nullptr);
  EXPECT_EQ(stacking.last(), window->control(1009));
  // 532 x 311 dialog units of the dialog font, below the menu bar.
  EXPECT_EQ(window->clientArea()->size(), PixelsOf({0, 0, 532, 311}, base).size());
  EXPECT_EQ(window->clientArea()->y(), window->menuBar()->geometry().bottom() + 1);

  // Each choice list holds its labels in label order, so an index is a label number.
  for (int id : {1013, 1014, 1015, 1016}) {
    auto* combo = Control<QComboBox>(id);
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    QStringList expected;
    if (id == 1013 || id == 1015) {
      for (std::string_view label : kExpectedEffectLabels) expected << Text(label);
    } else {
      for (std::string_view label : kExpectedSizingLabels) expected << Text(label);
    }
    EXPECT_EQ(items, expected) << id;
  }
  EXPECT_EQ(Control<QComboBox>(1015)->currentIndex(), 0);
  EXPECT_EQ(Control<QComboBox>(1013)->currentIndex(), -1);

  QStringList fits;
  for (std::string_view label : kExpectedFitLabels) fits << Text(label);
  QStringList fitItems;
  for (int i = 0; i < Control<QComboBox>(1043)->count(); ++i)
    fitItems << Control<QComboBox>(1043)->itemText(i);
  EXPECT_EQ(fitItems, fits);

  auto* list = Control<QTreeWidget>(1001);
  const QStringList headings = {"File", "Effect", "Resizing", "Size", "Directory", "", "Fit"};
  const int widths[] = {125, 100, 100, 100, 280, 0, 110};
  ASSERT_EQ(list->columnCount(), 7);
  for (int column = 0; column < 7; ++column) {
    EXPECT_EQ(list->headerItem()->text(column), headings[column]);
    if (column != 5) {
      EXPECT_EQ(list->columnWidth(column), ScaledToFontWidth(widths[column], base)) << column;
    }
  }
  EXPECT_TRUE(list->isColumnHidden(5));
  // The fit is shown beside the other choices of the picture.
  EXPECT_EQ(list->header()->visualIndex(6), 3);
  EXPECT_EQ(list->header()->visualIndex(3), 4);
}

// The menu as the user reads it: each menu's items in order, separators included. Items
// other commands add may stand between them.
TEST_F(QtWindowTest, WindowFitsTheScreenItOpensOn) {
  // The offscreen screen (800 x 600) is smaller than the 931 x 505 layout: it shrinks to
  // the legible font, whose texts still fit their controls.
  const QRect available = window->screen()->availableGeometry();
  ASSERT_LT(available.width(), 931 + 16);
  EXPECT_LE(window->clientArea()->width(), available.width());
  EXPECT_LE(window->frameGeometry().height(), available.height());
  EXPECT_LE(window->clientArea()->fontMetrics().height(), 11);
  // The hit test's conversion is the widgets' own.
  const DialogBaseUnits base = window->baseUnits();
  EXPECT_EQ(window->clientArea()->width(), HorizontalPixels(532, base));
  EXPECT_EQ(window->clientArea()->height(), VerticalPixels(311, base));
}

TEST_F(QtWindowTest, MenuHoldsItsItemsInOrder) {
  const QList<QAction*> bar = window->menuBar()->actions();
  ASSERT_GE(bar.size(), 3);
  EXPECT_EQ(bar[0]->text(), "&File");
  EXPECT_EQ(bar[1]->text(), "&SlideShow");
  std::map<QString, QList<QAction*>> items;
  for (QAction* top : bar) {
    if (top->menu() != nullptr) items[top->text()] = top->menu()->actions();
  }
  std::map<QString, qsizetype> next;
  for (const ExpectedMenuItem& item : kExpectedMenu) {
    if (item.menu.empty()) {
      EXPECT_TRUE(std::any_of(bar.begin(), bar.end(), [&](QAction* a) {
        return a->menu() == nullptr && a->text() == Text(item.text);
      })) << item.text;
      continue;
    }
    const QList<QAction*>& menu = items[Text(item.menu)];
    qsizetype& at = next[Text(item.menu)];
    while (at < menu.size() &&
           !(item.text.empty() ? menu[at]->isSeparator() : menu[at]->text() == Text(item.text))) {
      ++at;
    }
    EXPECT_LT(at, menu.size()) << item.menu << " " << item.text << " missing or out of order";
    ++at;
  }
}

// The items whose commands the application supplies run the command of their own text.
TEST_F(QtWindowTest, MenuItemsRunTheirOwnCommands) {
  std::vector<int> ran;
  for (int id : {32778, 32774, 32773, 32790}) {
    dialog->SetCommandHandler(id, [&ran, id] { ran.push_back(id); });
  }
  Run(MenuItem("&File", "&Settings"));
  Run(MenuItem("&SlideShow", "&Start SlideShow"));
  Run(MenuItem("", "&About"));
  Run(MenuItem("&SlideShow", "&Play"));
  EXPECT_EQ(ran, (std::vector<int>{32778, 32774, 32773, 32790}));
  // Ctrl+P plays too.
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(ran.back(), 32790);
  ASSERT_EQ(ran.size(), 5u);

  // New clears the info texts and names the show anew.
  dialog->fields().sizeInfo = "Size: 8x8";
  dialog->UpdateData(false);
  dialog->SetWindowText("Varnel 1.3 (show.vrn)");
  Run(MenuItem("&File", "&New"));
  EXPECT_EQ(Control<QLabel>(1021)->text(), "");
  EXPECT_EQ(window->windowTitle(), "Varnel 1.3 (New SlideShow)[*]");
  // With a picture added it asks first; the fixture answers Cancel and the row stays.
  ASSERT_TRUE(dialog->AddRow(Picture("a.bmp", 8, 8), 0, 0, ""));
  Run(MenuItem("&File", "&New"));
  EXPECT_EQ(messages, QStringList{"Save changes to New SlideShow?"});
  EXPECT_EQ(Control<QTreeWidget>(1001)->topLevelItemCount(), 1);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(ran.size(), 5u);
}

// The keys a Linux desktop program answers to run the same commands as the menu items.
TEST_F(QtWindowTest, ShortcutsRunTheCommandsOfTheirMenuItems) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window.get(), key, modifiers);
    WaitWhileBusy();
  };
  std::vector<int> ran;
  for (int id : {32774, 32790}) dialog->SetCommandHandler(id, [&ran, id] { ran.push_back(id); });
  std::vector<QFileDialog::AcceptMode> asked;
  window->SetFileDialogAnswer([&](QFileDialog& files) {
    asked.push_back(files.acceptMode());
    files.reject();
  });
  press(Qt::Key_S, Qt::ControlModifier);
  press(Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(asked, (std::vector{QFileDialog::AcceptSave, QFileDialog::AcceptOpen}));
  press(Qt::Key_F6);
  press(Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(ran, (std::vector<int>{32774, 32790}));

  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(192, 1));
  press(Qt::Key_F5);
  EXPECT_EQ(std::filesystem::file_size(work.file("slide.gba")), 632032u);

  dialog->SetWindowText("Varnel 1.3 (show.vrn)");
  press(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(window->windowTitle(), "Varnel 1.3 (New SlideShow)[*]");
  press(Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(window->result(), 1);
  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(QtWindowTest, CheckBoxClicksReachTheEnablingRules) {
  auto* timeLimit = Control<QCheckBox>(kIdTimeLimit);
  auto* seconds = Control<QLineEdit>(kIdSeconds);
  EXPECT_FALSE(seconds->isEnabled());
  QTest::mouseClick(timeLimit, Qt::LeftButton);
  EXPECT_TRUE(timeLimit->isChecked());
  EXPECT_EQ(dialog->document().options.timeLimit, 1);
  EXPECT_TRUE(seconds->isEnabled());

  QTest::mouseClick(Control<QCheckBox>(kIdEffectOverride), Qt::LeftButton);
  EXPECT_FALSE(Control<QComboBox>(kIdEffectChoice)->isEnabled());
  EXPECT_TRUE(Control<QComboBox>(kIdEffectOverrideChoice)->isEnabled());
  QTest::mouseClick(Control<QCheckBox>(kIdEffectOverride), Qt::LeftButton);
  EXPECT_FALSE(Control<QComboBox>(kIdEffectOverrideChoice)->isEnabled());

  QTest::mouseClick(Control<QCheckBox>(kIdSizeOverride), Qt::LeftButton);
  EXPECT_TRUE(Control<QComboBox>(kIdSizingOverrideChoice)->isEnabled());
  EXPECT_EQ(dialog->document().options.sizingOverride, 1);

  ASSERT_TRUE(dialog->AddRow(Picture("a.bmp", 16, 8), 0, 0, ""));
  dialog->ApplyEnablingRules();
  auto* caption = Control<QPlainTextEdit>(kIdCaption);
  EXPECT_TRUE(caption->isEnabled());
  QTest::mouseClick(Control<QCheckBox>(kIdTextDisplay), Qt::LeftButton);
  EXPECT_FALSE(caption->isEnabled());

  // Thumbnails has no handler: the control changes, the option follows at the next exchange.
  QTest::mouseClick(Control<QCheckBox>(kIdThumbnails), Qt::LeftButton);
  EXPECT_EQ(dialog->control(kIdThumbnails).check, 0);
  EXPECT_EQ(dialog->document().options.thumbnails, 1);
}

// The fit choice edits the selected row, whose "Fit" column shows it; SlideShow > Fit All
// Pictures sets one fit on every row, its items explaining themselves.
TEST_F(QtWindowTest, TheFitChoiceAndFitAllPictures) {
  ASSERT_TRUE(dialog->AddRow(Picture("a.bmp", 16, 8), 0, 0, ""));
  ASSERT_TRUE(dialog->AddRow(Picture("b.bmp", 16, 8), 0, 0, ""));
  dialog->ApplyEnablingRules();
  auto* list = Control<QTreeWidget>(kIdPictureList);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->topLevelItem(1)).center());
  auto* fit = Control<QComboBox>(1043);
  ASSERT_TRUE(fit->isEnabled());
  EXPECT_EQ(fit->currentText(), "(00) Stretch");
  fit->setCurrentIndex(2);
  emit fit->activated(2);
  EXPECT_EQ(dialog->document().rows[1].fitLabel, "(02) Fill Screen");
  EXPECT_EQ(list->topLevelItem(1)->text(6), "(02) Fill Screen");
  EXPECT_EQ(list->topLevelItem(0)->text(6), "(00) Stretch");
  EXPECT_TRUE(window->isWindowModified());

  QAction* fitAll = MenuItem("&SlideShow", "Fit &All Pictures");
  ASSERT_NE(fitAll, nullptr);
  ASSERT_NE(fitAll->menu(), nullptr);
  const QString help =
      "Set the same Fit for every Picture of the SlideShow.\n\n(Each Picture can still get its "
      "own Fit afterwards)";
  EXPECT_EQ(fitAll->toolTip(), help);
  QStringList items;
  for (QAction* item : fitAll->menu()->actions()) {
    items << item->text();
    EXPECT_EQ(item->whatsThis(), help);
  }
  EXPECT_EQ(items, (QStringList{"(00) Stretch", "(01) Whole Picture", "(02) Fill Screen"}));
  fitAll->menu()->actions()[1]->trigger();
  EXPECT_EQ(list->topLevelItem(0)->text(6), "(01) Whole Picture");
  EXPECT_EQ(list->topLevelItem(1)->text(6), "(01) Whole Picture");
  EXPECT_EQ(fit->currentText(), "(01) Whole Picture");
}

TEST_F(QtWindowTest, TypingIntoTheNumberBoxesIsFiltered) {
  QTest::mouseClick(Control<QCheckBox>(kIdTimeLimit), Qt::LeftButton);
  auto* seconds = Control<QLineEdit>(kIdSeconds);
  seconds->setFocus();
  seconds->selectAll();
  QTest::keyClicks(seconds, "7a");
  EXPECT_EQ(seconds->text(), "7");
  QTest::keyClick(seconds, Qt::Key_Backspace);
  QTest::keyClicks(seconds, "a7");
  EXPECT_EQ(seconds->text(), "7");
  QTest::keyClick(seconds, Qt::Key_Backspace);
  QTest::keyClicks(seconds, "75");
  EXPECT_EQ(seconds->text(), "60");
  EXPECT_EQ(dialog->document().options.secondsText, "60");
  QTest::keyClicks(seconds, "9");  // the box takes two characters only
  EXPECT_EQ(seconds->text(), "60");

  auto* intro = Control<QLineEdit>(kIdIntroCount);
  QTest::keyClicks(intro, "a");
  EXPECT_EQ(intro->text(), "");
  QTest::keyClicks(intro, "99");
  EXPECT_EQ(intro->text(), "99");
  EXPECT_EQ(dialog->document().options.introCountText, "99");
}

TEST_F(QtWindowTest, EnterInANumberBoxEndsTheWindow) {
  auto* intro = Control<QLineEdit>(kIdIntroCount);
  QTest::keyClicks(intro, "3");
  // The fixture answers the question about the change with Cancel: the window stays.
  QTest::keyClick(intro, Qt::Key_Return);
  EXPECT_EQ(messages, QStringList{"Save changes to New SlideShow?"});
  EXPECT_EQ(window->result(), 0);
  QTest::keyClick(intro, Qt::Key_Backspace);
  QTest::keyClick(intro, Qt::Key_Return);
  EXPECT_EQ(window->result(), kCmdOk);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(messages.size(), 1);
}

TEST_F(QtWindowTest, EscapeAndTheCloseBoxEndWithCancel) {
  QTest::keyClick(Control<QTreeWidget>(kIdPictureList), Qt::Key_Escape);
  EXPECT_EQ(window->result(), kCmdCancel);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(QtWindowTest, QuitWithATooLongTextShowsTheLimitAndStays) {
  // Load can put three digits into a box that takes two.
  dialog->document().options.introCountText = "100";
  dialog->UpdateData(false);
  EXPECT_EQ(Control<QLineEdit>(kIdIntroCount)->text(), "100");
  Run(MenuItem("&File", "&Quit"));
  EXPECT_EQ(messages, QStringList{"Please enter no more than 2 characters."});
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->result(), 0);
  EXPECT_EQ(Control<QLineEdit>(kIdIntroCount)->selectedText(), "100");

  // The close box asks about the changed show; the fixture answers Cancel.
  window->close();
  EXPECT_EQ(messages.back(), "Save changes to New SlideShow?");
  EXPECT_EQ(window->result(), 0);
}

TEST_F(QtWindowTest, BuildFromTheMenuWritesTheImageAndFillsTheProgressBar) {
  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(512, 0x5A));
  ASSERT_TRUE(dialog->AddRow(Picture("a.bmp", 300, 200), 0, 0, "one"));
  ASSERT_TRUE(dialog->AddRow(Picture("b.bmp", 40, 30), 1, 5, ""));
  ASSERT_TRUE(dialog->AddRow(Picture("c.bmp", 64, 64), 2, 8, ""));
  const QRect previewPlace = window->control(kIdPreview)->geometry();

  // The window stays drawn while the build runs; it shows the build's latest state as
  // it goes, so a quick build paints fewer times than it steps (a build quicker than a
  // paint is drawn once its last news has reached the window).
  PaintCounter progressPaints(window->control(kIdProgress));
  PaintCounter previewPaints(window->control(kIdPreview));
  Run(MenuItem("&SlideShow", "&Build SlideShow"));
  QCoreApplication::processEvents();
  EXPECT_GE(progressPaints.count, 1);
  EXPECT_GE(previewPaints.count, 1);

  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  const auto image = testing::ReadAllBytes(work.file("slide.gba"));
  EXPECT_GT(image.size(), 632032u);
  auto* progress = Control<QProgressBar>(kIdProgress);
  EXPECT_EQ(progress->maximum(), 5 * 3 + 2);
  EXPECT_EQ(progress->value(), progress->maximum());
  // The preview is back at its place, empty.
  EXPECT_EQ(window->control(kIdPreview)->geometry(), previewPlace);
  EXPECT_TRUE(static_cast<PreviewWidget*>(window->control(kIdPreview))->image().isNull());
}

TEST_F(QtWindowTest, BuildOfAnEmptyListOverAShowAsksAndCancelKeepsIt) {
  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(512, 0x5A));
  std::vector<uint8_t> show(632032, 0);
  show[600000] = 103;  // the header's tag
  show[600002] = 4;    // four pictures
  testing::WriteAllBytes(work.file("slide.gba"), show);
  QStringList buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    for (QAbstractButton* button : box->buttons()) buttons << button->text();
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Cancel));
  });
  MenuItem("&SlideShow", "&Build SlideShow")->trigger();
  ASSERT_FALSE(messages.isEmpty());
  EXPECT_EQ(messages.back(), "slide.gba holds a show. Replace it with a show of no pictures?");
  buttons.sort();
  EXPECT_EQ(buttons, (QStringList{"&Replace", "Cancel"}));
  EXPECT_EQ(testing::ReadAllBytes(work.file("slide.gba")), show);
}

}  // namespace
}  // namespace varnel
