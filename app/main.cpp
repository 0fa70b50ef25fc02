// The editor: runs the main window until it ends.
#include <QApplication>

#include "ui/main_window.h"
#include "ui/slideshow_dlg.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  varnel::CSlideshowDlg dialog;
  varnel::MainWindow window(dialog);
  window.show();
  application.exec();
  return 0;
}
