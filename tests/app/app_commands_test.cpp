#include "app/app_commands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>

#include "app/emulator_launch.h"
#include "tests/app/fake_platforms.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::FakeAppPlatform;
using testing::ModelWindowPlatform;
using testing::ProfileValues;
using testing::TempDir;

// One run of the editor: the window model started in a work directory over a profile
// that outlives it, with the commands around it attached.
struct EditorRun {
  EditorRun(const std::string& workDirectory, ProfileValues& profile)
      : window(workDirectory, profile), app(profile), commands(dialog, app) {
    dialog.AttachPlatform(window);
    dialog.OnInitDialog();
  }
  void Command(int id) { ASSERT_TRUE(dialog.Dispatch(Notification::kCommand, id)); }

  ModelWindowPlatform window;
  FakeAppPlatform app;
  CSlideshowDlg dialog;
  AppCommands commands;
};

class AppCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    emulator = emulators.file("fake emulator");
    std::ofstream(emulator) << "#!/bin/sh\n";
  }
  std::unique_ptr<EditorRun> Start() {
    return std::make_unique<EditorRun>(work.workDirectory(), profile);
  }
  static void ExpectNoEmulatorMessage(const EditorRun& run) {
    ASSERT_EQ(run.window.messages.size(), 1u);
    EXPECT_EQ(run.window.messages[0].text,
              "Before trying to see your SlideShow,\nplease specify the location of your "
              "Gameboy Advance Emulator\n\n(Under the menu \"File->Settings\")");
    EXPECT_EQ(run.window.messages[0].icon, MessageBoxIcon::kExclamation);
    EXPECT_TRUE(run.app.starts.empty());
  }

  TempDir work;
  TempDir emulators;
  std::string emulator;
  ProfileValues profile;
};

TEST_F(AppCommandsTest, FirstRunWithoutProfileHasNoEmulatorAndSaysWhereToSetIt) {
  auto run = Start();
  EXPECT_EQ(run->window.profileReads, 1);
  EXPECT_EQ(run->dialog.emulatorPath(), "");
  run->Command(kCmdStartSlideShow);
  ExpectNoEmulatorMessage(*run);
}

TEST_F(AppCommandsTest, SettingsOkStoresTheLocationForThisRunAndTheNext) {
  auto run = Start();
  run->app.settingsAnswer = emulator;
  run->Command(kCmdSettings);
  EXPECT_EQ(run->app.settingsShown, std::vector<std::string>{""});
  EXPECT_EQ(run->dialog.emulatorPath(), emulator);
  EXPECT_EQ(profile, (ProfileValues{{"Main/Emulator", emulator}}));

  // The new location counts at once, without a restart...
  run->Command(kCmdStartSlideShow);
  ASSERT_EQ(run->app.starts.size(), 1u);
  EXPECT_EQ(run->app.starts[0].program, emulator);
  EXPECT_EQ(run->app.starts[0].arguments,
            (std::vector<std::string>{"-f", work.workDirectory() + "slide.gba"}));
  EXPECT_TRUE(run->window.messages.empty());

  // ...and the next run reads it back, and shows it in the dialog.
  run.reset();
  auto next = Start();
  EXPECT_EQ(next->dialog.emulatorPath(), emulator);
  next->Command(kCmdSettings);
  EXPECT_EQ(next->app.settingsShown, std::vector<std::string>{emulator});
}

TEST_F(AppCommandsTest, SettingsOkWritesTheProfileEveryTimeEvenUnchanged) {
  profile["Main/Emulator"] = emulator;
  auto run = Start();
  run->app.settingsAnswer = emulator;
  run->Command(kCmdSettings);
  run->Command(kCmdSettings);
  EXPECT_EQ(run->app.profileWrites, 2);
  EXPECT_EQ(profile["Main/Emulator"], emulator);
}

TEST_F(AppCommandsTest, AClearedLocationIsStoredEmptyAndStartSlideShowAsksAgainAfterRestart) {
  profile["Main/Emulator"] = emulator;
  auto run = Start();
  run->app.settingsAnswer = "";
  run->Command(kCmdSettings);
  EXPECT_EQ(profile, (ProfileValues{{"Main/Emulator", ""}}));
  run->Command(kCmdStartSlideShow);
  ExpectNoEmulatorMessage(*run);

  run.reset();
  auto next = Start();
  EXPECT_EQ(next->dialog.emulatorPath(), "");
  next->Command(kCmdStartSlideShow);
  ExpectNoEmulatorMessage(*next);
}

