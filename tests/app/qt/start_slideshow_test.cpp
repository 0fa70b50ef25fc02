// Start SlideShow with real processes: the check, the command and the detached start.
#include <gtest/gtest.h>

#include <QByteArray>
#include <filesystem>
#include <fstream>

#include "app/model/app_commands.h"
#include "app/qt/qt_app_platform.h"
#include "tests/app/fake_emulator.h"
#include "tests/app/fake_platforms.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::FakeEmulator;
using testing::ModelWindowPlatform;
using testing::ProfileValues;
using testing::TempDir;

// The window model in a work directory whose name needs quoting in any shell, with the
// emulator location stored in the profile, and the real process start.
class StartSlideShowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    work = root.file("my show 'one' \"two\" $HOME") + "/";
    std::filesystem::create_directories(work);
    std::filesystem::create_directories(root.file("emu dir"));
  }

  void StartEditor(const std::string& location) {
    profile["Main/Emulator"] = location;
    window.emplace(work, profile);
    dialog.AttachPlatform(*window);
    dialog.OnInitDialog();
    commands.emplace(dialog, platform);
  }
  void StartSlideShow() { dialog.Dispatch(Notification::kCommand, kCmdStartSlideShow); }

  TempDir root;
  std::string work;
  ProfileValues profile;
  std::optional<ModelWindowPlatform> window;
  QtAppPlatform platform{EmulatorSearchPlaces{}};
  CSlideshowDlg dialog;
  std::optional<AppCommands> commands;
};

TEST_F(StartSlideShowTest,
       TheEmulatorGetsFullScreenAndTheImagePathAsWholeArgumentsAndIsNotWaitedFor) {
  const FakeEmulator emulator(root.file("emu dir/fake emulator"));
  StartEditor(emulator.path());
  StartSlideShow();
  // The editor is back while the emulator still waits to be let go.
  EXPECT_FALSE(emulator.recorded());
  const auto call = emulator.WaitForCall();
  ASSERT_TRUE(call);
  EXPECT_EQ(*call, (std::vector<std::string>{emulator.path(), "-f", work + "slide.gba"}));
  EXPECT_TRUE(window->messages.empty());
}

TEST_F(StartSlideShowTest, ALocationWithoutDirectoryRunsTheFileTheCheckFound) {
  const FakeEmulator here(work + "fake emulator");
  // The same name along the search path must not be the one started.
  const FakeEmulator elsewhere(root.file("emu dir/fake emulator"));
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(root.file("emu dir")) + ":" + path);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(work);

  StartEditor("fake emulator");
  StartSlideShow();
  const auto call = here.WaitForCall();

  std::filesystem::current_path(previous);
  qputenv("PATH", path);
  ASSERT_TRUE(call);
  EXPECT_EQ(*call, (std::vector<std::string>{"./fake emulator", "-f", work + "slide.gba"}));
  EXPECT_FALSE(elsewhere.recorded());
}

TEST_F(StartSlideShowTest, ALocationThatMatchesButCannotRunIsReported) {
  const std::string notAProgram = root.file("emu dir/readme.txt");
  std::ofstream(notAProgram) << "not a program\n";
  StartEditor("");
  for (const std::string& location : {notAProgram, root.file("emu dir")}) {
    dialog.SetEmulatorPath(location);
    window->messages.clear();
    StartSlideShow();
    ASSERT_EQ(window->messages.size(), 1u) << location;
    EXPECT_EQ(window->messages[0].text.rfind("The emulator could not be started:\n" + location, 0),
              0u)
        << window->messages[0].text;
    EXPECT_NE(window->messages[0].text.find("Permission denied"), std::string::npos)
        << window->messages[0].text;
    EXPECT_EQ(window->messages[0].icon, MessageBoxIcon::kExclamation);
  }
}

}  // namespace
}  // namespace varnel
