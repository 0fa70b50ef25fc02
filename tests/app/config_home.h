#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <string>

#include "tests/support/test_support.h"

namespace varnel::testing {

// Points the user's configuration directory ($XDG_CONFIG_HOME) at a fresh temporary
// directory while it lives, so no test reads or writes the real user's profile.
class ConfigHome {
 public:
  ConfigHome() : previous_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir_.path().string()));
  }
  ~ConfigHome() { qputenv("XDG_CONFIG_HOME", previous_); }
  ConfigHome(const ConfigHome&) = delete;
  ConfigHome& operator=(const ConfigHome&) = delete;

  const TempDir& dir() const { return dir_; }
  // The profile file of the test executable.
  std::string profileFile() const { return dir_.file("app_tests.ini"); }

 private:
  TempDir dir_;
  QByteArray previous_;
};

}  // namespace varnel::testing
