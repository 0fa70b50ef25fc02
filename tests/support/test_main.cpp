// The main of every test executable: the environment the tests need (no display for SDL
// or Qt unless the caller set one, and whatever the suite asks for), then the tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#ifdef VARNEL_TEST_ENVIRONMENT
#define VARNEL_TEST_ENVIRONMENT_TEXT VARNEL_TEST_ENVIRONMENT
#else
#define VARNEL_TEST_ENVIRONMENT_TEXT ""
#endif

namespace {

void Assign(const std::string& assignment, bool replace) {
  const auto equals = assignment.find('=');
  if (equals == std::string::npos) return;
  ::setenv(assignment.substr(0, equals).c_str(), assignment.substr(equals + 1).c_str(),
           replace ? 1 : 0);
}

// Qt's file dialogs and our own profile write below $XDG_CONFIG_HOME: a test run gets a
// fresh one unless its suite names one, so no test reads or writes the user's settings.
void UseScratchConfigurationDirectory() {
  static std::string directory =
      (std::filesystem::temp_directory_path() / "varnel-test-config-XXXXXX").string();
  if (::mkdtemp(directory.data()) == nullptr) return;
  ::setenv("XDG_CONFIG_HOME", directory.c_str(), 1);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
  });
}

}  // namespace

int main(int argc, char** argv) {
  Assign("SDL_VIDEODRIVER=dummy", false);
  Assign("QT_QPA_PLATFORM=offscreen", false);
  Assign(VARNEL_TEST_ENVIRONMENT_TEXT, true);
  if (std::string(VARNEL_TEST_ENVIRONMENT_TEXT).find("XDG_CONFIG_HOME=") == std::string::npos)
    UseScratchConfigurationDirectory();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
