#include "picture/picture_loader.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <utility>

#include "files/file_error.h"
#include "files/regular_file.h"
#include "picture/decoder_pool.h"
#include "picture/header_refusal.h"
#include "picture/picture_file_facts.h"

namespace varnel {

namespace {

constexpr char kFailurePrefix[] = "the picture could not be loaded";

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string FailureText(const std::string& why) {
  return std::string(kFailurePrefix) + " (" + why + ")";
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

// The file name's extension, which the library takes as the kind of the files it cannot
// tell by their first bytes (TGA), as a load by name does.
std::string ExtensionOf(const std::string& path) {
  const auto dot = path.find_last_of('.');
  return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

// The file opened, its header read and judged, then handed to decode(file, facts,
// extension), which gives the Result (a decoder's answer, with the reason in `failure`
// when nothing was decoded).
template <class Result, class Decode>
Result InADecoder(const std::string& path, Decode decode) {
  Result result;
  FilePtr file = OpenPictureFile(path, result.failure);
  if (!file) return result;
  try {
    const PictureFileFacts facts = ReadPictureFileFacts(file.get());
    result.failure = WhyNotDecodedFromHeader(facts);
    if (!result.failure.empty()) return result;
    return decode(::fileno(file.get()), facts, ExtensionOf(path));
  } catch (const DecoderStartFailure& failure) {
    result.failure = failure.what();
  } catch (const std::bad_alloc&) {
    result.failure = "there is not enough memory for it";
  }
  return result;
}

// Decoded by a decoder of the pool.
DecoderProcess::Decoded DecodeInADecoder(const std::string& path, bool withPixels) {
  return InADecoder<DecoderProcess::Decoded>(
      path, [withPixels](int file, const PictureFileFacts& facts, const std::string& extension) {
        DecoderPool::Lease decoder = DecoderPool::Shared().Take();
        return decoder->Decode(file, facts, extension, withPixels);
      });
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
  DecoderProcess::Decoded decoded = DecodeInADecoder(path, true);
  LoadedPicture loaded;
  if (!decoded.failure.empty()) {
    loaded.failure = FailureText(decoded.failure);
    return loaded;
  }
  loaded.surface = std::move(decoded.surface);
  loaded.bitsPerPixel = decoded.bitsPerPixel;
  return loaded;
}

namespace {

// Whether LoadPictureShrunk shrinks the picture as it decodes it: a turned picture and a
// CMYK one (behind an Adobe segment) are mended whole first.
bool ShrinksAsDecoded(const PictureFileFacts& facts) {
  return facts.kind == PictureKind::kJpeg && facts.orientation == kUpright && !facts.adobeSegment &&
         facts.width >= 1 && facts.height >= 1 && WhyNotDecodedFromHeader(facts).empty();
}

}  // namespace

std::optional<ShownSize> ShrinkableSizeFromHeader(const std::string& path) {
  std::string whyNotOpened;
  FilePtr file = OpenPictureFile(path, whyNotOpened);
  if (!file) return std::nullopt;
  const PictureFileFacts facts = ReadPictureFileFacts(file.get());
  if (!ShrinksAsDecoded(facts)) return std::nullopt;
  return ShownSize{static_cast<int>(facts.width), static_cast<int>(facts.height)};
}

ShrunkPicture LoadPictureShrunk(const std::string& path, const ShrinkRequest& ask,
                                std::span<const ShrinkDestination> into) {
  const DecoderProcess::Shrunk decoded = InADecoder<DecoderProcess::Shrunk>(
      path, [&](int file, const PictureFileFacts& facts, const std::string& extension) {
        if (!ShrinksAsDecoded(facts)) return DecoderProcess::Shrunk{};
        DecoderPool::Lease decoder = DecoderPool::Shared().Take();
        return decoder->DecodeShrunk(file, facts, extension, ask, into);
      });
  ShrunkPicture shrunk;
  if (!decoded.failure.empty()) {
    shrunk.failure = FailureText(decoded.failure);
    return shrunk;
  }
  shrunk.width = decoded.width;
  shrunk.height = decoded.height;
  shrunk.bitsPerPixel = decoded.bitsPerPixel;
  shrunk.shrunk = decoded.shrunk;
  return shrunk;
}

LoadedPictureSize LoadPictureSize(const std::string& path) {
  const DecoderProcess::Decoded decoded = DecodeInADecoder(path, false);
  LoadedPictureSize size;
  if (!decoded.failure.empty()) {
    size.failure = FailureText(decoded.failure);
    return size;
  }
  size.width = decoded.width;
  size.height = decoded.height;
  size.bitsPerPixel = decoded.bitsPerPixel;
  return size;
}

std::size_t SavePictureAsBmp(SDL_Surface* picture, std::size_t bound, std::vector<uint8_t>& file) {
  try {
    DecoderPool::Lease decoder = DecoderPool::Shared().Take();
    return decoder->SaveAsBmp(picture, bound, file);
  } catch (const DecoderStartFailure&) {
    return 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

}  // namespace varnel
