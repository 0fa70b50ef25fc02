#include "app/qt/slideshow_app.h"

#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#include "app/model/app_commands.h"
#include "app/model/work_folder.h"
#include "app/qt/app_artwork.h"
#include "app/qt/qt_app_platform.h"
#include "app/qt/termination_signals.h"
#include "ui/model/slideshow_dlg.h"
#include "ui/qt/main_window.h"
#include "ui/qt/project_file_dialog.h"

namespace varnel {

namespace {

// Runs an event loop until the window has ended and is gone from the screen.
class ModalRun : public QObject {
 public:
  ModalRun(QWidget& window, const CSlideshowDlg& dialog) : window_(window), dialog_(dialog) {}

  void Exec() {
    window_.installEventFilter(this);
    window_.show();
    if (!dialog_.ended()) loop_.exec();
    window_.removeEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Hide && dialog_.ended()) loop_.quit();
    return false;
  }

 private:
  QWidget& window_;
  const CSlideshowDlg& dialog_;
  QEventLoop loop_;
};

// The system asks the program to end: the window ends without a question, and every
// dialog open over it is closed unanswered, so nothing waits on the user.
void EndOnSignal(CSlideshowDlg& dialog) {
  dialog.OnTerminate();
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* open = qobject_cast<QDialog*>(widget);
    if (open != nullptr && open->isVisible()) open->reject();
  }
}

}  // namespace

std::string StartProjectFromArguments(const QStringList& arguments) {
  if (arguments.size() < 2 || arguments.at(1).isEmpty()) return {};
  return LocalPath(QFileInfo(arguments.at(1)).absoluteFilePath());
}

CSlideshowApp::CSlideshowApp(int& argc, char** argv)
    : QApplication(argc, argv),
      startProject_(StartProjectFromArguments(arguments())),
      searchPlaces_(SystemEmulatorSearchPlaces(
          qgetenv("PATH").toStdString(),
          QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
              .toStdString())) {
  setApplicationName(QFileInfo(applicationFilePath()).completeBaseName());
  setWindowIcon(ApplicationIcon());
  // The program ends when the main window's run ends, not when some window closes.
  setQuitOnLastWindowClosed(false);
}

bool CSlideshowApp::InitInstance() {
  // Hosted controls, the rich-edit boxes and three-dimensional control drawing are all
  // Qt's own; there is nothing to switch on before the window. The work folder is chosen
  // before the window fixes its work directory.
  const std::string folderProblem = EnterWorkFolder();
  CSlideshowDlg dialog;
  // Before the window starts the picture library, which keeps the handlers it finds.
  const TerminationSignals termination([&dialog](int) { EndOnSignal(dialog); });
  QtAppPlatform platform(searchPlaces_);
  const AppCommands commands(dialog, platform);
  MainWindow window(dialog);
  platform.SetOwner(&window);
  window_ = &window;
  // Once the window shows, so that Load's messages have their owner on the screen.
  if (!startProject_.empty())
    QTimer::singleShot(0, &window, [&dialog, path = startProject_] { dialog.LoadProject(path); });
  if (!folderProblem.empty()) {
    QTimer::singleShot(0, &window, [&dialog, folderProblem] {
      dialog.ShowMessage(folderProblem, MessageBoxIcon::kExclamation);
    });
  }
  ModalRun(window, dialog).Exec();
  window_ = nullptr;
  endingSignal_ = termination.received();
  return false;
}

int CSlideshowApp::ExitStatus() const {
  return endingSignal_ == 0 ? 0 : ExitStatusForSignal(endingSignal_);
}

}  // namespace varnel
