// The window's layout on the screen it runs on: this file is built into one suite per
// screen (the default small screen, a dense screen whose font is laid out smaller, a
// large screen with the full-size layout), since a process has one screen.
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTreeWidget>
#include <vector>

#include "tests/ui/qt/qt_window_fixture.h"
#include "ui/qt/group_frame.h"
#include "ui/qt/preview_widget.h"

namespace varnel {
namespace {

using testing::QtWindowTest;

std::string Describe(const QWidget* widget) {
  const QRect r = widget->geometry();
  return widget->metaObject()->className() + std::string(" ") +
         widget->property("controlId").toString().toStdString() + " \"" +
         widget->objectName().toStdString() + "\" at " + std::to_string(r.x()) + "," +
         std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" + std::to_string(r.height());
}

// The widgets the window shows in its client area, the preview first.
std::vector<QWidget*> ShownWidgets(MainWindow& window) {
  std::vector<QWidget*> shown = {window.control(kIdPreview)};
  for (QObject* child : window.clientArea()->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget != nullptr && widget != shown.front() && widget->isVisibleTo(&window))
      shown.push_back(widget);
  }
  return shown;
}

// Whether two widgets may share pixels: a frame holds the controls inside it.
bool Nested(const QWidget* a, const QWidget* b) {
  const auto holds = [](const QWidget* outer, const QWidget* inner) {
    return dynamic_cast<const GroupFrame*>(outer) != nullptr &&
           outer->geometry().contains(inner->geometry());
  };
  return holds(a, b) || holds(b, a);
}

// The preview and the texts and bars below it in the left column: the controls a layout
// that leaves the preview behind covers.
bool InLeftColumn(const QWidget* widget, MainWindow& window) {
  for (const int id :
       {kIdPreview, kIdSizeInfo, kIdColorInfo, kIdProgress, kIdStatusLine, kIdCartridgeMeter}) {
    if (widget == window.control(id)) return true;
  }
  return qobject_cast<const QProgressBar*>(widget) != nullptr ||
         widget->objectName() == QStringLiteral("rowCost");
}

class WindowLayoutTest : public QtWindowTest {
 protected:
  // Every shown widget lies in the client area; the preview, 240 x 160, and the left
  // column below it overlap nothing.
  void ExpectNothingOverlaps() {
    const QRect client = window->clientArea()->rect();
    const std::vector<QWidget*> shown = ShownWidgets(*window);
    EXPECT_EQ(shown.front()->size(), QSize(240, 160));
    for (std::size_t i = 0; i < shown.size(); ++i) {
      EXPECT_TRUE(client.contains(shown[i]->geometry())) << Describe(shown[i]);
      if (!InLeftColumn(shown[i], *window)) continue;
      for (std::size_t j = 0; j < shown.size(); ++j) {
        if (i == j || Nested(shown[i], shown[j])) continue;
        EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
            << Describe(shown[i]) << " overlaps " << Describe(shown[j]);
      }
    }
  }
};

TEST_F(WindowLayoutTest, ThePreviewMovesWithTheLayoutAndNothingOverlaps) {
  const DialogBaseUnits base = window->baseUnits();
  SCOPED_TRACE(::testing::Message() << "screen " << window->screen()->size().width() << "x"
                                    << window->screen()->size().height() << ", base units "
                                    << base.x << " x " << base.y);
  ExpectNothingOverlaps();
  // The window fits its screen's width, frame aside.
  EXPECT_LE(window->clientArea()->width(), window->screen()->availableGeometry().width());

  // A clicked picture, and a build that moves the preview about, leave it at its place.
  const QRect place = window->control(kIdPreview)->geometry();
  ASSERT_TRUE(dialog->AddRow(Picture("wide.bmp", 400, 90), 0, 0, ""));
  ASSERT_TRUE(dialog->AddRow(Picture("small.bmp", 40, 30), 0, 0, ""));
  dialog->SetListSelection(0, 0);
  dialog->Dispatch(Notification::kItemChanged, kIdPictureList);
  EXPECT_EQ(window->control(kIdPreview)->geometry(), place);
  EXPECT_FALSE(static_cast<PreviewWidget*>(window->control(kIdPreview))->image().isNull());
  ExpectNothingOverlaps();
  MenuItem("&SlideShow", "&Build SlideShow")->trigger();
  EXPECT_EQ(window->control(kIdPreview)->geometry(), place);
  ExpectNothingOverlaps();
}

}  // namespace
}  // namespace varnel
