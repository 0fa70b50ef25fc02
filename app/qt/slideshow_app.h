#pragma once

#include <QApplication>
#include <QStringList>
#include <string>

#include "app/model/known_emulators.h"

namespace varnel {

class MainWindow;

// The application: starts the program and runs the main window until it ends. Its name,
// the caption of every message box and the name of the profile file, is the executable's
// file name without directory and extension.
class CSlideshowApp : public QApplication {
 public:
  // A project file named on the command line ("varnel show.vrn") is loaded once the
  // main window shows.
  CSlideshowApp(int& argc, char** argv);

  // Start-up: runs the main window as a modal dialog. Returns false once the window has
  // ended: the program has nothing more to do and ends.
  bool InitInstance();

  // The main window while InitInstance runs it, else nullptr.
  MainWindow* mainWindow() const { return window_; }

  // The signal (Ctrl-C, SIGTERM) that ended the window; 0 when the user ended it.
  int endingSignal() const { return endingSignal_; }
  // The program's exit status: 0, or the shells' status for the ending signal.
  int ExitStatus() const;

  // Where the next InitInstance looks for emulators when none is set; the system's
  // places unless set otherwise.
  void SetEmulatorSearchPlaces(EmulatorSearchPlaces places) { searchPlaces_ = std::move(places); }

  // The project the next InitInstance loads at start-up; empty for none.
  const std::string& startProject() const { return startProject_; }
  void SetStartProject(std::string path) { startProject_ = std::move(path); }

 private:
  MainWindow* window_ = nullptr;
  int endingSignal_ = 0;
  std::string startProject_;
  EmulatorSearchPlaces searchPlaces_;
};

// The project file among the program's arguments (after the program's own name), as a full
// path; empty when none is given. Arguments after the first are left alone.
std::string StartProjectFromArguments(const QStringList& arguments);

}  // namespace varnel
