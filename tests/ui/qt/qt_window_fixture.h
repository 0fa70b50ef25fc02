#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "ui/model/control_ids.h"
#include "ui/model/slideshow_dlg.h"
#include "ui/qt/main_window.h"

namespace varnel::testing {

// The real window over a fresh model, started in a temporary work directory and shown
// on the offscreen platform. Message boxes the window opens are answered at once and
// their texts kept, so a test never waits on one.
class QtWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousDirectory_ = std::filesystem::current_path();
    std::filesystem::current_path(work.path());
    dialog = std::make_unique<CSlideshowDlg>();
    window = std::make_unique<MainWindow>(*dialog);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    modalCloser_.setInterval(20);
    QObject::connect(&modalCloser_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        messages << box->text();
        box->accept();
      }
    });
    modalCloser_.start();
  }

  void TearDown() override {
    modalCloser_.stop();
    window.reset();
    dialog.reset();
    std::filesystem::current_path(previousDirectory_);
  }

  // Runs the window's events until the long command running, if any, has ended.
  void WaitWhileBusy() const {
    while (dialog->busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  // Chooses a menu item, as the user does, and lets a long command it begins end.
  void Run(QAction* item) const {
    ASSERT_NE(item, nullptr);
    item->trigger();
    WaitWhileBusy();
  }

  // What the picture list said to files dragged over it and dropped there.
  struct DropAnswer {
    bool dragTaken = false;
    bool dropTaken = false;
  };
  // Drags files over the picture list and drops them there, as a file manager does.
  DropAnswer DropOnList(const std::vector<std::string>& paths) const {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths) urls << QUrl::fromLocalFile(QString::fromStdString(path));
    data.setUrls(urls);
    QWidget* viewport = Control<QTreeWidget>(kIdPictureList)->viewport();
    const QPoint at = viewport->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    return {enter.isAccepted(), drop.isAccepted()};
  }
  // Files dropped on the list, which takes the drag, and the Add they begin, to its end.
  void Drop(const std::vector<std::string>& paths) const {
    ASSERT_TRUE(DropOnList(paths).dragTaken);
    WaitWhileBusy();
  }

  template <typename W>
  W* Control(int id) const {
    W* widget = qobject_cast<W*>(window->control(id));
    EXPECT_NE(widget, nullptr) << "control " << id;
    return widget;
  }

  // The item the user sees under this menu of the menu bar; for an item of the bar
  // itself, the menu is empty.
  QAction* MenuItem(const QString& menu, const QString& text) const {
    for (QAction* top : window->menuBar()->actions()) {
      if (menu.isEmpty() && top->menu() == nullptr && top->text() == text) return top;
      if (top->text() != menu || top->menu() == nullptr) continue;
      for (QAction* item : top->menu()->actions()) {
        if (item->text() == text) return item;
      }
    }
    ADD_FAILURE() << "no menu item " << menu.toStdString() << " > " << text.toStdString();
    return nullptr;
  }

  std::string Picture(const std::string& name, int width, int height) {
    return WriteBmp24(work.file(name), width, height, [](int x, int y) {
      return Rgb{static_cast<uint8_t>(x * 3), static_cast<uint8_t>(y * 5), 200};
    });
  }

  TempDir work;
  std::unique_ptr<CSlideshowDlg> dialog;
  std::unique_ptr<MainWindow> window;
  QStringList messages;

 private:
  std::filesystem::path previousDirectory_;
  QTimer modalCloser_;
};

}  // namespace varnel::testing
