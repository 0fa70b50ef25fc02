#include "app/model/app_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "app/model/emulator_launch.h"
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
  // Runs a command to its end, a long one too.
  void Command(int id) {
    ASSERT_TRUE(dialog.Dispatch(Notification::kCommand, id));
    ASSERT_TRUE(window.tasks.RunUntil([this] { return !dialog.busy(); }));
  }

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
  // The message, offering Play beside it; the offer was not taken.
  static void ExpectNoEmulatorMessage(const EditorRun& run) {
    ASSERT_EQ(run.app.playOffers.size(), 1u);
    EXPECT_EQ(run.app.playOffers[0],
              "Before trying to see your SlideShow,\nplease specify the location of your "
              "Gameboy Advance Emulator\n\n(Under the menu \"File->Settings\")");
    EXPECT_TRUE(run.window.messages.empty());
    EXPECT_TRUE(run.app.starts.empty());
    EXPECT_TRUE(run.app.players.empty());
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

TEST_F(AppCommandsTest, AboutOpensFromTheMenuBar) {
  auto run = Start();
  run->Command(32773);
  EXPECT_EQ(run->app.aboutRuns, 1);
}

// An emulator on this computer, found when no location is set.
class FoundEmulatorTest : public AppCommandsTest {
 protected:
  void SetUp() override {
    AppCommandsTest::SetUp();
    std::filesystem::create_directories(games.file("bin"));
    found = games.file("bin/mednafen");
    std::ofstream(found) << "#!/bin/sh\n";
    std::filesystem::permissions(found, std::filesystem::perms::owner_all);
  }
  std::unique_ptr<EditorRun> StartFinding() {
    auto run = Start();
    run->app.searchPlaces = {{games.file("nothing here"), games.file("bin")}, {}};
    return run;
  }
  std::string Question() const {
    return "No Gameboy Advance Emulator is set, but Varnel found this one:\n" + found +
           "\n\nStart the SlideShow in it? It is kept under the menu \"File->Settings\".";
  }

  TempDir games;
  std::string found;
};

TEST_F(FoundEmulatorTest, SettingsSuggestsItWhenNoneIsSetAndOkKeepsIt) {
  auto run = StartFinding();
  run->app.settingsAnswer = std::nullopt;
  run->Command(kCmdSettings);  // Cancel: nothing is stored
  EXPECT_EQ(run->app.settingsShown, std::vector<std::string>{found});
  EXPECT_EQ(run->app.settingsSuggested, std::vector<bool>{true});
  EXPECT_TRUE(profile.empty());
  EXPECT_EQ(run->dialog.emulatorPath(), "");

  run->app.settingsAnswer = found;  // OK on the suggestion
  run->Command(kCmdSettings);
  EXPECT_EQ(profile, (ProfileValues{{"Main/Emulator", found}}));
  EXPECT_EQ(run->dialog.emulatorPath(), found);
  // Stored now: shown as the location, not suggested.
  run->Command(kCmdSettings);
  EXPECT_EQ(run->app.settingsShown.back(), found);
  EXPECT_EQ(run->app.settingsSuggested.back(), false);
  EXPECT_TRUE(run->app.questions.empty());
}

TEST_F(FoundEmulatorTest, AStoredLocationIsUsedAsBeforeAndNothingIsLookedFor) {
  profile["Main/Emulator"] = emulator;
  auto run = StartFinding();
  run->app.settingsAnswer = std::nullopt;
  run->Command(kCmdSettings);
  EXPECT_EQ(run->app.settingsShown, std::vector<std::string>{emulator});
  EXPECT_EQ(run->app.settingsSuggested, std::vector<bool>{false});
  run->Command(kCmdStartSlideShow);
  EXPECT_TRUE(run->app.questions.empty());
  ASSERT_EQ(run->app.starts.size(), 1u);
  EXPECT_EQ(run->app.starts[0].program, emulator);
  EXPECT_EQ(run->app.starts[0].arguments,
            (std::vector<std::string>{"-f", work.workDirectory() + "slide.gba"}));

  // A stored location that matches nothing gets the message, found emulator or not.
  profile["Main/Emulator"] = emulators.file("gone");
  auto next = StartFinding();
  next->Command(kCmdStartSlideShow);
  EXPECT_TRUE(next->app.questions.empty());
  ExpectNoEmulatorMessage(*next);
}

TEST_F(FoundEmulatorTest, StartSlideShowAsksOnceAndYesStoresItAndStartsIt) {
  auto run = StartFinding();
  run->app.answerYes = true;
  run->Command(kCmdStartSlideShow);
  EXPECT_EQ(run->app.questions, std::vector<std::string>{Question()});
  EXPECT_EQ(profile, (ProfileValues{{"Main/Emulator", found}}));
  EXPECT_EQ(run->dialog.emulatorPath(), found);
  ASSERT_EQ(run->app.starts.size(), 1u);
  // mednafen's own full-screen setting, not "-f".
  EXPECT_EQ(run->app.starts[0].program, found);
  EXPECT_EQ(run->app.starts[0].arguments,
            (std::vector<std::string>{"-video.fs", "1", work.workDirectory() + "slide.gba"}));
  run->Command(kCmdStartSlideShow);
  EXPECT_EQ(run->app.questions.size(), 1u);
  EXPECT_EQ(run->app.starts.size(), 2u);
  EXPECT_TRUE(run->window.messages.empty());
}

TEST_F(FoundEmulatorTest, NoIsTakenForTheRestOfTheRunAndTheNextRunAsksAgain) {
  auto run = StartFinding();
  run->app.answerYes = false;
  run->Command(kCmdStartSlideShow);
  EXPECT_EQ(run->app.questions.size(), 1u);
  EXPECT_TRUE(run->app.starts.empty());
  EXPECT_TRUE(run->app.playOffers.empty());
  EXPECT_TRUE(profile.empty());
  // Not asked again: the usual message says where to set an emulator.
  run->Command(kCmdStartSlideShow);
  EXPECT_EQ(run->app.questions.size(), 1u);
  ExpectNoEmulatorMessage(*run);

  run.reset();
  auto next = StartFinding();
  next->app.answerYes = true;
  next->Command(kCmdStartSlideShow);
  EXPECT_EQ(next->app.questions.size(), 1u);
  EXPECT_EQ(next->app.starts.size(), 1u);
}

TEST_F(FoundEmulatorTest, YesWithAProfileThatCannotBeWrittenSaysSoAndStartsItAllTheSame) {
  auto run = StartFinding();
  run->app.answerYes = true;
  run->app.profileWriteFailure = "Read-only file system";
  run->Command(kCmdStartSlideShow);
  ASSERT_EQ(run->window.messages.size(), 1u);
  EXPECT_EQ(run->window.messages[0].text.rfind("The emulator location could not be stored", 0), 0u);
  EXPECT_EQ(run->app.starts.size(), 1u);
  EXPECT_EQ(run->dialog.emulatorPath(), found);
}

// Play builds through the real builder around a stand-in viewer in the work directory.
class PlayCommandTest : public AppCommandsTest {
 protected:
  void SetUp() override {
    AppCommandsTest::SetUp();
    testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(3000, 0x11));
    picture = testing::WriteBmp24(work.file("p.bmp"), 40, 30, [](int, int) {
      return testing::Rgb{200, 10, 10};
    });
    // Another show's image in the work folder, which Play must leave as it is.
    testing::WriteAllBytes(WorkFolderImage(), kOtherShow);
  }
  std::string WorkFolderImage() const { return work.workDirectory() + "slide.gba"; }
  bool WorkFolderImageKept() const {
    return testing::ReadAllBytes(WorkFolderImage()) == kOtherShow;
  }
  // The header's picture count (offset 600002) of the image the player was given.
  static int PicturesIn(const std::string& image) {
    const std::vector<uint8_t> bytes = testing::ReadAllBytes(image);
    if (bytes.size() < 632032 || bytes[600000] != 103) return -1;
    return bytes[600002] | bytes[600003] << 8;
  }
  const std::vector<uint8_t> kOtherShow = {'o', 't', 'h', 'e', 'r', ' ', 's', 'h', 'o', 'w'};
  std::string picture;
};

