// The whole program through its real widgets: start-up from the application object, the
// Settings dialog with Browse, Start SlideShow and the About box, then Quit.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/qt/about_dlg.h"
#include "app/qt/settings_dlg.h"
#include "app/qt/slideshow_app.h"
#include "builder/build_slideshow.h"
#include "player/qt/player_window.h"
#include "project/project_file_writer.h"
#include "tests/app/config_home.h"
#include "tests/app/fake_emulator.h"
#include "tests/app/scripted_user.h"
#include "tests/support/project_bytes.h"
#include "tests/support/test_support.h"
#include "ui/model/control_ids.h"
#include "ui/qt/ini_profile.h"
#include "ui/qt/main_window.h"

namespace varnel {
namespace {

using testing::ConfigHome;
using testing::FakeEmulator;
using testing::ReadAllBytes;
using testing::ScriptedUser;
using testing::TempDir;

CSlideshowApp& App() {
  return *static_cast<CSlideshowApp*>(qApp);
}

void Command(int id) {
  ScriptedUser::Later([id] { App().mainWindow()->commandAction(id)->trigger(); });
}

QString LabelText(const TemplateDialog& dialog, int templateIndex) {
  return static_cast<QLabel*>(dialog.controlAt(templateIndex))->text();
}

// Whether the file dialog's list shows a file of this name.
bool Lists(const QFileDialog& dialog, const QString& name) {
  const auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
  if (view == nullptr || view->model() == nullptr) return false;
  const QAbstractItemModel& model = *view->model();
  for (int row = 0; row < model.rowCount(view->rootIndex()); ++row) {
    if (model.index(row, 0, view->rootIndex()).data().toString() == name) return true;
  }
  return false;
}

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(work.path());
    std::filesystem::create_directories(emulators.file("emu dir"));
    // No emulator of this machine is found unless a test puts one where it looks.
    App().SetEmulatorSearchPlaces({});
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  ConfigHome home;
  TempDir work;
  TempDir emulators;
  ScriptedUser user;

 private:
  std::filesystem::path previous_;
};

// Controls of dialog templates 136 and 100, written out by hand: id (0: none), kind,
// text, and rectangle in dialog units.
struct ExpectedDialogControl {
  int id;
  const char* kind;  // "push", "default", "static", "edit", "group", "picture"
  QString text;
  QRect rect;
};

// Checks a template dialog's widgets, in template order, and its size in dialog units.
void ExpectTemplate(const TemplateDialog& dialog, QSize size,
                    const std::vector<ExpectedDialogControl>& controls) {
  const DialogBaseUnits base = dialog.baseUnits();
  auto h = [&](int units) { return (units * base.x + 2) / 4; };
  auto v = [&](int units) { return (units * base.y + 4) / 8; };
  EXPECT_EQ(dialog.size(), QSize(h(size.width()), v(size.height())));
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ExpectedDialogControl& c = controls[i];
    SCOPED_TRACE(::testing::Message() << dialog.windowTitle().toStdString() << " control " << i);
    QWidget* widget = dialog.controlAt(static_cast<int>(i));
    ASSERT_NE(widget, nullptr);
    if (c.id != 0) {
      EXPECT_EQ(dialog.control(c.id), widget);
    }
    const std::string kind = c.kind;
    const QRect r = c.rect;
    EXPECT_EQ(widget->pos(), QPoint(h(r.x()), v(r.y())));
    if (kind != "picture") {
      EXPECT_EQ(widget->size(),
                QSize(h(r.x() + r.width()) - h(r.x()), v(r.y() + r.height()) - v(r.y())));
    }
    if (kind == "push" || kind == "default") {
      auto* button = qobject_cast<QPushButton*>(widget);
      ASSERT_NE(button, nullptr);
      EXPECT_EQ(button->text(), c.text);
      EXPECT_EQ(button->isDefault(), kind == "default");
    } else if (kind == "static") {
      ASSERT_NE(qobject_cast<QLabel*>(widget), nullptr);
      EXPECT_EQ(static_cast<QLabel*>(widget)->text(), c.text);
    } else if (kind == "edit") {
      EXPECT_NE(qobject_cast<QLineEdit*>(widget), nullptr);
    } else if (kind == "picture") {
      ASSERT_NE(qobject_cast<QLabel*>(widget), nullptr);
      EXPECT_FALSE(static_cast<QLabel*>(widget)->pixmap().isNull());
    }
  }
  EXPECT_EQ(dialog.controlAt(static_cast<int>(controls.size())), nullptr);
}

