#include "project/save_command.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "project/project_file_name.h"
#include "tests/project/fake_project_host.h"
#include "tests/project/hand_written_files.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::Bytes;
using testing::FakeProjectHost;
using testing::TempDir;

using testing::Mentions;

std::size_t FilesIn(const std::filesystem::path& directory) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) ++count;
  return count;
}

// Runs a save in a child process as someone who may write the file but not its folder:
// as root the child takes the identity of "nobody" (root may write anywhere), otherwise
// the folder is made read-only. A file size limit, when given, fills the disk. The
// messages the save showed, one after the other; empty when it showed none.
std::string SaveWithoutWritingTheFolder(const TempDir& dir, FakeProjectHost& host,
                                        rlim_t fileSizeLimit = RLIM_INFINITY) {
  constexpr uid_t kNobody = 65534;
  const bool root = ::geteuid() == 0;
  ::chmod(dir.path().c_str(), root ? 0755 : 0555);
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    if (root && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(2);
    std::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit = {fileSizeLimit, fileSizeLimit};
    if (fileSizeLimit != RLIM_INFINITY && ::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(2);
    RunSaveCommand(host);
    std::string said;
    for (const auto& message : host.messages) said += message.second + "\n";
    if (::write(pipeEnds[1], said.data(), said.size()) != static_cast<ssize_t>(said.size()))
      ::_exit(2);
    ::_exit(0);
  }
  ::close(pipeEnds[1]);
  std::string said;
  char buffer[4096];
  for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
    said.append(buffer, got);
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::chmod(dir.path().c_str(), 0755);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the save's process failed";
  return said;
}

PictureEntry Row(const std::string& path) {
  return {"", "(08) FadeOut", "(02) Resized Only (240x160)", "", path, ""};
}

TEST(SaveCommand, WritesTheShowStepsProgressAndNamesTheFileInTheCaption) {
  TempDir dir;
  FakeProjectHost host;
  host.rows = {Row("C:\\Pics\\a.bmp")};
  host.saveName = dir.file("show.vrn");
  RunSaveCommand(host);

  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(testing::ReadAllBytes(host.saveName),
            testing::Cat({testing::NewShowHeader(1),
                          testing::Zeros(2500),
                          {'C', ':', '\\', 'P', 'i', 'c', 's', '\\', 'a', '.', 'b', 'm', 'p', 0x00,
                           0x00, 0x02, 0x00, 0x08, 0x00},
                          testing::RecordTail()}));
  EXPECT_EQ(host.range, 2);
  EXPECT_EQ(host.position, 2);
  EXPECT_EQ(host.caption, "Varnel 1.3 (show.vrn)");
  EXPECT_EQ(FilesIn(dir.path()), 1u);  // nothing left beside it

  // Cancelling the dialog changes nothing.
  FakeProjectHost cancelled;
  RunSaveCommand(cancelled);
  EXPECT_EQ(cancelled.caption, "Varnel 1.3 (New SlideShow)");
  EXPECT_EQ(cancelled.range, -1);
  EXPECT_TRUE(cancelled.messages.empty());
}

TEST(SaveCommand, ReplacesAnExistingFileWholeKeepingItsAccessRights) {
  TempDir dir;
  const std::string path = dir.file("show.vrn");
  testing::WriteAllBytes(path, Bytes(5000, 0xAA));
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  FakeProjectHost host;
  host.saveName = path;
  RunSaveCommand(host);
  EXPECT_EQ(testing::ReadAllBytes(path), testing::EmptyNewShowFile());
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(FilesIn(dir.path()), 1u);

  // Through a symbolic link the link stays and its file is replaced.
  const std::string link = dir.file("link.vrn");
  std::filesystem::create_symlink(path, link);
  host.rows = {Row("a.bmp")};
  host.saveName = link;
  RunSaveCommand(host);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(testing::ReadAllBytes(path).size(), 2519u + 131u);
  EXPECT_EQ(host.caption, "Varnel 1.3 (link.vrn)");
}

TEST(SaveCommand, AFailedSaveLeavesTheOldFileAndSaysWhichFileAndWhy) {
  TempDir dir;
  const std::string old = dir.file("old.vrn");
  const Bytes oldBytes = testing::EveryOptionOnFile();
  testing::WriteAllBytes(old, oldBytes);

  // A full disk.
  FakeProjectHost full;
  full.saveName = "/dev/full";
  RunSaveCommand(full);
  ASSERT_EQ(full.messages.size(), 1u);
  EXPECT_EQ(full.messages[0].first, MessageIcon::kError);
  EXPECT_TRUE(Mentions(full.messages[0].second, "/dev/full")) << full.messages[0].second;
  EXPECT_TRUE(Mentions(full.messages[0].second, "No space left on device"));
  EXPECT_EQ(full.caption, "Varnel 1.3 (New SlideShow)");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));

  // A disk that fills up part way through, with a good file in the way: the file size
  // limit makes the write fail as a full disk would.
  {
    FakeProjectHost filling;
    filling.rows.assign(20, Row(std::string(200, 'p')));
    filling.saveName = old;
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    RunSaveCommand(filling);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_EQ(filling.messages.size(), 1u);
    EXPECT_TRUE(Mentions(filling.messages[0].second, old)) << filling.messages[0].second;
    EXPECT_TRUE(Mentions(filling.messages[0].second, "File too large"));
    EXPECT_EQ(testing::ReadAllBytes(old), oldBytes);
    EXPECT_EQ(FilesIn(dir.path()), 1u);
    EXPECT_EQ(filling.caption, "Varnel 1.3 (New SlideShow)");
  }

  // A folder where the file should be, and a folder that does not exist.
  std::filesystem::create_directory(dir.file("folder.vrn"));
  testing::WriteAllBytes(dir.file("folder.vrn") + "/inside", oldBytes);
  FakeProjectHost folder;
  folder.saveName = dir.file("folder.vrn");
  RunSaveCommand(folder);
  ASSERT_EQ(folder.messages.size(), 1u);
  EXPECT_TRUE(Mentions(folder.messages[0].second, folder.saveName));
  EXPECT_TRUE(Mentions(folder.messages[0].second, "Is a directory"));
  EXPECT_EQ(testing::ReadAllBytes(dir.file("folder.vrn") + "/inside"), oldBytes);

  FakeProjectHost nowhere;
  nowhere.saveName = dir.file("missing/show.vrn");
  RunSaveCommand(nowhere);
  ASSERT_EQ(nowhere.messages.size(), 1u);
  EXPECT_TRUE(Mentions(nowhere.messages[0].second, nowhere.saveName));
  EXPECT_TRUE(Mentions(nowhere.messages[0].second, "No such file or directory"));
  EXPECT_EQ(FilesIn(dir.path()), 2u);
}

