// Opens the main window on the display, puts a show together through the real widgets
// and photographs the screen: used by tools/window-screenshot.sh.
//
//   varnel-window-driver --screenshot OUT.png [--project FILE.vrn] [--pictures DIR]
//                        [--click N] [--caption TEXT] [--fit N] [--as-on-console yes]
//                        [--build yes] [--during-build OUT3.png]
//                        [--play OUT4.png] [--play-frames N] [--play-caption yes]
//                        [--question OUT2.png]
//
// --project loads a project first; --fit chooses fit N for the clicked row in its choice
// list and --as-on-console ticks the preview's "As on Console"; --build runs Build
// SlideShow before the photograph (into the current directory), and --during-build
// photographs the window while that build runs;
// --play then chooses SlideShow > Play and photographs the player window after N frames of
// the show (600, about ten seconds, unless given), with --play-caption after pressing Select
// to show the slide's caption; --question also photographs the question Quit asks about the
// unsaved show.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/model/app_commands.h"
#include "app/qt/qt_app_platform.h"
#include "player/qt/player_window.h"
#include "ui/model/control_ids.h"
#include "ui/model/slideshow_dlg.h"
#include "ui/qt/main_window.h"

namespace {

struct Options {
  std::string screenshot;
  std::string pictures;
  int click = -1;
  std::string caption;
  int fit = -1;
  bool asOnConsole = false;
  std::string question;
  bool build = false;
  std::string duringBuild;
  std::string project;
  std::string play;
  int playFrames = 600;
  bool playCaption = false;
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
    } else if (name == "--fit") {
      options.fit = std::stoi(value);
    } else if (name == "--as-on-console") {
      options.asOnConsole = value == "yes";
    } else if (name == "--question") {
      options.question = value;
    } else if (name == "--project") {
      options.project = value;
    } else if (name == "--play") {
      options.play = value;
    } else if (name == "--play-frames") {
      options.playFrames = std::stoi(value);
    } else if (name == "--play-caption") {
      options.playCaption = value == "yes";
    } else if (name == "--build") {
      options.build = value == "yes";
    } else if (name == "--during-build") {
      options.duringBuild = value;
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

// The screen around the window, under a strip with the title the window gives the window
// system (with the mark of unsaved changes), which no window manager draws here.
bool PhotographWindow(const QWidget& window, const std::string& path) {
  QScreen* screen = window.screen();
  const QRect frame = window.frameGeometry();
  const QPixmap shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  constexpr int kTitleStripHeight = 22;
  QPixmap framed(shot.width(), shot.height() + kTitleStripHeight);
  framed.fill(QColor(60, 80, 120));
  QPainter painter(&framed);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, framed.width(), kTitleStripHeight), Qt::AlignCenter,
                   window.windowHandle()->title());
  painter.drawPixmap(0, kTitleStripHeight, shot);
  painter.end();
  return framed.save(QString::fromStdString(path));
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: %s --screenshot OUT.png [--project FILE.vrn] [--pictures DIR] "
                 "[--click N] [--caption TEXT] [--build yes] [--during-build OUT.png] "
                 "[--play OUT.png] [--play-frames N] [--play-caption yes] [--question OUT.png]\n",
                 argv[0]);
    return 2;
  }
  QApplication application(argc, argv);
  varnel::CSlideshowDlg dialog;
  varnel::QtAppPlatform platform(varnel::EmulatorSearchPlaces{});
  const varnel::AppCommands commands(dialog, platform);
  varnel::MainWindow window(dialog);
  platform.SetOwner(&window);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  if (!options.project.empty()) dialog.LoadProject(options.project);
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
  if (options.fit >= 0) {
    auto* fit = static_cast<QComboBox*>(window.control(varnel::kIdFitChoice));
    fit->setCurrentIndex(options.fit);
    emit fit->activated(options.fit);
  }
  if (options.asOnConsole) {
    QWidget* check = window.control(varnel::kIdAsOnConsole);
    QTest::mouseClick(check, Qt::LeftButton, {}, check->rect().center());
  }
  if (options.build) {
    // The window answers the window system while the builder works, so a timer of the
    // window's own catches it mid-build.
    bool photographedBuild = options.duringBuild.empty();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &window, [&] {
      if (photographedBuild || !dialog.buildRunning() || dialog.progressBar().position() < 1)
        return;
      photographedBuild = PhotographWindow(window, options.duringBuild);
    });
    watch.start(10);
    window.commandAction(varnel::kCmdBuildSlideShow)->trigger();
    watch.stop();
    if (!photographedBuild) {
      std::fprintf(stderr, "the build ended before it could be photographed\n");
      return 1;
    }
  }
  QTest::qWait(300);

  if (!PhotographWindow(window, options.screenshot)) return 1;
  const QRect frame = window.frameGeometry();
  std::printf("title \"%s\"\n", qPrintable(window.windowHandle()->title()));
  std::printf("window %dx%d, client %dx%d, base units %d x %d\n", frame.width(), frame.height(),
              window.clientArea()->width(), window.clientArea()->height(), window.baseUnits().x,
              window.baseUnits().y);
  if (!options.play.empty()) {
    window.commandAction(varnel::kCmdPlay)->trigger();
    varnel::PlayerWindow* player = platform.player();
    if (player == nullptr || !QTest::qWaitForWindowExposed(player)) return 1;
    // From the show's start, frame by frame, so the photograph is the same every time.
    player->SetPaused(true);
    player->Restart();
    player->AdvanceFrames(options.playFrames);
    if (options.playCaption) {
      // Select (Backspace on the keyboard) held for a few frames, then the box drawn.
      constexpr int kPressFrames = 4;
      constexpr int kCaptionFrames = 30;
      QTest::keyPress(player, Qt::Key_Backspace);
      player->AdvanceFrames(kPressFrames);
      QTest::keyRelease(player, Qt::Key_Backspace);
      player->AdvanceFrames(kCaptionFrames);
    }
    QTest::qWait(300);
    if (!PhotographWindow(*player, options.play)) return 1;
    std::printf("player %dx%d at %d,%d\n", player->frameGeometry().width(),
                player->frameGeometry().height(), player->x(), player->y());
    player->close();
  }
  if (!options.question.empty()) {
    bool photographed = false;
    QTimer::singleShot(500, &window, [&] {
      QWidget* box = QApplication::activeModalWidget();
      if (box == nullptr) return;
      photographed = PhotographWindow(window, options.question);
      std::printf("question \"%s\"\n", qPrintable(static_cast<QMessageBox*>(box)->text()));
      static_cast<QMessageBox*>(box)->reject();
    });
    window.commandAction(varnel::kCmdQuit)->trigger();
    if (!photographed) return 1;
  }
  return 0;
}
