#include "files/replacement_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>

#include "files/partial_files.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using testing::ReadAllBytes;
using testing::TempDir;

std::vector<std::string> NamesIn(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void Replace(const std::string& target, const std::string& text) {
  ReplacementFile out(target);
  out.file().Write(text.data(), text.size());
  out.Commit();
}

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

// A process id that no process has any more: a child that has ended and been waited for.
pid_t EndedProcessId() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return child;
}

// Writes files of names from 239 to 255 bytes, each twice; true when each holds what was
// written last and nothing else is in the folder.
bool WritesLongNames(const TempDir& dir) {
  bool right = true;
  for (const std::size_t length : {239u, 240u, 250u, 255u}) {
    const std::string name = std::string(length - 4, 'n') + ".gba";
    Replace(dir.file(name), "new");
    right = right && ReadAllBytes(dir.file(name)) == Bytes("new");
    Replace(dir.file(name), "newer");  // over a file of that name
    right = right && ReadAllBytes(dir.file(name)) == Bytes("newer");
  }
  return right && NamesIn(dir).size() == 4;
}

// Runs `body` in a child process that sees no /proc, as on a system where the new file
// cannot be linked in unnamed and gets a name of its own: its exit status, or nothing
// when this system cannot hide /proc from a process.
std::optional<int> InChildWithoutProc(const std::function<bool()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("none", "/proc", "tmpfs", 0, "size=4k") != 0)
      ::_exit(77);
    ::_exit(::access("/proc/self", F_OK) != 0 && body() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 77) return std::nullopt;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ReplacementFile, NamesUpToTheLongestLegalOneAreWritten) {
  TempDir dir;
  EXPECT_TRUE(WritesLongNames(dir));

  TempDir named;
  const std::optional<int> status = InChildWithoutProc([&named] { return WritesLongNames(named); });
  if (!status) GTEST_SKIP() << "no mount namespace here to try new files with names";
  EXPECT_EQ(*status, 0);
}

TEST(ReplacementFile, ALinkIsFollowedToTheFileItNamesEvenBeforeThatFileExists) {
  TempDir dir;
  fs::create_directory(dir.file("shows"));
  fs::create_symlink("shows/later.gba", dir.file("dangling.gba"));
  fs::create_symlink("dangling.gba", dir.file("two-hops.gba"));
  Replace(dir.file("two-hops.gba"), "show");
  EXPECT_TRUE(fs::is_symlink(dir.file("dangling.gba")));
  EXPECT_TRUE(fs::is_symlink(dir.file("two-hops.gba")));
  EXPECT_EQ(ReadAllBytes(dir.file("shows/later.gba")), Bytes("show"));

  // A link to a file that exists: the same.
  Replace(dir.file("dangling.gba"), "again");
  EXPECT_TRUE(fs::is_symlink(dir.file("dangling.gba")));
  EXPECT_EQ(ReadAllBytes(dir.file("shows/later.gba")), Bytes("again"));

  // Links that go round in a circle are refused, and stay.
  fs::create_symlink("loop-b", dir.file("loop-a"));
  fs::create_symlink("loop-a", dir.file("loop-b"));
  try {
    Replace(dir.file("loop-a"), "x");
    FAIL() << "a loop of links was written through";
  } catch (const FileError& error) {
    EXPECT_TRUE(testing::Mentions(error.what(), "loop-a")) << error.what();
  }
  EXPECT_TRUE(fs::is_symlink(dir.file("loop-a")));
}

TEST(ReplacementFile, ThePartialFilesOfEndedProcessesGoWithTheNextWriteIntoTheirFolder) {
  TempDir dir;
  const std::string ended = std::to_string(EndedProcessId());
  const std::string living = std::to_string(::getppid());
  const std::vector<std::string> leftovers = {
      ".slide.gba.partial-" + ended + "-0",
      ".varnel.partial-" + ended + "-12",
  };
  const std::vector<std::string> kept = {
      ".slide.gba.partial-" + living + "-0",  // its process still runs
      ".locked.gba.partial-" + ended + "-1",  // its writer holds the lock
      ".notes.partial-" + ended,              // not a name of ours
      "slide.gba.partial-" + ended + "-0",    // not hidden
      ".holiday.partial-" + ended + "-x",     // not a name of ours
  };
  for (const std::string& name : leftovers) testing::WriteAllBytes(dir.file(name), {1});
  for (const std::string& name : kept) testing::WriteAllBytes(dir.file(name), {2});
  const int locked = ::open(dir.file(kept[1]).c_str(), O_RDONLY);
  ASSERT_EQ(::flock(locked, LOCK_EX), 0);

  Replace(dir.file("other.gba"), "show");
  ::close(locked);
  std::vector<std::string> expected = kept;
  expected.push_back("other.gba");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(NamesIn(dir), expected);
}

}  // namespace
}  // namespace varnel