TEST(SaveCommand, AFolderThatTakesNoNewFileIsSavedIntoInPlace) {
  TempDir dir;
  const std::string path = dir.file("show.vrn");
  testing::WriteAllBytes(path, Bytes(5000, 0xAA));
  ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
  FakeProjectHost host;
  host.saveName = path;
  EXPECT_EQ(SaveWithoutWritingTheFolder(dir, host), "");
  EXPECT_EQ(testing::ReadAllBytes(path), testing::EmptyNewShowFile());
  EXPECT_EQ(FilesIn(dir.path()), 1u);

  // A longer show over a shorter file, and a shorter show over a longer one.
  host.rows.assign(27, Row(std::string(20, 'p')));
  EXPECT_EQ(SaveWithoutWritingTheFolder(dir, host), "");
  EXPECT_EQ(testing::ReadAllBytes(path).size(), 2519u + 27u * (20u + 126u));
  host.rows.resize(1);
  EXPECT_EQ(SaveWithoutWritingTheFolder(dir, host), "");
  const Bytes onePicture = testing::ReadAllBytes(path);
  EXPECT_EQ(onePicture.size(), 2519u + 20u + 126u);

  // A disk too full for the longer show: the old file stays whole, and the message says
  // just that.
  host.rows.assign(27, Row(std::string(20, 'p')));
  const std::string said = SaveWithoutWritingTheFolder(dir, host, 4096);
  EXPECT_TRUE(Mentions(said, "File too large")) << said;
  EXPECT_TRUE(Mentions(said, "a file already there was left as it was")) << said;
  EXPECT_EQ(testing::ReadAllBytes(path), onePicture);
  EXPECT_EQ(FilesIn(dir.path()), 1u);

  // A file that may not be written either stays as it was.
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  host.rows = {Row("a.bmp")};
  EXPECT_TRUE(Mentions(SaveWithoutWritingTheFolder(dir, host), "Permission denied"));
  EXPECT_EQ(testing::ReadAllBytes(path), onePicture);
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(SaveCommand, RefusesMoreRowsThanTheFileCanCount) {
  FakeProjectHost host;
  host.rows.assign(0x10000, Row("a.bmp"));
  host.saveName = "/dev/null";
  RunSaveCommand(host);
  EXPECT_EQ(host.saveDialogs, 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_TRUE(Mentions(host.messages[0].second, "65536"));
  EXPECT_TRUE(Mentions(host.messages[0].second, "65535"));
}

TEST(ProjectFileName, AddsTheExtensionOnlyWhenTheNameHasNone) {
  EXPECT_EQ(WithProjectExtension("/home/u/show"), "/home/u/show.vrn");
  EXPECT_EQ(WithProjectExtension("/home/u/show."), "/home/u/show.vrn");
  EXPECT_EQ(WithProjectExtension("/home/u/show.vrn"), "/home/u/show.vrn");
  EXPECT_EQ(WithProjectExtension("/home/u/show.txt"), "/home/u/show.txt");
  EXPECT_EQ(WithProjectExtension("/home/u.d/show"), "/home/u.d/show.vrn");
  EXPECT_EQ(WithProjectExtension("C:\\My.Shows\\show"), "C:\\My.Shows\\show.vrn");
  EXPECT_EQ(ProjectWindowCaption("Varnel 1.3", "/home/u/myshow.vrn"), "Varnel 1.3 (myshow.vrn)");
  EXPECT_EQ(ProjectWindowCaption("Varnel 1.3", "myshow.vrn"), "Varnel 1.3 (myshow.vrn)");
}

}  // namespace
}  // namespace varnel