TEST(TemplateDialogs, SettingsAndAboutHoldTheirControlsWhereTheirTemplatesPutThem) {
  const CSettingsDlg settings("/opt/emu", nullptr);
  EXPECT_EQ(settings.windowTitle(), "Settings");
  ExpectTemplate(
      settings, {194, 74},
      {{1, "default", "OK", {137, 53, 50, 14}},
       {2, "push", "Cancel", {75, 53, 50, 14}},
       {0, "static", "Enter the location of your Gameboy Advance Emulator :", {7, 7, 180, 10}},
       {1040, "edit", "", {7, 16, 180, 12}},
       {1041, "push", "Browse...", {147, 31, 40, 14}},
       // Varnel's own: says when the location is a suggestion; empty otherwise.
       {0, "static", "", {7, 34, 136, 10}}});
  const CAboutDlg about(nullptr);
  EXPECT_EQ(about.windowTitle(), "About Varnel");
  ExpectTemplate(about, {298, 114},
                 {{0, "picture", "", {174, 7, 20, 20}},
                  {0, "static", "Varnel Version 1.3", {198, 9, 91, 8}},
                  {0, "group", "Description", {174, 32, 117, 53}},
                  {0,
                   "static",
                   "SlideShow Editor aimed for the Gameboy Advance Console. Simply add your "
                   "pictures and click \"SlideShow->Build\".",
                   {179, 44, 105, 34}},
                  {0, "picture", "", {7, 7, 163, 101}},
                  {1, "default", "Close", {247, 93, 44, 14}}});
}

