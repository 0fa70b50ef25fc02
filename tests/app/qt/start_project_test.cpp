// "varnel show.vrn": the project named on the command line is loaded when the window shows,
// with Load's messages when it cannot be.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTreeWidget>
#include <filesystem>

#include "app/qt/slideshow_app.h"
#include "project/project_file_writer.h"
#include "tests/app/config_home.h"
#include "tests/app/scripted_user.h"
#include "tests/support/hostile_pictures.h"
#include "tests/support/project_bytes.h"
#include "tests/support/test_support.h"
#include "ui/model/control_ids.h"
#include "ui/qt/main_window.h"

namespace varnel {
namespace {

using testing::ConfigHome;
using testing::ScriptedUser;
using testing::TempDir;

CSlideshowApp& App() {
  return *static_cast<CSlideshowApp*>(qApp);
}

void Quit() {
  ScriptedUser::Later([] { App().mainWindow()->commandAction(kCmdQuit)->trigger(); });
}

class StartProjectTest : public ::testing::Test {
 protected:
  void TearDown() override { App().SetStartProject({}); }

  // Starts the program with `project` and plays `step` once the window shows.
  void Run(const std::string& project, const std::function<bool(MainWindow&)>& step) {
    App().SetStartProject(project);
    user.Then("the window with the project", [&] {
      MainWindow* window = App().mainWindow();
      if (window == nullptr || !window->isVisible() || !step(*window)) return false;
      Quit();
      return true;
    });
    user.Start(Quit);
    EXPECT_FALSE(App().InitInstance());
    EXPECT_EQ(user.stuckAt(), "");
  }

  ConfigHome home;
  TempDir dir;
  ScriptedUser user;
};

TEST(StartProjectArguments, TheFirstArgumentIsTheProjectAsAFullPath) {
  EXPECT_EQ(StartProjectFromArguments({"varnel"}), "");
  EXPECT_EQ(StartProjectFromArguments({"varnel", "/shows/a b.vrn", "/other.vrn"}),
            "/shows/a b.vrn");
  const std::string relative = StartProjectFromArguments({"varnel", "show.vrn"});
  EXPECT_EQ(relative, (std::filesystem::current_path() / "show.vrn").string());
}

TEST_F(StartProjectTest, AProjectOnTheCommandLineIsLoadedAtStartUp) {
  SlideshowOptions options = SlideshowOptions::DefaultsAfterNew();
  options.secondsText = "7";
  const std::string picture = std::string(VARNEL_TEST_DATA_DIR) + "/picture.gif";
  const std::vector<StoredPicture> pictures = {{picture, "first", 0, 3}, {picture, "", 1, 0}};
  const std::string project = dir.file("trip.vrn");
  testing::WriteAllBytes(project, testing::ProjectFileBytes(options, pictures));

  Run(project, [](MainWindow& window) {
    // The caption changes last, once every row is in.
    if (window.windowTitle() != "Varnel 1.3 (trip.vrn)[*]") return false;
    EXPECT_FALSE(window.isWindowModified());  // as loaded: nothing to save yet
    const auto* list = static_cast<QTreeWidget*>(window.control(kIdPictureList));
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "picture.gif");
    EXPECT_EQ(static_cast<QLineEdit*>(window.control(kIdSeconds))->text(), "7");
    return true;
  });
}

TEST_F(StartProjectTest, AProjectOpenedAtStartUpIsNamedInTheQuestionAndTheSaveDialog) {
  const std::string picture = std::string(VARNEL_TEST_DATA_DIR) + "/picture.gif";
  const std::string project = dir.file("trip.vrn");
  const std::vector<StoredPicture> pictures = {{picture, "first", 0, 3}};
  testing::WriteAllBytes(project,
                         testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), pictures));
  App().SetStartProject(project);
  QString question;
  QString dialogFolder;
  QString dialogName;
  const auto answerQuestion = [&](QMessageBox::StandardButton answer) {
    auto* box = ScriptedUser::ActiveModal<QMessageBox>();
    if (box == nullptr) return false;
    question = box->text();
    box->button(answer)->click();
    return true;
  };
  user.Then("the window with the project", [&] {
    MainWindow* window = App().mainWindow();
    if (window == nullptr || window->windowTitle() != "Varnel 1.3 (trip.vrn)[*]") return false;
    window->SetFileDialogAnswer([&](QFileDialog& dialog) {
      dialogFolder = dialog.directory().absolutePath();
      dialogName = dialog.findChild<QLineEdit*>("fileNameEdit")->text();
      dialog.reject();
    });
    static_cast<QCheckBox*>(window->control(kIdThumbnails))->click();
    Quit();
    return true;
  });
  // Save: the dialog opens on the project's own file; cancelled, the window stays.
  user.Then("the question", [&] { return answerQuestion(QMessageBox::Save); });
  // The user waits for the Save to end: while it runs, Quit is not there to choose.
  user.Then("the window still there", [&] {
    MainWindow* window = App().mainWindow();
    if (!window->isVisible() || !window->commandAction(kCmdQuit)->isEnabled()) return false;
    Quit();
    return true;
  });
  user.Then("the question again", [&] { return answerQuestion(QMessageBox::Discard); });
  user.Start(Quit);
  EXPECT_FALSE(App().InitInstance());
  EXPECT_EQ(user.stuckAt(), "");
  EXPECT_EQ(question.toStdString(), "Save changes to trip.vrn?");
  EXPECT_EQ(dialogFolder.toStdString(), dir.path().string());
  EXPECT_EQ(dialogName.toStdString(), "trip.vrn");
}

