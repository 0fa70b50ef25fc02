#include "picture/picture_loader.h"

#include <SDL_image.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "files/file_error.h"
#include "files/regular_file.h"
#include "picture/picture_file_facts.h"
#include "picture/picture_limits.h"
#include "picture/picture_normalising.h"
#include "picture/png_sixteen_bit.h"

namespace varnel {

namespace {

constexpr char kFailurePrefix[] = "the picture could not be loaded";
constexpr Uint8 kCmykBitsPerPixel = 32;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

struct RWopsCloser {
  void operator()(SDL_RWops* stream) const { SDL_RWclose(stream); }
};
using RWopsPtr = std::unique_ptr<SDL_RWops, RWopsCloser>;

LoadedPicture Failure(const std::string& why) {
  LoadedPicture failed;
  failed.failure = std::string(kFailurePrefix) + " (" + why + ")";
  return failed;
}

// Only an ordinary file is read, opened without waiting, so a FIFO or a device named as
// a picture fails at once, with the reason in whyNot.
FilePtr OpenPictureFile(const std::string& path, std::string& whyNot) {
  int fd = -1;
  try {
    fd = OpenRegularFileForReading(path);
  } catch (const FileError& error) {
    whyNot = error.cause().empty() ? error.what() : error.cause();
    return nullptr;
  }
  FilePtr file(::fdopen(fd, "rb"));
  if (!file) {
    whyNot = std::generic_category().message(errno);
    ::close(fd);
  }
  return file;
}

// The picture library sets up each decoder the first time a picture of its kind is
// loaded; doing it once, before any loading thread, keeps that from happening twice.
void SetUpDecodersOnce() {
  static std::once_flag once;
  std::call_once(once,
                 [] { IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG | IMG_INIT_TIF | IMG_INIT_WEBP); });
}

// The file name's extension, which the library takes as the kind of the files it cannot
// tell by their first bytes (TGA), as a load by name does.
std::string ExtensionOf(const std::string& path) {
  const auto dot = path.find_last_of('.');
  return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

// Whether the library knows the file's kind, to tell a damaged picture from a file that
// is no picture at all.
bool IsKnownKind(SDL_RWops* stream, const std::string& extension) {
  using Test = int (*)(SDL_RWops*);
  for (Test test : {IMG_isBMP, IMG_isGIF, IMG_isJPG, IMG_isPNG, IMG_isTIF, IMG_isWEBP, IMG_isICO,
                    IMG_isCUR, IMG_isPCX, IMG_isLBM, IMG_isPNM, IMG_isXCF, IMG_isXPM, IMG_isXV}) {
    if (test(stream) != 0) return true;
  }
  return extension.size() == 3 && (extension[0] | 0x20) == 't' && (extension[1] | 0x20) == 'g' &&
         (extension[2] | 0x20) == 'a';
}

// The library's decoders of BMP, JPEG, PNG, WebP and TIFF keep their state per call; the
// others (GIF and XPM among them) keep it in globals, so they decode one at a time.
bool DecodesOnAnyThread(PictureKind kind) {
  return kind != PictureKind::kOther && kind != PictureKind::kGif;
}

std::mutex& OneAtATimeDecoding() {
  static std::mutex mutex;
  return mutex;
}

// The library's surface of the file, from its start.
SurfacePtr Decode(std::FILE* file, const std::string& extension, PictureKind kind,
                  bool& knownKind) {
  std::unique_lock<std::mutex> oneAtATime(OneAtATimeDecoding(), std::defer_lock);
  if (!DecodesOnAnyThread(kind)) oneAtATime.lock();
  std::rewind(file);
  RWopsPtr stream(SDL_RWFromFP(file, 0));  // 0: the file stays ours to close
  if (!stream) return nullptr;
  std::vector<char> type(extension.begin(), extension.end());
  type.push_back('\0');
  SurfacePtr surface(IMG_LoadTyped_RW(stream.get(), 0, extension.empty() ? nullptr : type.data()));
  if (!surface) {
    SDL_RWseek(stream.get(), 0, RW_SEEK_SET);
    knownKind = IsKnownKind(stream.get(), extension);
  }
  return surface;
}

std::string WhyNotDecoded(bool knownKind) {
  return knownKind ? "the file is damaged" : "the file is not a picture Varnel reads";
}

// Why the header alone refuses the picture; empty when it does not.
std::string WhyNotDecodedFromHeader(const PictureFileFacts& facts) {
  if (facts.structureDamaged) return "the file is damaged";
  if (facts.width * facts.height > kMaxPicturePixels)
    return "the picture is too large: " + std::to_string(facts.width) + " x " +
           std::to_string(facts.height) + " pixels, more than the limit of " +
           std::to_string(kMaxPictureWidthShown) + " x " + std::to_string(kMaxPictureHeightShown) +
           " (" + std::to_string(kMaxPicturePixels) + " pixels)";
  if (facts.width > kMaxLibraryWidth || facts.height > kMaxLibraryHeight)
    return "the picture is too large: at most " + std::to_string(kMaxLibraryWidth) +
           " pixels wide and " + std::to_string(kMaxLibraryHeight) + " high";
  if (facts.cutShort) return "the file is damaged";
  return {};
}

bool IsDamaged(const SDL_Surface* surface) {
  return surface->format == nullptr || surface->format->BitsPerPixel == 0 || surface->w <= 0 ||
         surface->h <= 0;
}

constexpr int kSixteenBitSamples = 16;

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

std::optional<ShownSize> ShownSizeFromHeader(const std::string& path) {
  std::string whyNotOpened;
  FilePtr file = OpenPictureFile(path, whyNotOpened);
  if (!file) return std::nullopt;
  const PictureFileFacts facts = ReadPictureFileFacts(file.get());
  const bool sizeIsDecoded = facts.kind == PictureKind::kJpeg || facts.kind == PictureKind::kPng ||
                             facts.kind == PictureKind::kBmp || facts.kind == PictureKind::kGif;
  if (!sizeIsDecoded || facts.width < 1 || facts.height < 1 ||
      !WhyNotDecodedFromHeader(facts).empty())
    return std::nullopt;
  ShownSize size{static_cast<int>(facts.width), static_cast<int>(facts.height)};
  if (TurnsAQuarter(facts.orientation)) std::swap(size.width, size.height);
  return size;
}

LoadedPicture LoadPicture(const std::string& path) {
  SetUpDecodersOnce();
  std::string whyNotOpened;
  FilePtr file = OpenPictureFile(path, whyNotOpened);
  if (!file) return Failure(whyNotOpened);
  try {
    const PictureFileFacts facts = ReadPictureFileFacts(file.get());
    if (const std::string refused = WhyNotDecodedFromHeader(facts); !refused.empty())
      return Failure(refused);
    bool knownKind = true;
    SurfacePtr surface = Decode(file.get(), ExtensionOf(path), facts.kind, knownKind);
    if (!surface) return Failure(WhyNotDecoded(knownKind));
    if (IsDamaged(surface.get())) return Failure("the file is damaged");
    LoadedPicture loaded;
    loaded.bitsPerPixel = surface->format->BitsPerPixel;
    loaded.surface = Normalise(std::move(surface), facts, file.get());
    if (!loaded.surface) return Failure("there is not enough memory for it");
    return loaded;
  } catch (const std::bad_alloc&) {
    return Failure("there is not enough memory for it");
  }
}

}  // namespace varnel
