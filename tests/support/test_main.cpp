// The main of every test executable: the environment the tests need (no display for SDL
// or Qt, and whatever the suite asks for), unless the caller set it, then the tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

void SetDefault(const std::string& assignment) {
  const auto equals = assignment.find('=');
  if (equals == std::string::npos) return;
  ::setenv(assignment.substr(0, equals).c_str(), assignment.substr(equals + 1).c_str(), 0);
}

}  // namespace

int main(int argc, char** argv) {
  SetDefault("SDL_VIDEODRIVER=dummy");
  SetDefault("QT_QPA_PLATFORM=offscreen");
#ifdef VARNEL_TEST_ENVIRONMENT
  SetDefault(VARNEL_TEST_ENVIRONMENT);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