TEST_F(ApplicationTest, SettingsBrowseStartSlideShowAndAboutThroughTheRealWidgets) {
  const IniProfile profile = IniProfile::ForApplication();
  profile.WriteString("Main", "Emulator", "/opt/old emulator");
  const std::vector<uint8_t> storedBytes = ReadAllBytes(profile.filePath());
  const FakeEmulator emulator(emulators.file("emu dir/fake emulator"));
  const QString emulatorPath = QString::fromStdString(emulator.path());
  std::vector<uint8_t> finalBytes;

  user.Then("the main window", [] {
    MainWindow* window = App().mainWindow();
    if (window == nullptr || !window->isVisible()) return false;
    Command(kCmdSettings);
    return true;
  });
  user.Then("Settings shows the stored location", [] {
    auto* dialog = ScriptedUser::ActiveModal<CSettingsDlg>();
    if (dialog == nullptr) return false;
    EXPECT_EQ(dialog->windowTitle(), "Settings");
    EXPECT_EQ(LabelText(*dialog, 2), "Enter the location of your Gameboy Advance Emulator :");
    EXPECT_EQ(static_cast<QLineEdit*>(dialog->control(kIdEmulatorLocation))->text(),
              "/opt/old emulator");
    auto* browse = static_cast<QPushButton*>(dialog->control(kIdBrowse));
    EXPECT_EQ(browse->text(), "Browse...");
    ScriptedUser::Later([browse] { browse->click(); });
    return true;
  });
  user.Then("Browse offers the two filter entries", [&] {
    auto* files = ScriptedUser::ActiveModal<QFileDialog>();
    if (files == nullptr) return false;
    EXPECT_EQ(files->nameFilters().join(" | "), "Programs (*.exe) (*.exe) | All (*.*) (*)");
    files->setDirectory(QString::fromStdString(emulators.file("emu dir")));
    files->selectNameFilter(files->nameFilters().at(1));
    return true;
  });
  user.Then("All lists the emulator, which has no extension; pick it", [&] {
    auto* files = ScriptedUser::ActiveModal<QFileDialog>();
    // The list fills in the background.
    if (files == nullptr || !Lists(*files, "fake emulator")) return false;
    // The user types the name the list shows.
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    EXPECT_NE(name, nullptr);
    if (name != nullptr) QTest::keyClicks(name, "fake emulator");
    static_cast<QDialog*>(files)->accept();  // the dialog's Open
    return true;
  });
  user.Then("the pick is shown, then Cancel", [&] {
    auto* dialog = ScriptedUser::ActiveModal<CSettingsDlg>();
    if (dialog == nullptr) return false;
    EXPECT_EQ(static_cast<QLineEdit*>(dialog->control(kIdEmulatorLocation))->text(), emulatorPath);
    static_cast<QPushButton*>(dialog->control(kIdDialogCancel))->click();
    return true;
  });
  user.Then("Cancel left the profile alone; Settings again", [&] {
    if (QApplication::activeModalWidget() != nullptr) return false;
    EXPECT_EQ(ReadAllBytes(profile.filePath()), storedBytes);
    Command(kCmdSettings);
    return true;
  });
  user.Then("clear the location, OK", [] {
    auto* dialog = ScriptedUser::ActiveModal<CSettingsDlg>();
    if (dialog == nullptr) return false;
    auto* edit = static_cast<QLineEdit*>(dialog->control(kIdEmulatorLocation));
    EXPECT_EQ(edit->text(), "/opt/old emulator");
    edit->clear();
    QTest::keyClick(edit, Qt::Key_Return);  // the default button, OK
    return true;
  });
  user.Then("an empty location is stored; Start SlideShow", [&] {
    if (QApplication::activeModalWidget() != nullptr) return false;
    EXPECT_EQ(profile.ReadString("Main", "Emulator", "absent"), "");
    Command(kCmdStartSlideShow);
    return true;
  });
  user.Then("the message says where to set the emulator", [] {
    auto* box = ScriptedUser::ActiveModal<QMessageBox>();
    if (box == nullptr) return false;
    EXPECT_EQ(box->text(),
              "Before trying to see your SlideShow,\nplease specify the location of your "
              "Gameboy Advance Emulator\n\n(Under the menu \"File->Settings\")");
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->windowTitle(), "app_tests");
    box->accept();
    Command(kCmdSettings);
    return true;
  });
  user.Then("type the emulator's location, OK", [&] {
    auto* dialog = ScriptedUser::ActiveModal<CSettingsDlg>();
    if (dialog == nullptr) return false;
    auto* edit = static_cast<QLineEdit*>(dialog->control(kIdEmulatorLocation));
    EXPECT_EQ(edit->text(), "");
    QTest::keyClicks(edit, emulatorPath);
    static_cast<QPushButton*>(dialog->control(kIdDialogOk))->click();
    return true;
  });
  user.Then("Start SlideShow", [&] {
    if (QApplication::activeModalWidget() != nullptr) return false;
    EXPECT_EQ(profile.ReadString("Main", "Emulator", ""), emulator.path());
    Command(kCmdStartSlideShow);
    return true;
  });
  user.Then("the emulator runs on the image; About", [&] {
    const auto call = emulator.WaitForCall();
    EXPECT_TRUE(call);
    if (call) {
      EXPECT_EQ(*call, (std::vector<std::string>{emulator.path(), "-f",
                                                 work.workDirectory() + "slide.gba"}));
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    Command(kCmdAbout);
    return true;
  });
  user.Then("the About box, closed", [] {
    auto* about = ScriptedUser::ActiveModal<CAboutDlg>();
    if (about == nullptr) return false;
    EXPECT_EQ(about->windowTitle(), "About Varnel");
    EXPECT_FALSE(static_cast<QLabel*>(about->controlAt(0))->pixmap().isNull());
    EXPECT_EQ(LabelText(*about, 1), "Varnel Version 1.3");
    EXPECT_EQ(LabelText(*about, 3),
              "SlideShow Editor aimed for the Gameboy Advance Console. Simply add your pictures "
              "and click \"SlideShow->Build\".");
    EXPECT_EQ(static_cast<QLabel*>(about->controlAt(4))->pixmap().size(), QSize(240, 160));
    auto* close = static_cast<QPushButton*>(about->control(kIdDialogOk));
    EXPECT_EQ(close->text(), "Close");
    close->click();
    return true;
  });
  user.Then("Quit", [&] {
    if (QApplication::activeModalWidget() != nullptr) return false;
    finalBytes = ReadAllBytes(profile.filePath());
    Command(kCmdQuit);
    return true;
  });

  user.Start([] { Command(kCmdQuit); });
  EXPECT_FALSE(App().InitInstance());
  EXPECT_TRUE(user.finished());
  EXPECT_EQ(user.stuckAt(), "");
  EXPECT_EQ(App().mainWindow(), nullptr);
  // Nothing is written on the way out.
  EXPECT_EQ(ReadAllBytes(profile.filePath()), finalBytes);
}