TEST_F(StartProjectTest, AMissingOrBrokenProjectIsSaidAndTheShowStaysEmpty) {
  const std::string missing = dir.file("gone.vrn");
  const std::string broken = dir.file("broken.vrn");
  testing::WriteAllBytes(broken, {'n', 'o', 't'});
  for (const std::string& project : {missing, broken}) {
    SCOPED_TRACE(project);
    ScriptedUser player;
    App().SetStartProject(project);
    std::string message;
    player.Then("the message", [&] {
      auto* box = ScriptedUser::ActiveModal<QMessageBox>();
      if (box == nullptr) return false;
      message = box->text().toStdString();
      EXPECT_EQ(box->icon(), QMessageBox::Critical);
      const auto* list = static_cast<QTreeWidget*>(App().mainWindow()->control(kIdPictureList));
      EXPECT_EQ(list->topLevelItemCount(), 0);
      box->accept();
      Quit();
      return true;
    });
    player.Start(Quit);
    EXPECT_FALSE(App().InitInstance());
    EXPECT_EQ(player.stuckAt(), "");
    EXPECT_NE(message.find(project), std::string::npos) << message;
  }
}

TEST_F(StartProjectTest, PicturesThatCrashOrExhaustTheLibraryAreLeftOutAndSaid) {
  const std::vector<std::string> hostile = {
      testing::WriteGif(dir.file("zero.gif"), testing::ZeroSizeImageGif()),
      testing::WriteGif(dir.file("huge.gif"), testing::HugeImageGif()),
      testing::WriteGif(dir.file("code12.gif"), testing::CodeSizeTwelveGif()),
      testing::WriteDecompressionBomb(dir.file("bomb.png"))};
  const std::string first = testing::TestDataPath("picture.gif");
  const std::string last = testing::TestDataPath("picture-24bit.bmp");
  std::vector<StoredPicture> pictures = {{first, "", 0, 0}};
  for (const std::string& path : hostile) pictures.push_back({path, "", 0, 0});
  pictures.push_back({last, "", 0, 0});
  const std::string project = dir.file("hostile.vrn");
  testing::WriteAllBytes(project,
                         testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), pictures));

  App().SetStartProject(project);
  std::string message;
  user.Then("the message naming what was left out", [&] {
    auto* box = ScriptedUser::ActiveModal<QMessageBox>();
    if (box == nullptr) return false;
    message = box->text().toStdString();
    box->accept();
    return true;
  });
  user.Then("the window with the other pictures", [&] {
    MainWindow* window = App().mainWindow();
    if (window == nullptr || !window->isVisible()) return false;
    const auto* list = static_cast<QTreeWidget*>(window->control(kIdPictureList));
    if (list->topLevelItemCount() != 2) return false;
    EXPECT_EQ(list->topLevelItem(0)->text(0), "picture.gif");
    EXPECT_EQ(list->topLevelItem(1)->text(0), "picture-24bit.bmp");
    // Rows were left out, so the show differs from its file and quitting asks.
    EXPECT_TRUE(window->isWindowModified());
    Quit();
    return true;
  });
  user.Then("the question", [&] {
    auto* box = ScriptedUser::ActiveModal<QMessageBox>();
    if (box == nullptr) return false;
    box->button(QMessageBox::Discard)->click();
    return true;
  });
  user.Start(Quit);
  EXPECT_FALSE(App().InitInstance());
  EXPECT_EQ(user.stuckAt(), "");
  // Each named with its reason.
  for (const std::string& gif : {hostile[0], hostile[1], hostile[2]})
    EXPECT_NE(message.find(gif + ": the picture could not be loaded (the file is damaged)"),
              std::string::npos)
        << message;
  EXPECT_NE(
      message.find(hostile[3] + ": the picture could not be loaded (the picture is too large"),
      std::string::npos)
      << message;
}

}  // namespace
}  // namespace varnel
