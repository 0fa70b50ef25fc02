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

// The first surface of a decode whose rows go to the scanline sink gets rows that are
// never written: address space only, which reads as 0 as SDL's cleared rows do.
SDL_Surface* ReservedSurface(CreateSurface create, Uint32 flags, int width, int height, int depth,
                             Uint32 redMask, Uint32 greenMask, Uint32 blueMask, Uint32 alphaMask) {
  SDL_Surface* surface = create(flags, width, 1, depth, redMask, greenMask, blueMask, alphaMask);
  if (surface == nullptr || surface->pixels == nullptr || (surface->flags & SDL_PREALLOC) != 0) {
    SDL_FreeSurface(surface);
    return create(flags, width, height, depth, redMask, greenMask, blueMask, alphaMask);
  }
  uint8_t* rows = varnel::scanline_sink::ReserveRows(std::size_t{surface->pitch} *
                                                     static_cast<std::size_t>(height));
  if (rows == nullptr) {
    SDL_FreeSurface(surface);
    return create(flags, width, height, depth, redMask, greenMask, blueMask, alphaMask);
  }
  std::free(surface->pixels);  // SDL's allocator is the C library's
  surface->pixels = rows;
  surface->h = height;
  surface->flags |= SDL_PREALLOC;  // the rows are the sink's to let go
  SDL_SetClipRect(surface, nullptr);
  return surface;
}

}  // namespace

extern "C" SDL_Surface* SDL_CreateRGBSurface(Uint32 flags, int width, int height, int depth,
                                             Uint32 redMask, Uint32 greenMask, Uint32 blueMask,
                                             Uint32 alphaMask) {
  const CreateSurface create = LibraryCreateSurface();
  if (width <= 0 || height <= 0)
    return create(flags, width, height, depth, redMask, greenMask, blueMask, alphaMask);
  if (varnel::scanline_sink::ReservesRows())
    return ReservedSurface(create, flags, width, height, depth, redMask, greenMask, blueMask,
                           alphaMask);
  if (!varnel::pixel_arena::Armed())
    return create(flags, width, height, depth, redMask, greenMask, blueMask, alphaMask);
  // One row from SDL gives the surface with its format and row length worked out.
  SDL_Surface* surface = create(flags, width, 1, depth, redMask, greenMask, blueMask, alphaMask);
  if (surface == nullptr || surface->pixels == nullptr || (surface->flags & SDL_PREALLOC) != 0) {
    SDL_FreeSurface(surface);
    return create(flags, width, height, depth, redMask, greenMask, blueMask, alphaMask);
  }
  const std::size_t bytes = std::size_t{surface->pitch} * static_cast<std::size_t>(height);
  const bool everyPixelWritten = varnel::pixel_arena::EveryPixelWillBeWritten();
  uint8_t* rows = varnel::pixel_arena::Take(bytes);
  if (rows == nullptr) {
    SDL_FreeSurface(surface);
    return create(flags, width, height, depth, redMask, greenMask, blueMask, alphaMask);
  }
  std::free(surface->pixels);  // SDL's allocator is the C library's
  surface->pixels = rows;
  surface->h = height;
  surface->flags |= SDL_PREALLOC;  // the rows are not SDL's to free
  SDL_SetClipRect(surface, nullptr);
  // SDL clears the rows it allocates. Where the loader writes every pixel, only the bytes
  // past each row's pixels are left to clear.
  const std::size_t pitch = surface->pitch;
  const std::size_t pixelBytes = static_cast<std::size_t>(width) * surface->format->BytesPerPixel;
  if (!everyPixelWritten || pixelBytes > pitch) {
    std::memset(rows, 0, bytes);
  } else if (pixelBytes < pitch) {
    for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row)
      std::memset(rows + row * pitch + pixelBytes, 0, pitch - pixelBytes);
  }
  return surface;
}
