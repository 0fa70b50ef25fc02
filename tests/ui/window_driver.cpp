// Opens the main window on the display, puts a show together through the real widgets
// and photographs the screen: used by tools/window-screenshot.sh.
//
//   varnel-window-driver --screenshot OUT.png [--pictures DIR] [--click N] [--caption TEXT]
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ui/control_ids.h"
#include "ui/main_window.h"
#include "ui/slideshow_dlg.h"

namespace {

struct Options {
  std::string screenshot;
  std::string pictures;
  int click = -1;
  std::string caption;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const std::string value = argv[i + 1];
    if (name == "--screenshot") {
      options.screenshot = value;
    } else if (name == "--pictures") {
      options.pictures = value;
    } else if (name == "--click") {
      options.click = std::stoi(value);
    } else if (name == "--caption") {
      options.caption = value;
    } else {
      return false;
    }
  }
  return !options.screenshot.empty();
}

std::vector<std::string> PicturesIn(const std::string& directory) {
  std::vector<std::string> paths;
  const QDir dir(QString::fromStdString(directory));
  for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
    paths.push_back(dir.filePath(name).toStdString());
  }
  return paths;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: %s --screenshot OUT.png [--pictures DIR] [--click N] [--caption TEXT]\n",
                 argv[0]);
    return 2;
  }
  QApplication application(argc, argv);
  varnel::CSlideshowDlg dialog;
  varnel::MainWindow window(dialog);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  if (!options.pictures.empty()) dialog.OnDropFiles(PicturesIn(options.pictures));
  if (options.click >= 0) {
    auto* list = static_cast<QTreeWidget*>(window.control(varnel::kIdPictureList));
    QTreeWidgetItem* item = list->topLevelItem(options.click);
    if (item == nullptr) return 1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
  }
  if (!options.caption.empty()) {
    QWidget* caption = window.control(varnel::kIdCaption);
    caption->setFocus();
    QTest::keyClicks(caption, QString::fromStdString(options.caption));
  }
  QTest::qWait(300);

  QScreen* screen = window.screen();
  const QRect frame = window.frameGeometry();
  const QPixmap shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  if (!shot.save(QString::fromStdString(options.screenshot))) return 1;
  std::printf("window %dx%d, client %dx%d, base units %d x %d\n", frame.width(), frame.height(),
              window.clientArea()->width(), window.clientArea()->height(), window.baseUnits().x,
              window.baseUnits().y);
  return 0;
}