TEST_F(ApplicationTest, AnEmulatorFoundIsSuggestedBySettingsAndOfferedByStartSlideShow) {
  const FakeEmulator emulator(emulators.file("emu dir/mgba-qt"));
  const QString emulatorPath = QString::fromStdString(emulator.path());
  App().SetEmulatorSearchPlaces({{emulators.file("emu dir")}, {}});
  const IniProfile profile = IniProfile::ForApplication();

  user.Then("the main window", [] {
    MainWindow* window = App().mainWindow();
    if (window == nullptr || !window->isVisible()) return false;
    Command(kCmdSettings);
    return true;
  });
  user.Then("Settings suggests the emulator found, ready to be typed over; Cancel", [&] {
    auto* dialog = ScriptedUser::ActiveModal<CSettingsDlg>();
    if (dialog == nullptr) return false;
    auto* edit = static_cast<QLineEdit*>(dialog->control(kIdEmulatorLocation));
    EXPECT_EQ(edit->text(), emulatorPath);
    EXPECT_EQ(edit->selectedText(), emulatorPath);
    EXPECT_EQ(LabelText(*dialog, 5), "Found on this computer.");
    static_cast<QPushButton*>(dialog->control(kIdDialogCancel))->click();
    return true;
  });
  user.Then("nothing stored; Start SlideShow", [&] {
    if (QApplication::activeModalWidget() != nullptr) return false;
    EXPECT_EQ(profile.ReadString("Main", "Emulator", "absent"), "absent");
    Command(kCmdStartSlideShow);
    return true;
  });
  user.Then("asked whether to use it; Yes", [&] {
    auto* box = ScriptedUser::ActiveModal<QMessageBox>();
    if (box == nullptr) return false;
    EXPECT_EQ(box->text(), "No Gameboy Advance Emulator is set, but Varnel found this one:\n" +
                               emulatorPath +
                               "\n\nStart the SlideShow in it? It is kept under the menu "
                               "\"File->Settings\".");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
    box->button(QMessageBox::Yes)->click();
    return true;
  });
  user.Then("mGBA runs full screen on the image, and is kept", [&] {
    const auto call = emulator.WaitForCall();
    EXPECT_TRUE(call);
    if (call) {
      EXPECT_EQ(*call, (std::vector<std::string>{emulator.path(), "-f",
                                                 work.workDirectory() + "slide.gba"}));
    }
    EXPECT_EQ(profile.ReadString("Main", "Emulator", ""), emulator.path());
    Command(kCmdQuit);
    return true;
  });
  user.Start([] { Command(kCmdQuit); });
  EXPECT_FALSE(App().InitInstance());
  EXPECT_EQ(user.stuckAt(), "");
}

// The one player window, once Play has opened it.
PlayerWindow* Player() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* player = dynamic_cast<PlayerWindow*>(widget)) return player;
  }
  return nullptr;
}

// Whether a window's centre is the editor's, give or take rounding.
bool CentredOverEditor(const QWidget& window) {
  const QPoint offset =
      window.frameGeometry().center() - App().mainWindow()->frameGeometry().center();
  return offset.manhattanLength() <= 2;
}

