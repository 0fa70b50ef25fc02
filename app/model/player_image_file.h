#pragma once

#include <string>

namespace varnel {

// The image Play builds and the player plays: a file of this run's own, in a folder only
// the user can enter, made on first use below $XDG_RUNTIME_DIR (else the temporary
// folder) and removed with what it holds when the run ends. The work folder's slide.gba
// stays Build SlideShow's alone.
class PlayerImageFile {
 public:
  PlayerImageFile() = default;
  ~PlayerImageFile();
  PlayerImageFile(const PlayerImageFile&) = delete;
  PlayerImageFile& operator=(const PlayerImageFile&) = delete;

  // The file's path (it need not exist yet). Throws FileError when the folder cannot be
  // made.
  const std::string& Path();

 private:
  std::string folder_;
  std::string path_;
};

}  // namespace varnel
