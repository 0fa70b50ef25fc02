#include "tests/cli/builder_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace varnel::testing {

namespace {

constexpr int kRunLimitSeconds = 60;
constexpr int kTimedOut = 124;  // timeout(1)'s status for a command it had to end

}  // namespace

ScratchShow::ScratchShow()
    : a(WriteBmp24(dir.file("a.bmp"), 64, 40,
                   [](int x, int) {
                     return Rgb{uint8_t(x * 4), 0, 0};
                   })),
      b(WriteBmp24(dir.file("b.bmp"), 300, 200, [](int, int y) {
        return Rgb{0, uint8_t(y), 0};
      })) {
  WriteAllBytes(dir.file("Src.res"), FakeViewerProgram(3000, 0x11));
}

RunResult RunBuilder(const TempDir& workDirectory, const std::vector<std::string>& arguments,
                     const std::string& shellPrefix) {
  std::string command = "cd " + ShellQuote(workDirectory.path().string()) + " && ";
  if (!shellPrefix.empty()) command += shellPrefix + "; ";
  command += "exec timeout " + std::to_string(kRunLimitSeconds) + " " +
             ShellQuote(VARNEL_BUILD_EXECUTABLE);
  for (const std::string& argument : arguments) command += " " + ShellQuote(argument);
  RunResult run = RunShellCommand(command);
  if (run.status == kTimedOut) run.status = -1;
  return run;
}

RunResult RunBuilderWithOutputTo(const TempDir& workDirectory,
                                 const std::vector<std::string>& arguments,
                                 const std::string& standardOutput) {
  // In a subshell, so that standard error alone reaches the result.
  std::string command = "(cd " + ShellQuote(workDirectory.path().string()) + " && exec timeout " +
                        std::to_string(kRunLimitSeconds) + " " +
                        ShellQuote(VARNEL_BUILD_EXECUTABLE);
  for (const std::string& argument : arguments) command += " " + ShellQuote(argument);
  command += " 2>&1 >" + ShellQuote(standardOutput) + ")";
  RunResult run = RunShellCommand(command);
  if (run.status == kTimedOut) run.status = -1;
  return run;
}

pid_t StartBuilder(const TempDir& workDirectory, const std::vector<std::string>& arguments,
                   const std::string& outputFile) {
  std::vector<std::string> argv = {VARNEL_BUILD_EXECUTABLE};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> pointers;
  for (std::string& argument : argv) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  const std::string directory = workDirectory.path().string();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int nowhere = outputFile.empty()
                            ? ::open("/dev/null", O_WRONLY)
                            : ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(nowhere, STDOUT_FILENO);
    ::dup2(nowhere, STDERR_FILENO);
    if (::chdir(directory.c_str()) != 0) ::_exit(127);
    ::execv(pointers[0], pointers.data());
    ::_exit(127);
  }
  return pid;
}

int WaitForBuilder(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

std::vector<std::string> FileNamesIn(const TempDir& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace varnel::testing
