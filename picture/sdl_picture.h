#pragma once

#include <SDL.h>

#include <memory>

namespace varnel {

struct SurfaceDeleter {
  // The memory the surface's pixels lie in when the surface does not own them: pixels a
  // decoder process wrote into memory it shares with this one. Let go with the surface.
  std::shared_ptr<const void> pixelMemory;

  void operator()(SDL_Surface* surface) {
    SDL_FreeSurface(surface);
    pixelMemory.reset();
  }
};
// A picture surface; freed when the pointer goes (or is reset), together with the memory
// its pixels lie in.
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
