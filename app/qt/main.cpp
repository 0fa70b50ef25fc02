// The editor: the application object runs the whole program from its start-up.
#include "app/qt/slideshow_app.h"

int main(int argc, char** argv) {
  varnel::CSlideshowApp application(argc, argv);
  application.InitInstance();
  return application.ExitStatus();
}