TEST_F(PlayCommandTest, PlayBuildsItsOwnImageOnlyWhenTheShowChangedAndNeverWritesSlideGba) {
  std::string played;
  {
    auto run = Start();
    using Shown = FakeAppPlatform::PlayerShown;
    // An empty list: nothing to play, nothing built.
    run->Command(kCmdPlay);
    ASSERT_EQ(run->window.messages.size(), 1u);
    EXPECT_EQ(run->window.messages[0].text,
              "There is nothing to play: the list holds no pictures.");
    EXPECT_EQ(run->window.messages[0].icon, MessageBoxIcon::kInformation);
    EXPECT_TRUE(run->app.players.empty());
    EXPECT_TRUE(WorkFolderImageKept());

    ASSERT_TRUE(run->dialog.AddRow(picture, 0, 0, ""));
    run->Command(kCmdPlay);
    ASSERT_EQ(run->app.players.size(), 1u);
    played = run->app.players[0].imagePath;
    EXPECT_TRUE(run->app.players[0].rebuilt);
    EXPECT_EQ(PicturesIn(played), 1);
    EXPECT_TRUE(WorkFolderImageKept());
    EXPECT_EQ(run->dialog.statusText(), "Built the show for the player (1 picture).");
    // The image lies outside the work folder, in a folder only the user may enter.
    EXPECT_NE(std::filesystem::path(played).parent_path(),
              std::filesystem::path(work.workDirectory()).parent_path());
    EXPECT_EQ(std::filesystem::status(std::filesystem::path(played).parent_path()).permissions(),
              std::filesystem::perms::owner_all);

    run->Command(kCmdPlay);  // nothing changed: plays what it built
    EXPECT_EQ(run->app.players.back(), (Shown{played, false}));
    run->dialog.SetControlCheck(kIdKeyUse, 0);  // an option, still only in its control
    run->Command(kCmdPlay);
    EXPECT_EQ(run->app.players.back(), (Shown{played, true}));
    EXPECT_EQ(run->dialog.document().options.keyUse, 0);
    ASSERT_TRUE(run->dialog.AddRow(picture, 1, 2, ""));  // the list
    run->Command(kCmdPlay);
    EXPECT_EQ(run->app.players.back(), (Shown{played, true}));
    EXPECT_EQ(PicturesIn(played), 2);
    // Build SlideShow is what writes the work folder's image; Play still has its own.
    run->Command(kCmdBuildSlideShow);
    EXPECT_EQ(PicturesIn(WorkFolderImage()), 2);
    run->Command(kCmdPlay);
    EXPECT_EQ(run->app.players.back(), (Shown{played, false}));
    // A picture's fit (SlideShow > Fit All Pictures > Whole Picture).
    run->Command(32793);
    run->Command(kCmdPlay);
    EXPECT_EQ(run->app.players.back(), (Shown{played, true}));
    // Its image gone from the disk, Play builds it again.
    std::filesystem::remove(played);
    run->Command(kCmdPlay);
    EXPECT_EQ(run->app.players.back(), (Shown{played, true}));
    EXPECT_EQ(run->window.messages.size(), 1u);
  }
  // The run's end takes the player's folder with it.
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(played).parent_path()));
}

