#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "builder/resampler.h"
#include "picture/decoder_protocol.h"
#include "picture/sdl_picture.h"

namespace varnel {

// A picture as it is shown: upright, opaque, in RGB or a palette.
struct LoadedPicture {
  // Empty when the picture did not load.
  SurfacePtr surface;
  // Bits per pixel of the picture as the file holds it (the row's Size text), which the
  // mended surface may no longer have: a CMYK JPEG holds 32, a 16-bit BMP 16.
  int bitsPerPixel = 0;
  // Why the picture did not load, for the user: "the picture could not be loaded (...)".
  std::string failure;

  explicit operator bool() const { return surface != nullptr; }
};

// The one way the document, the builder and the previews load a picture: decoded by the
// picture library and mended as it is shown (see DecodePicture), in a decoder process of
// this program's own (DecoderProcess), one for each thread that loads at the same time.
// A file that crashes the library, makes it loop or exhausts its memory ends only that
// process: the picture fails with "the picture library failed on this file". A file whose
// header is damaged or declares more than kMaxPicturePixels is refused before any
// decoding. The surface's pixels lie in memory shared with the decoder, held as long as
// the surface lives; reading them needs no lock.
// Safe to call from several threads at once.
LoadedPicture LoadPicture(const std::string& path);

// A JPEG picture shrunk as it is decoded: the part ask names (read from the picture's
// top-left corner) shrunk to each of its sizes, written into the destination of the same
// index, in the decoder, while the rows come; no decoded picture is held anywhere. The
// bytes are those the resampler gives the picture LoadPicture loads. Only for upright JPEG
// files whose header gives their size (ShownSizeFromHeader); for others, and pictures the
// decoder cannot shrink so (a CMYK one), shrunk is false and the picture is to be loaded
// whole.
struct ShrunkPicture {
  int width = 0;  // of the picture
  int height = 0;
  int bitsPerPixel = 0;  // as the file holds it
  bool shrunk = false;
  std::string failure;  // as LoadPicture's; empty when the picture loaded
};
ShrunkPicture LoadPictureShrunk(const std::string& path, const ShrinkRequest& ask,
                                std::span<const ShrinkDestination> into);

// What a picture's row needs of it: LoadPicture without bringing its pixels over.
struct LoadedPictureSize {
  int width = 0;  // as shown (after any turn)
  int height = 0;
  int bitsPerPixel = 0;  // as the file holds it
  std::string failure;   // as LoadPicture's
  explicit operator bool() const { return failure.empty(); }
};
LoadedPictureSize LoadPictureSize(const std::string& path);

// The BMP file the picture library writes of a surface (its 8-bit pictures keep their
// palette, every other depth becomes 24-bit, translucent pixels are blended onto black),
// written by a decoder process into file, which is grown to bound when smaller; bound is
// at least the file's length. The file's length, or 0 when the library cannot save it.
std::size_t SavePictureAsBmp(SDL_Surface* picture, std::size_t bound, std::vector<uint8_t>& file);

struct ShownSize {
  int width = 0;
  int height = 0;
};

// The size LoadPicture gives the picture, read from the file's header alone (turned by its
// orientation) where the header says what the library decodes: JPEG, PNG and BMP files.
// Nothing for other kinds, a header without a size or a file that cannot be read. The
// picture may still fail to load.
std::optional<ShownSize> ShownSizeFromHeader(const std::string& path);

// The size of a picture LoadPictureShrunk can shrink as it decodes it (an upright JPEG
// whose header gives its size, no CMYK one), read from its header; nothing for any other.
std::optional<ShownSize> ShrinkableSizeFromHeader(const std::string& path);

}  // namespace varnel
