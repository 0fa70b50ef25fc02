#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <memory>
#include <string>

namespace varnel {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
// A loaded picture; freed when the pointer goes.
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// IMG_Load of a path; empty when the picture does not load.
inline SurfacePtr LoadPicture(const std::string& path) {
  SDL_ClearError();  // so a failure reports its own cause, not an older one
  return SurfacePtr(IMG_Load(path.c_str()));
}

// Why the last LoadPicture gave no picture, in the picture library's words where it has
// some: "the picture could not be loaded (...)".
inline std::string PictureLoadFailureReason() {
  const char* why = IMG_GetError();
  if (why == nullptr || *why == '\0') return "the picture could not be loaded";
  return std::string("the picture could not be loaded (") + why + ")";
}

// Holds a surface locked for pixel access for as long as it lives.
class SurfaceLock {
 public:
  explicit SurfaceLock(SDL_Surface* surface) : surface_(surface) {
    locked_ = SDL_LockSurface(surface_) == 0;
  }
  ~SurfaceLock() {
    if (locked_) SDL_UnlockSurface(surface_);
  }
  SurfaceLock(const SurfaceLock&) = delete;
  SurfaceLock& operator=(const SurfaceLock&) = delete;
  bool locked() const { return locked_; }

 private:
  SDL_Surface* surface_;
  bool locked_ = false;
};

}  // namespace varnel