TEST_F(PlayCommandTest, AFailedBuildKeepsThePreviousImageAndOpensNoPlayer) {
  auto run = Start();
  ASSERT_TRUE(run->dialog.AddRow(picture, 0, 0, ""));
  run->Command(kCmdPlay);
  ASSERT_EQ(run->app.players.size(), 1u);
  const std::string played = run->app.players[0].imagePath;
  ASSERT_TRUE(run->dialog.AddRow(picture, 0, 0, ""));
  // A viewer template too large for the image: the build stops before touching the image.
  testing::WriteAllBytes(work.file("Src.res"), std::vector<uint8_t>(600001, 0x11));
  run->Command(kCmdPlay);
  EXPECT_EQ(PicturesIn(played), 1);
  EXPECT_EQ(run->app.players.size(), 1u);
  ASSERT_EQ(run->window.messages.size(), 1u);
  EXPECT_EQ(run->window.messages[0].icon, MessageBoxIcon::kStop);
  // Mended, Play builds (the failed build was not a build of this document).
  testing::WriteAllBytes(work.file("Src.res"), testing::FakeViewerProgram(3000, 0x11));
  run->Command(kCmdPlay);
  EXPECT_EQ(PicturesIn(played), 2);
  EXPECT_EQ(run->app.players.size(), 2u);
  EXPECT_TRUE(WorkFolderImageKept());
}

TEST_F(PlayCommandTest, AnImageThePlayerCannotPlayIsReported) {
  auto run = Start();
  ASSERT_TRUE(run->dialog.AddRow(picture, 0, 0, ""));
  run->app.playerFailure = "The file slide.gba is not a console image.";
  run->Command(kCmdPlay);
  ASSERT_EQ(run->window.messages.size(), 1u);
  EXPECT_EQ(run->window.messages[0].text, "The file slide.gba is not a console image.");
  EXPECT_EQ(run->window.messages[0].icon, MessageBoxIcon::kStop);
}

TEST_F(PlayCommandTest, StartSlideShowWithoutAnEmulatorOffersPlayAndTakingItPlays) {
  auto run = Start();
  ASSERT_TRUE(run->dialog.AddRow(picture, 0, 0, ""));
  run->app.takePlayOffer = true;
  run->Command(kCmdStartSlideShow);
  ASSERT_EQ(run->app.playOffers.size(), 1u);
  ASSERT_EQ(run->app.players.size(), 1u);
  EXPECT_EQ(PicturesIn(run->app.players[0].imagePath), 1);
  EXPECT_TRUE(run->app.starts.empty());
  EXPECT_TRUE(WorkFolderImageKept());
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
  dialog.Dispatch(Notification::kCommand, kCmdPlay);
  EXPECT_EQ(app.aboutRuns, 0);
  EXPECT_TRUE(app.settingsShown.empty());
  EXPECT_TRUE(window.messages.empty());
  EXPECT_TRUE(app.players.empty());
}

}  // namespace
}  // namespace varnel
