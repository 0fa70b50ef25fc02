// The decoder's own SDL_CreateRGBSurface. Every surface the picture library makes while it
// decodes (it reaches SDL through the dynamic linker, which finds this definition in the
// executable first) and every surface the mending steps make come here: the first one
// made while the pixel arena is armed gets its pixel rows in the arena, memory shared with
// the program, instead of the heap; the first one made while the scanline sink takes a
// decode's rows gets rows that are never written. Everything else about the surface is
// SDL's own work.
#include <SDL.h>
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>

#include "picture/pixel_arena.h"
#include "picture/scanline_sink.h"

namespace {

using CreateSurface = SDL_Surface* (*)(Uint32, int, int, int, Uint32, Uint32, Uint32, Uint32);

CreateSurface LibraryCreateSurface() {
  static const auto create =
      reinterpret_cast<CreateSurface>(::dlsym(RTLD_NEXT, "SDL_CreateRGBSurface"));
  return create;
}

// What SDL_CreateRGBSurface was asked for.
struct SurfaceAsked {
  Uint32 flags;
  int width;
  int height;
  int depth;
  Uint32 redMask, greenMask, blueMask, alphaMask;
};

SDL_Surface* LibrarySurface(const SurfaceAsked& a, int height) {
  return LibraryCreateSurface()(a.flags, a.width, height, a.depth, a.redMask, a.greenMask,
                                a.blueMask, a.alphaMask);
}

// SDL's surface with its pixel rows where rowsFor (given their bytes) puts them, or SDL's
// own surface when it gives none. One row from SDL gives the surface with its format and
// row length worked out.
template <class RowsFor>
SDL_Surface* SurfaceOverRows(const SurfaceAsked& asked, RowsFor rowsFor) {
  SDL_Surface* surface = LibrarySurface(asked, 1);
  if (surface == nullptr || surface->pixels == nullptr || (surface->flags & SDL_PREALLOC) != 0) {
    SDL_FreeSurface(surface);
    return LibrarySurface(asked, asked.height);
  }
  uint8_t* rows = rowsFor(std::size_t{surface->pitch} * static_cast<std::size_t>(asked.height));
  if (rows == nullptr) {
    SDL_FreeSurface(surface);
    return LibrarySurface(asked, asked.height);
  }
  std::free(surface->pixels);  // SDL's allocator is the C library's
  surface->pixels = rows;
  surface->h = asked.height;
  surface->flags |= SDL_PREALLOC;  // the rows are not SDL's to free
  SDL_SetClipRect(surface, nullptr);
  return surface;
}

// SDL clears the rows it allocates. Where the loader writes every pixel, only the bytes
// past each row's pixels are left to clear.
void ClearAsSdlDoes(SDL_Surface* surface, bool everyPixelWritten) {
  auto* rows = static_cast<uint8_t*>(surface->pixels);
  const std::size_t pitch = surface->pitch;
  const auto height = static_cast<std::size_t>(surface->h);
  const std::size_t pixelBytes =
      static_cast<std::size_t>(surface->w) * surface->format->BytesPerPixel;
  if (!everyPixelWritten || pixelBytes > pitch) {
    std::memset(rows, 0, pitch * height);
  } else if (pixelBytes < pitch) {
    for (std::size_t row = 0; row < height; ++row)
      std::memset(rows + row * pitch + pixelBytes, 0, pitch - pixelBytes);
  }
}

}  // namespace

extern "C" SDL_Surface* SDL_CreateRGBSurface(Uint32 flags, int width, int height, int depth,
                                             Uint32 redMask, Uint32 greenMask, Uint32 blueMask,
                                             Uint32 alphaMask) {
  const SurfaceAsked asked{flags, width, height, depth, redMask, greenMask, blueMask, alphaMask};
  if (width <= 0 || height <= 0) return LibrarySurface(asked, height);
  // The first surface of a decode whose rows go to the scanline sink gets rows that are
  // never written: address space only, which reads as 0 as SDL's cleared rows do.
  if (varnel::scanline_sink::ReservesRows())
    return SurfaceOverRows(asked, varnel::scanline_sink::ReserveRows);
  if (!varnel::pixel_arena::Armed()) return LibrarySurface(asked, height);
  const bool everyPixelWritten = varnel::pixel_arena::EveryPixelWillBeWritten();
  bool inArena = false;
  SDL_Surface* surface = SurfaceOverRows(asked, [&inArena](std::size_t bytes) {
    uint8_t* rows = varnel::pixel_arena::Take(bytes);
    inArena = rows != nullptr;
    return rows;
  });
  if (inArena) ClearAsSdlDoes(surface, everyPixelWritten);
  return surface;
}
