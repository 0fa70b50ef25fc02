#include "picture/picture_decoding.h"

#include <SDL_image.h>

#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "picture/header_refusal.h"
#include "picture/picture_limits.h"
#include "picture/picture_normalising.h"
#include "picture/pixel_arena.h"
#include "picture/png_sixteen_bit.h"

namespace varnel {

namespace {

constexpr Uint8 kCmykBitsPerPixel = 32;
constexpr int kSixteenBitSamples = 16;

struct RWopsCloser {
  void operator()(SDL_RWops* stream) const { SDL_RWclose(stream); }
};
using RWopsPtr = std::unique_ptr<SDL_RWops, RWopsCloser>;

// TGA files have no mark of their own: the library reads a file as TGA, before any other
// kind, when its name says so.
bool NamesTga(const std::string& extension) {
  return extension.size() == 3 && (extension[0] | 0x20) == 't' && (extension[1] | 0x20) == 'g' &&
         (extension[2] | 0x20) == 'a';
}

// Whether the library knows the file's kind, to tell a damaged picture from a file that
// is no picture at all.
bool IsKnownKind(SDL_RWops* stream, const std::string& extension) {
  using Test = int (*)(SDL_RWops*);
  for (Test test : {IMG_isBMP, IMG_isGIF, IMG_isJPG, IMG_isPNG, IMG_isTIF, IMG_isWEBP, IMG_isICO,
                    IMG_isCUR, IMG_isPCX, IMG_isLBM, IMG_isPNM, IMG_isXCF, IMG_isXPM, IMG_isXV}) {
    if (test(stream) != 0) return true;
  }
  return NamesTga(extension);
}

// The library's surface of the file, from its start. The extension is the kind of the
// files the library cannot tell by their first bytes (TGA), as a load by name takes it.
SurfacePtr Decode(std::FILE* file, const std::string& extension, bool& knownKind) {
  std::rewind(file);
  RWopsPtr stream(SDL_RWFromFP(file, 0));  // 0: the file stays the caller's to close
  if (!stream) return nullptr;
  std::vector<char> type(extension.begin(), extension.end());
  type.push_back('\0');
  // The JPEG loader (the one a JPEG file not named as TGA meets: the kinds tried before it
  // begin otherwise) writes every row of its surface in full or gives no surface.
  if (!NamesTga(extension) && IMG_isJPG(stream.get()) != 0) pixel_arena::ExpectEveryPixelWritten();
  SurfacePtr surface(IMG_LoadTyped_RW(stream.get(), 0, extension.empty() ? nullptr : type.data()));
  if (!surface) {
    SDL_RWseek(stream.get(), 0, RW_SEEK_SET);
    knownKind = IsKnownKind(stream.get(), extension);
  }
  return surface;
}

constexpr char kNoMemory[] = "there is not enough memory for it";

// Whether the library gave up for want of memory (its own words for it).
bool RanOutOfMemory() {
  return std::strstr(SDL_GetError(), "Out of memory") != nullptr;
}

bool IsDamaged(const SDL_Surface* surface) {
  return surface->format == nullptr || surface->format->BitsPerPixel == 0 || surface->w <= 0 ||
         surface->h <= 0;
}

SurfacePtr Normalise(SurfacePtr surface, const PictureFileFacts& facts, std::FILE* file) {
  // Before anything blends the alpha the samples carry. A file it cannot read again
  // keeps the library's samples.
  if (facts.kind == PictureKind::kPng && facts.pngBitDepth == kSixteenBitSamples)
    RoundSixteenBitSamples(file, surface.get());
  if (facts.kind == PictureKind::kJpeg && surface->format->BitsPerPixel == kCmykBitsPerPixel)
    surface = CmykToRgb(std::move(surface), facts.adobeSegment);
  if (surface && facts.kind == PictureKind::kBmp)
    surface = OpaqueWhenAlphaIsAllZero(std::move(surface));
  if (surface) surface = WidenTo24Bits(std::move(surface));
  if (surface) surface = ShowTransparencyOverBlack(std::move(surface));
  if (surface) surface = ApplyOrientation(std::move(surface), facts.orientation);
  return surface;
}

}  // namespace

void SetUpPictureLibrary() {
  IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG | IMG_INIT_TIF | IMG_INIT_WEBP);
}

DecodedPicture DecodePicture(std::FILE* file, const PictureFileFacts& facts,
                             const std::string& extension) {
  DecodedPicture decoded;
  try {
    decoded.failure = WhyNotDecodedFromHeader(facts);
    if (!decoded.failure.empty()) return decoded;
    bool knownKind = true;
    SDL_ClearError();
    SurfacePtr surface = Decode(file, extension, knownKind);
    if (!surface) {
      decoded.failure = RanOutOfMemory() ? kNoMemory
                        : knownKind      ? "the file is damaged"
                                         : "the file is not a picture Varnel reads";
      return decoded;
    }
    if (IsDamaged(surface.get())) {
      decoded.failure = "the file is damaged";
      return decoded;
    }
    if (int64_t{surface->w} * surface->h > kMaxPicturePixels) {
      decoded.failure = TooLargeText(surface->w, surface->h);
      return decoded;
    }
    decoded.bitsPerPixel = surface->format->BitsPerPixel;
    decoded.surface = Normalise(std::move(surface), facts, file);
    if (!decoded.surface) decoded.failure = kNoMemory;
  } catch (const std::bad_alloc&) {
    decoded.surface.reset();
    decoded.failure = kNoMemory;
  }
  return decoded;
}

}  // namespace varnel
