#include "picture/decoder_session.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <optional>
#include <string>

#include "builder/bitmap.h"
#include "builder/resampler.h"
#include "builder/shrink_kernels.h"
#include "builder/top_down_shrink.h"
#include "picture/pixel_arena.h"
#include "picture/scanline_sink.h"

namespace varnel {

namespace {

// Two are in use at once (a BMP save reads one and writes the other); a third spares a
// mapping while the program alternates buffers between pictures.
constexpr std::size_t kKeptMappings = 3;

DecoderReply Failed(const std::string& why = {}) {
  DecoderReply reply;
  std::strncpy(reply.failure, why.c_str(), sizeof reply.failure - 1);
  return reply;
}

DecoderReply Succeeded(uint64_t bytes) {
  DecoderReply reply;
  reply.ok = 1;
  reply.bytes = bytes;
  return reply;
}

std::string ExtensionOf(const DecoderRequest& request) {
  const char* end = std::find(request.extension, request.extension + kExtensionSize, '\0');
  return std::string(request.extension, end);
}

}  // namespace

DecoderSession::~DecoderSession() {
  for (const Mapping& mapping : mappings_) ::munmap(mapping.address, mapping.size);
}

DecoderReply DecoderSession::Answer(const DecoderRequest& request, std::vector<int>& descriptors) {
  for (uint64_t id : request.forgotten) {
    if (id != 0) Forget(id);
  }
  DecoderReply reply;
  switch (request.task) {
    case DecoderTask::kDecode:
      if (!descriptors.empty() && descriptors.size() <= 2) {
        const int buffer = descriptors.size() == 2 ? descriptors[1] : -1;
        reply = Decode(request, descriptors[0], buffer);
        descriptors.erase(descriptors.begin());  // the file was closed with its stream
      }
      break;
    case DecoderTask::kDecodeShrunk:
      if (descriptors.size() == 2) {
        reply = DecodeShrunk(request, descriptors[0], descriptors[1]);
        descriptors.erase(descriptors.begin());  // the file was closed with its stream
      }
      break;
    case DecoderTask::kDeliverPixels:
      reply = Deliver(request, descriptors.empty() ? -1 : descriptors[0]);
      break;
    case DecoderTask::kSaveAsBmp:
      reply = SaveAsBmp(request, descriptors);
      break;
  }
  for (int descriptor : descriptors) ::close(descriptor);
  descriptors.clear();
  return reply;
}

DecoderReply DecoderSession::Decode(const DecoderRequest& request, int picture, int buffer) {
  kept_ = DecodedPicture{};
  std::FILE* file = ::fdopen(picture, "rb");
  if (file == nullptr) {
    ::close(picture);
    return Failed("the file could not be read");
  }
  const SharedBufferRef& pixelsBuffer = request.buffers[0];
  uint8_t* rows = request.wantPixels != 0 && buffer >= 0 ? Map(pixelsBuffer, buffer) : nullptr;
  if (rows != nullptr) pixel_arena::Arm(rows, pixelsBuffer.size);
  DecodedPicture decoded = DecodePicture(file, request.facts, ExtensionOf(request));
  pixel_arena::Disarm();
  std::fclose(file);
  if (!decoded.surface) return Failed(decoded.failure);
  DecoderReply reply = Succeeded(0);
  SDL_Surface* surface = decoded.surface.get();
  reply.layout = DescribeSurface(surface);
  reply.fileBitsPerPixel = decoded.bitsPerPixel;
  reply.bytes = PixelBytes(reply.layout);
  if (request.wantPixels == 0) return reply;
  if (rows != nullptr && surface->pixels == rows) {
    reply.pixelsInBuffer = 1;  // decoded where the program reads it
  } else if (rows != nullptr && reply.bytes <= pixelsBuffer.size) {
    // A mending step made a new surface (a turn, a blend); the first one, which had the
    // buffer, is gone.
    SurfaceLock lock(surface);
    if (!lock.locked()) return Failed();
    std::memcpy(rows, surface->pixels, reply.bytes);
    reply.pixelsInBuffer = 1;
  } else {
    kept_ = std::move(decoded);
  }
  return reply;
}

namespace {

// The sizes a shrink request asks, where they lie in its buffer; empty when the request
// asks what cannot be (a part outside the picture the header gives, a size that grows).
std::vector<ShrinkDestination> ShrunkSizesIn(const DecoderRequest& request, uint8_t* buffer,
                                             std::size_t bufferSize) {
  const ShrinkRequest& ask = request.shrink;
  const PictureFileFacts& facts = request.facts;
  if (ask.count < 1 || ask.count > kMostShrunkSizes || ask.x < 0 || ask.y < 0 || ask.width < 1 ||
      ask.height < 1 || ask.x + int64_t{ask.width} > facts.width ||
      ask.y + int64_t{ask.height} > facts.height ||
      ask.path > static_cast<uint32_t>(ShrinkPath::kAvx512))
    return {};
  std::vector<ShrinkDestination> sizes;
  std::size_t at = 0;
  for (uint32_t i = 0; i < ask.count; ++i) {
    const int width = ask.widths[i], height = ask.heights[i];
    if (width < 1 || height < 1 || width > ask.width || height > ask.height) return {};
    const std::size_t stride = Bitmap::StrideOf(width);
    const std::size_t bytes = stride * static_cast<std::size_t>(height);
    if (bytes > bufferSize - at) return {};
    sizes.push_back({buffer + at, stride, width, height});
    at += bytes;
  }
  std::memset(buffer, 0, at);  // the rows' padding
  return sizes;
}

}  // namespace

DecoderReply DecoderSession::DecodeShrunk(const DecoderRequest& request, int picture, int buffer) {
  kept_ = DecodedPicture{};
  std::FILE* file = ::fdopen(picture, "rb");
  if (file == nullptr) {
    ::close(picture);
    return Failed("the file could not be read");
  }
  const SharedBufferRef& out = request.buffers[0];
  uint8_t* rows = Map(out, buffer);
  const std::vector<ShrinkDestination> sizes =
      rows == nullptr ? std::vector<ShrinkDestination>() : ShrunkSizesIn(request, rows, out.size);
  if (sizes.empty()) {
    std::fclose(file);
    return Failed();
  }
  const ShrinkRequest& ask = request.shrink;
  std::optional<TopDownShrink> shrink;
  try {
    const ShrinkChoice choice{static_cast<ShrinkPath>(ask.path), ask.standIns != 0};
    shrink.emplace(KernelOf(choice), ask.width, ask.height, true, sizes);  // libjpeg gives RGB
  } catch (const std::exception&) {
    std::fclose(file);
    return Failed();
  }
  scanline_sink::Arm(static_cast<int>(request.facts.width), static_cast<int>(request.facts.height),
                     {ask.x, ask.y, ask.width, ask.height}, &*shrink);
  DecodedPicture decoded = DecodePicture(file, request.facts, ExtensionOf(request));
  const bool handedOver = scanline_sink::Disarm();
  std::fclose(file);
  DecoderReply reply = Failed(decoded.failure);
  if (decoded.surface) {
    const SDL_Surface* surface = decoded.surface.get();
    reply = Succeeded(0);
    reply.layout = DescribeSurface(decoded.surface.get());
    reply.fileBitsPerPixel = decoded.bitsPerPixel;
    reply.bytes = PixelBytes(reply.layout);
    // Shrunk only when the picture is the loader's own surface, unmended, of the size the
    // header gave and every row of it went to the shrink.
    reply.shrunk = handedOver && shrink->Finished() &&
                   scanline_sink::IsReservation(surface->pixels) &&
                   surface->w == request.facts.width && surface->h == request.facts.height;
  }
  decoded = DecodedPicture{};
  scanline_sink::LetReservationGo();
  return reply;
}

DecoderReply DecoderSession::Deliver(const DecoderRequest& request, int buffer) {
  DecodedPicture picture = std::move(kept_);
  kept_ = DecodedPicture{};
  if (!picture.surface || buffer < 0) return Failed();
  SDL_Surface* surface = picture.surface.get();
  const std::size_t bytes = PixelBytes(DescribeSurface(surface));
  uint8_t* into = Map(request.buffers[0], buffer);
  if (into == nullptr || request.buffers[0].size < bytes) return Failed();
  SurfaceLock lock(surface);
  if (!lock.locked()) return Failed();
  std::memcpy(into, surface->pixels, bytes);
  return Succeeded(bytes);
}

DecoderReply DecoderSession::SaveAsBmp(const DecoderRequest& request,
                                       const std::vector<int>& descriptors) {
  if (descriptors.size() != 2 || !IsPlausible(request.layout)) return Failed();
  uint8_t* pixels = Map(request.buffers[0], descriptors[0]);
  uint8_t* file = Map(request.buffers[1], descriptors[1]);
  const SharedBufferRef& out = request.buffers[1];
  if (pixels == nullptr || file == nullptr ||
      PixelBytes(request.layout) > request.buffers[0].size || out.size > INT_MAX)
    return Failed();
  SurfacePtr picture = SurfaceOverPixels(request.layout, pixels, nullptr);
  if (!picture) return Failed();
  // The save reports failure whenever the library's error text is not empty afterwards.
  SDL_ClearError();
  SDL_RWops* stream = SDL_RWFromMem(file, static_cast<int>(out.size));
  if (stream == nullptr) return Failed();
  bool saved = false;
  {
    SurfaceLock lock(picture.get());
    saved = lock.locked() && SDL_SaveBMP_RW(picture.get(), stream, 0) == 0;
  }
  const int length = SDL_RWtell(stream);
  SDL_RWclose(stream);
  return saved && length > 0 ? Succeeded(static_cast<uint64_t>(length)) : Failed();
}

uint8_t* DecoderSession::Map(const SharedBufferRef& buffer, int descriptor) {
  const auto known = std::find_if(mappings_.begin(), mappings_.end(),
                                  [&](const Mapping& m) { return m.id == buffer.id; });
  if (known != mappings_.end()) {
    std::rotate(known, known + 1, mappings_.end());  // now the most recently used
    return mappings_.back().size >= buffer.size ? mappings_.back().address : nullptr;
  }
  struct stat status {};
  if (buffer.id == 0 || buffer.size == 0 || descriptor < 0 || ::fstat(descriptor, &status) != 0 ||
      static_cast<uint64_t>(status.st_size) < buffer.size)
    return nullptr;
  // The oldest mapping goes first, so that the address space holds only a few pictures.
  if (mappings_.size() >= kKeptMappings) Forget(mappings_.front().id);
  void* address = ::mmap(nullptr, buffer.size, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
  if (address == MAP_FAILED) return nullptr;
  mappings_.push_back({buffer.id, static_cast<uint8_t*>(address), buffer.size});
  return mappings_.back().address;
}

void DecoderSession::Forget(uint64_t id) {
  const auto known = std::find_if(mappings_.begin(), mappings_.end(),
                                  [&](const Mapping& m) { return m.id == id; });
  if (known == mappings_.end()) return;
  ::munmap(known->address, known->size);
  mappings_.erase(known);
}

}  // namespace varnel
