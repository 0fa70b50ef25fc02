#include "ui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include "tests/ui/qt_window_fixture.h"
#include "ui/control_widgets.h"
#include "ui/dialog_template.h"
#include "ui/group_frame.h"
#include "ui/preview_widget.h"

namespace varnel {
namespace {

using testing::QtWindowTest;

bool HasClass(QWidget* widget, const ControlTemplate& t) {
  switch (t.controlClass) {
    case ControlClass::kStatic:
      return t.Has(kStyleBitmapCentred) ? qobject_cast<PreviewWidget*>(widget) != nullptr
                                        : qobject_cast<QLabel*>(widget) != nullptr;
    case ControlClass::kListView:
      return qobject_cast<QTreeWidget*>(widget) != nullptr;
    case ControlClass::kButton:
      if (t.Has(kStyleGroupBox)) return dynamic_cast<GroupFrame*>(widget) != nullptr;
      if (t.Has(kStyleAutoCheckBox)) return qobject_cast<QCheckBox*>(widget) != nullptr;
      return qobject_cast<QPushButton*>(widget) != nullptr;
    case ControlClass::kComboBox:
      return qobject_cast<QComboBox*>(widget) != nullptr;
    case ControlClass::kRichEdit:
      return qobject_cast<QPlainTextEdit*>(widget) != nullptr;
    case ControlClass::kEdit:
      return qobject_cast<QLineEdit*>(widget) != nullptr;
    case ControlClass::kProgressBar:
      return qobject_cast<QProgressBar*>(widget) != nullptr;
  }
  return false;
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

TEST_F(QtWindowTest, WindowIsBuiltFromTheControlTableAndTheMenu) {
  // Qt's placeholder marks unsaved changes; a new show has none.
  EXPECT_EQ(window->windowTitle(), "Varnel 1.3 (New SlideShow)[*]");
  EXPECT_FALSE(window->isWindowModified());
  QWidget* previousFocusable = nullptr;
  for (int i = 0; i < kMainWindowControlCount; ++i) {
    const ControlTemplate& t = kMainWindowControls[static_cast<std::size_t>(i)];
    QWidget* widget = window->controlAt(i);
    ASSERT_NE(widget, nullptr) << i;
    if (t.id != kIdNone) {
      EXPECT_EQ(window->control(t.id), widget) << t.id;
    }
    EXPECT_TRUE(HasClass(widget, t)) << "control " << t.id << " at " << i;
    EXPECT_EQ(widget->parentWidget(), window->clientArea());
    if (t.id != kIdPreview) {
      EXPECT_EQ(widget->geometry(), ControlGeometry(t, window->baseUnits())) << t.id;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      EXPECT_EQ(button->text(), Text(t.text));
    }
    if (auto* frame = dynamic_cast<GroupFrame*>(widget)) {
      EXPECT_EQ(frame->title(), Text(t.text));
    }
    // The tab order is the template order.
    if (widget->focusPolicy() & Qt::TabFocus) {
      if (previousFocusable != nullptr) {
        EXPECT_EQ(NextTabStop(previousFocusable), widget) << t.id;
      }
      previousFocusable = widget;
    }
  }
  // The template's proportions: 532 x 311 dialog units of the dialog font.
  EXPECT_EQ(window->clientArea()->width(), HorizontalPixels(532, window->baseUnits()));
  EXPECT_EQ(window->clientArea()->height(), VerticalPixels(311, window->baseUnits()));
  // The preview area lies at client pixels 10, 250, below the menu bar, on top of the rest.
  EXPECT_EQ(window->control(kIdPreview)->geometry(), QRect(10, 250, 240, 160));
  EXPECT_EQ(window->clientArea()->y(), window->menuBar()->geometry().bottom() + 1);
  EXPECT_EQ(window->clientArea()->children().last(), window->control(kIdPreview));

  // Menu 133, texts verbatim.
  for (const MenuItemTemplate& item : kMainMenu) {
    if (item.commandId == 0) continue;
    QAction* action = window->commandAction(item.commandId);
    ASSERT_NE(action, nullptr) << item.commandId;
    EXPECT_EQ(action->text(), Text(item.text));
  }
  const QList<QAction*> bar = window->menuBar()->actions();
  ASSERT_EQ(bar.size(), 3);
  EXPECT_EQ(bar[0]->text(), "&File");
  EXPECT_EQ(bar[1]->text(), "&SlideShow");
  EXPECT_EQ(bar[2], window->commandAction(kCmdAbout));  // an item of the bar itself

  auto* effects = Control<QComboBox>(kIdEffectOverrideChoice);
  ASSERT_EQ(effects->count(), 9);
  EXPECT_EQ(effects->itemText(8), "(08) FadeOut");
  EXPECT_EQ(effects->currentIndex(), 0);
  EXPECT_EQ(Control<QComboBox>(kIdSizingChoice)->currentIndex(), -1);
  auto* list = Control<QTreeWidget>(kIdPictureList);
  EXPECT_EQ(list->headerItem()->text(4), "Directory");
  EXPECT_EQ(list->columnWidth(0), ScaledToFontWidth(125, window->baseUnits()));
  EXPECT_TRUE(list->isColumnHidden(5));
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
  window->commandAction(kCmdQuit)->trigger();
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
  testing::WriteAllBytes(work.file("Src.res"), std::vector<uint8_t>(512, 0x5A));
  ASSERT_TRUE(dialog->AddRow(Picture("a.bmp", 300, 200), 0, 0, "one"));
  ASSERT_TRUE(dialog->AddRow(Picture("b.bmp", 40, 30), 1, 5, ""));
  ASSERT_TRUE(dialog->AddRow(Picture("c.bmp", 64, 64), 2, 8, ""));

  // The window stays drawn while the build keeps it from its event loop.
  PaintCounter progressPaints(window->control(kIdProgress));
  PaintCounter previewPaints(window->control(kIdPreview));
  window->commandAction(kCmdBuildSlideShow)->trigger();
  EXPECT_GE(progressPaints.count, 5);
  EXPECT_GE(previewPaints.count, 3);

  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  const auto image = testing::ReadAllBytes(work.file("slide.gba"));
  EXPECT_GT(image.size(), 632032u);
  auto* progress = Control<QProgressBar>(kIdProgress);
  EXPECT_EQ(progress->maximum(), 5 * 3 + 2);
  EXPECT_EQ(progress->value(), progress->maximum());
  // The preview is back at its place, empty.
  EXPECT_EQ(window->control(kIdPreview)->geometry(), QRect(10, 250, 240, 160));
  EXPECT_TRUE(static_cast<PreviewWidget*>(window->control(kIdPreview))->image().isNull());
}

}  // namespace
}  // namespace varnel
