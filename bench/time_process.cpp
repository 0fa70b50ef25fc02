// Runs a command and appends to FILE, on one line, its wall time, user and system CPU time
// in seconds (to the microsecond the kernel accounts) and its peak memory in KiB: "wall
// user system peak". What bench/build-vs-load.sh measures each process with; the
// command's own output goes where this program's goes. The exit status is the command's.
//
//   time_process FILE COMMAND [ARGUMENT...]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

double Seconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: time_process FILE COMMAND [ARGUMENT...]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child < 0) {
    std::perror("time_process: fork");
    return 2;
  }
  if (child == 0) {
    execvp(argv[2], argv + 2);
    std::perror("time_process: exec");
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) < 0) {
    std::perror("time_process: wait");
    return 2;
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::FILE* figures = std::fopen(argv[1], "a");
  if (figures == nullptr) {
    std::perror("time_process: figures file");
    return 2;
  }
  std::fprintf(figures, "%.6f %.6f %.6f %ld\n", wall, Seconds(usage.ru_utime),
               Seconds(usage.ru_stime), usage.ru_maxrss);
  std::fclose(figures);
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}
