#pragma once

#include <SDL.h>

#include <memory>

namespace varnel {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
// A picture surface; freed when the pointer goes.
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

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
