#include "tests/cli/builder_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

namespace varnel::testing {

namespace {

constexpr int kRunLimitSeconds = 60;
constexpr int kTimedOut = 124;  // timeout(1)'s status for a command it had to end

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

RunResult RunBuilder(const TempDir& workDirectory, const std::vector<std::string>& arguments,
                     const std::string& shellPrefix) {
  std::string command = "cd " + Quote(workDirectory.path().string()) + " && ";
  if (!shellPrefix.empty()) command += shellPrefix + "; ";
  command +=
      "exec timeout " + std::to_string(kRunLimitSeconds) + " " + Quote(VARNEL_BUILD_EXECUTABLE);
  for (const std::string& argument : arguments) command += " " + Quote(argument);
  command += " 2>&1";
  RunResult run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  std::size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    run.output.append(buffer.data(), got);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (run.status == kTimedOut) run.status = -1;
  return run;
}

pid_t StartBuilder(const TempDir& workDirectory, const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {VARNEL_BUILD_EXECUTABLE};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> pointers;
  for (std::string& argument : argv) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  const std::string directory = workDirectory.path().string();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int nowhere = ::open("/dev/null", O_WRONLY);
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
