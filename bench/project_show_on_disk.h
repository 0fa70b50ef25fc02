#pragma once

// 1000 small pictures and a project file naming them, made once for a benchmark and
// removed at the end: the show that the project benchmarks load and save.

#include <filesystem>
#include <string>
#include <vector>

namespace varnel::bench {

inline constexpr int kProjectRows = 1000;

class ProjectShowOnDisk {
 public:
  ProjectShowOnDisk();
  ~ProjectShowOnDisk();
  ProjectShowOnDisk(const ProjectShowOnDisk&) = delete;
  ProjectShowOnDisk& operator=(const ProjectShowOnDisk&) = delete;

  const std::filesystem::path& directory() const { return directory_; }
  const std::vector<std::string>& paths() const { return paths_; }
  const std::string& project() const { return project_; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::filesystem::path directory_;
  std::vector<std::string> paths_;
  std::string project_;
  std::vector<uint8_t> bytes_;
};

}  // namespace varnel::bench
