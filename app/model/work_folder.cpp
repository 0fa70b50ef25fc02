#include "app/model/work_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace varnel {

namespace {

bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

}  // namespace

WorkFolderChoice ChooseWorkFolder(const std::filesystem::path& current,
                                  const std::filesystem::path& home, bool startedFromTerminal) {
  WorkFolderChoice choice;
  if (startedFromTerminal || home.empty()) return choice;
  if (!SameFolder(current, home) && !SameFolder(current, "/")) return choice;
  const std::filesystem::path own = home / kOwnWorkFolderName;
  std::error_code error;
  std::filesystem::create_directories(own, error);
  if (error || !std::filesystem::is_directory(own)) {
    choice.problem = "The folder " + own.string() + " could not be made (" +
                     (error ? error.message() : std::string("a file of that name is there")) +
                     "), so Varnel keeps its working files in " + current.string() + ".";
    return choice;
  }
  choice.folder = own;
  return choice;
}

std::string EnterWorkFolder() {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  if (error) return {};
  const char* home = std::getenv("HOME");
  const bool terminal = isatty(STDIN_FILENO) != 0;
  const WorkFolderChoice choice = ChooseWorkFolder(current, home == nullptr ? "" : home, terminal);
  if (choice.folder.empty()) return choice.problem;
  std::filesystem::current_path(choice.folder, error);
  if (error)
    return "Varnel could not change into " + choice.folder.string() + " (" + error.message() + ").";
  return {};
}

}  // namespace varnel