TEST_F(AppCommandsTest, CancelLeavesTheLocationAndTheProfileAlone) {
  profile["Main/Emulator"] = emulator;
  auto run = Start();
  run->app.settingsAnswer = std::nullopt;
  run->Command(kCmdSettings);
  EXPECT_EQ(run->app.profileWrites, 0);
  EXPECT_EQ(run->dialog.emulatorPath(), emulator);
  EXPECT_EQ(profile, (ProfileValues{{"Main/Emulator", emulator}}));
}

TEST_F(AppCommandsTest, AProfileThatCannotBeWrittenIsReportedAndTheLocationStillServesThisRun) {
  auto run = Start();
  run->app.settingsAnswer = emulator;
  run->app.profileWriteFailure = "Read-only file system";
  run->Command(kCmdSettings);
  ASSERT_EQ(run->window.messages.size(), 1u);
  EXPECT_EQ(run->window.messages[0].text,
            "The emulator location could not be stored in /home/user/.config/varnel.ini "
            "(Read-only file system).\nIt is used until Varnel ends.");
  EXPECT_EQ(run->window.messages[0].icon, MessageBoxIcon::kExclamation);
  run->Command(kCmdStartSlideShow);
  EXPECT_EQ(run->app.starts.size(), 1u);
}

TEST_F(AppCommandsTest, StartSlideShowRefusesALocationThatMatchesNothing) {
  profile["Main/Emulator"] = emulators.file("fake emulator.exe");
  auto run = Start();
  run->Command(kCmdStartSlideShow);
  ExpectNoEmulatorMessage(*run);
}

TEST_F(AppCommandsTest, StartSlideShowStartsOneMoreEmulatorEachTimeWithoutLookingForTheImage) {
  profile["Main/Emulator"] = emulator;
  auto run = Start();
  run->Command(kCmdStartSlideShow);
  run->Command(kCmdStartSlideShow);
  ASSERT_EQ(run->app.starts.size(), 2u);
  EXPECT_EQ(run->app.starts[1].arguments[1], work.workDirectory() + "slide.gba");
  EXPECT_TRUE(run->window.messages.empty());
}

TEST_F(AppCommandsTest, AnEmulatorThatCannotBeStartedIsReported) {
  profile["Main/Emulator"] = emulators.path().string();  // a directory matches, but won't run
  auto run = Start();
  run->app.startFailure = "execv: Permission denied";
  run->Command(kCmdStartSlideShow);
  ASSERT_EQ(run->window.messages.size(), 1u);
  EXPECT_EQ(run->window.messages[0].text, "The emulator could not be started:\n" +
                                              emulators.path().string() +
                                              "\n\n(execv: Permission denied)");
  EXPECT_EQ(run->window.messages[0].icon, MessageBoxIcon::kExclamation);
}

TEST_F(AppCommandsTest, AboutOpensFromTheMenuBarAndFromSystemCommands16To31) {
  auto run = Start();
  run->Command(kCmdAbout);
  EXPECT_EQ(run->app.aboutRuns, 1);
  for (int command = 16; command <= 31; ++command) {
    EXPECT_TRUE(run->dialog.OnSysCommand(command)) << command;
    EXPECT_EQ(run->app.aboutRuns, command - 14) << command;
  }
  for (const int other : {0, 15, 32, 0xF060 /* close */, 0xF020 /* minimize */}) {
    EXPECT_FALSE(run->dialog.OnSysCommand(other)) << other;
  }
  EXPECT_EQ(run->app.aboutRuns, 17);
}

TEST(AppCommands, LeaveTheWindowWithoutHandlersWhenTheyGo) {
  ProfileValues profile;
  ModelWindowPlatform window("/tmp", profile);
  FakeAppPlatform app(profile);
  CSlideshowDlg dialog;
  dialog.AttachPlatform(window);
  dialog.OnInitDialog();
  std::optional<AppCommands> commands(std::in_place, dialog, app);
  commands.reset();
  dialog.Dispatch(Notification::kCommand, kCmdAbout);
  dialog.Dispatch(Notification::kCommand, kCmdSettings);
  dialog.Dispatch(Notification::kCommand, kCmdStartSlideShow);
  dialog.OnSysCommand(16);
  EXPECT_EQ(app.aboutRuns, 0);
  EXPECT_TRUE(app.settingsShown.empty());
  EXPECT_TRUE(window.messages.empty());
}

}  // namespace
}  // namespace varnel