TEST_F(ApplicationTest, ThePlayerAndItsScreenshotDialogOpenOverTheEditorAndKeepTheirSize) {
  if (InstalledTemplatePath().empty()) GTEST_SKIP() << "the viewer is not built";
  const std::string shot = work.file(std::string(3, 'd') + "/" + std::string(150, 's') + ".png");
  std::filesystem::create_directories(work.file("ddd"));
  // A show of one picture, opened at start-up: Play has something to play.
  const std::vector<StoredPicture> pictures = {
      {std::string(VARNEL_TEST_DATA_DIR) + "/picture.gif", "", 0, 0}};
  testing::WriteAllBytes(work.file("show.vrn"),
                         testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), pictures));
  App().SetStartProject(work.file("show.vrn"));
  QSize playerSize;
  user.Then("the main window, moved away from the screen's centre; Play", [] {
    MainWindow* window = App().mainWindow();
    if (window == nullptr || !window->isVisible() ||
        window->windowTitle() != QStringLiteral("Varnel 1.3 (show.vrn)[*]"))
      return false;
    window->move(window->pos() + QPoint(37, 23));
    Command(kCmdPlay);
    return true;
  });
  user.Then("the player opens centred over the editor; Save Screenshot", [&] {
    PlayerWindow* player = Player();
    if (player == nullptr || !player->isVisible()) return false;
    EXPECT_TRUE(CentredOverEditor(*player));
    player->SetPaused(true);
    playerSize = player->size();
    auto* save = player->findChild<QPushButton*>(QStringLiteral("screenshot"));
    EXPECT_NE(save, nullptr);
    if (save != nullptr) ScriptedUser::Later([save] { save->click(); });
    return true;
  });
  user.Then("the dialog opens centred over the editor; save under a long name", [&] {
    auto* files = ScriptedUser::ActiveModal<QFileDialog>();
    if (files == nullptr) return false;
    EXPECT_TRUE(CentredOverEditor(*files));
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    EXPECT_NE(name, nullptr);
    if (name != nullptr) name->setText(QString::fromStdString(shot));
    static_cast<QDialog*>(files)->accept();  // the dialog's Save
    return true;
  });
  user.Then("the player kept its size; Quit", [&] {
    if (QApplication::activeModalWidget() != nullptr) return false;
    PlayerWindow* player = Player();
    EXPECT_TRUE(std::filesystem::exists(shot)) << player->statusText().toStdString();
    EXPECT_TRUE(player->statusText().startsWith(QStringLiteral("Saved ")))
        << player->statusText().toStdString();
    QApplication::processEvents();
    EXPECT_EQ(player->size(), playerSize);
    Command(kCmdQuit);
    return true;
  });
  user.Start([] { Command(kCmdQuit); });
  EXPECT_FALSE(App().InitInstance());
  App().SetStartProject({});
  EXPECT_EQ(user.stuckAt(), "");
}

TEST_F(ApplicationTest, StartUpReadsTheStoredLocationAndOkWritesItAgainWhole) {
  // Longer than any box's usual typing limit.
  const std::string stored = "/opt/" + std::string(40000, 'e');
  const IniProfile profile = IniProfile::ForApplication();
  profile.WriteString("Main", "Emulator", stored);
  user.Then("the main window", [&] {
    MainWindow* window = App().mainWindow();
    if (window == nullptr || !window->isVisible()) return false;
    EXPECT_FALSE(window->windowIcon().isNull());
    // Read at start-up: gone from the disk now, the location still shows in Settings.
    std::filesystem::remove(profile.filePath());
    Command(kCmdSettings);
    return true;
  });
  user.Then("Settings, OK without a change", [&] {
    auto* dialog = ScriptedUser::ActiveModal<CSettingsDlg>();
    if (dialog == nullptr) return false;
    static_cast<QPushButton*>(dialog->control(kIdDialogOk))->click();
    Command(kCmdQuit);
    return true;
  });
  user.Start([] { Command(kCmdQuit); });
  EXPECT_FALSE(App().InitInstance());
  EXPECT_EQ(user.stuckAt(), "");
  EXPECT_EQ(profile.ReadString("Main", "Emulator", "absent"), stored);
  EXPECT_EQ(QApplication::applicationName(), "app_tests");
}

}  // namespace
}  // namespace varnel
