// Ctrl-C and SIGTERM end the editor cleanly, also while it asks a question, and the
// process ends with the status shells give a program ended by that signal.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QMessageBox>
#include <QTest>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "app/qt/slideshow_app.h"
#include "tests/app/config_home.h"
#include "tests/app/scripted_user.h"
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

TEST(TerminationTest, SigtermWhileTheQuestionIsOpenEndsWithoutAnAnswer) {
  ConfigHome home;
  TempDir work;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(work.path());
  ScriptedUser user;
  user.Then("the main window, changed", [] {
    MainWindow* window = App().mainWindow();
    if (window == nullptr || !window->isVisible()) return false;
    QTest::mouseClick(window->control(kIdHelpScreen), Qt::LeftButton);
    ScriptedUser::Later([] { App().mainWindow()->commandAction(kCmdQuit)->trigger(); });
    return true;
  });
  user.Then("the question", [] {
    auto* box = ScriptedUser::ActiveModal<QMessageBox>();
    if (box == nullptr) return false;
    EXPECT_EQ(box->text(), "Save changes to New SlideShow?");
    std::raise(SIGTERM);
    return true;
  });
  user.Start([] { std::raise(SIGTERM); });
  EXPECT_FALSE(App().InitInstance());
  std::filesystem::current_path(previous);
  EXPECT_EQ(user.stuckAt(), "");
  EXPECT_EQ(App().endingSignal(), SIGTERM);
  EXPECT_EQ(App().ExitStatus(), 143);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Whether the process has put a handler of its own on the signal yet.
bool Catches(pid_t pid, int signal) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("SigCgt:", 0) == 0) {
      const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
      return (mask >> (signal - 1)) & 1u;
    }
  }
  return false;
}

// Runs the editor, sends it the signal once it listens for it, and gives its wait status.
int StatusAfterSignal(int signal) {
  TempDir work;
  ConfigHome home;
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(work.path().c_str()) != 0) _exit(127);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    execl(VARNEL_EDITOR_PATH, VARNEL_EDITOR_PATH, static_cast<char*>(nullptr));
    _exit(127);
  }
  // A guard against an editor that never starts listening, not a measure of speed.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!Catches(pid, signal) && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid, signal);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > giveUp) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return status;
}

TEST(TerminationTest, TheEditorEndsOnSigtermAndCtrlCWithTheShellsStatus) {
  int status = StatusAfterSignal(SIGTERM);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 143);
  status = StatusAfterSignal(SIGINT);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 130);
}

}  // namespace
}  // namespace varnel
