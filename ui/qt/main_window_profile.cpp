// The main window's reads of the profile, where the emulator location is kept between runs.
#include "ui/qt/ini_profile.h"
#include "ui/qt/main_window.h"

namespace varnel {

std::string MainWindow::ReadProfileString(const std::string& section, const std::string& key,
                                          const std::string& defaultValue) {
  return IniProfile::ForApplication().ReadString(section, key, defaultValue);
}

}  // namespace varnel
