// The application object of the Qt test executable: the program's own, so its name (the
// executable's, "app_tests") and its icon are the ones under test.
#include <gtest/gtest.h>

#include <memory>

#include "app/qt/slideshow_app.h"
#include "tests/support/test_support.h"

namespace {

class SlideshowAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt settles where its own settings go (the file dialog's) when the application starts;
    // the tests' are kept apart from the real user's configuration from the beginning.
    config_ = std::make_unique<varnel::testing::TempDir>();
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config_->path().string()));
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    application_ = new varnel::CSlideshowApp(argc, argv);
  }
  void TearDown() override {
    delete application_;
    config_.reset();
  }

 private:
  std::unique_ptr<varnel::testing::TempDir> config_;
  varnel::CSlideshowApp* application_ = nullptr;
};

[[maybe_unused]] const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new SlideshowAppEnvironment);

}  // namespace
