// Loads every picture named on the command line with IMG_Load and lets it go, one after
// the other: the yardstick a whole-process build is measured against.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>

int main(int argc, char** argv) {
  int failed = 0;
  for (int i = 1; i < argc; ++i) {
    SDL_Surface* picture = IMG_Load(argv[i]);
    if (picture == nullptr) {
      std::fprintf(stderr, "load_pictures_only: cannot load %s\n", argv[i]);
      ++failed;
      continue;
    }
    SDL_FreeSurface(picture);
  }
  return failed == 0 ? 0 : 1;
}
