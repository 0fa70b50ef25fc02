#include "picture/decoder_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>

#include "builder/bitmap.h"
#include "files/system_error_text.h"
#include "picture/decoder_channel.h"
#include "picture/picture_limits.h"

extern char** environ;

namespace varnel {

namespace {

constexpr char kDecoderName[] = "varnel-decoder";
constexpr uint64_t kMiB = uint64_t{1} << 20;
// The largest picture's 32-bit pixels as decoded, its 24-bit copy as mended and the
// delivered copy (up to 12 bytes a pixel), and the libraries and their working memory.
constexpr uint64_t kBytesPerPicturePixel = 12;
constexpr uint64_t kDecoderBaseBytes = 768 * kMiB;
constexpr double kCpuSecondsPerPicture = 30;
// Only a process that is stopped or waits on a stuck disk uses no CPU time meanwhile.
constexpr double kWallSecondsPerPicture = 300;
constexpr int kWatchIntervalMs = 250;
constexpr double kSecondsToStart = 30;
// Buffers are made in whole mebibytes, so that pictures of nearly the same size share one.
constexpr std::size_t kBufferGrain = kMiB;
// A free buffer far larger than a picture is not kept busy holding it.
constexpr std::size_t kWastedBytesTolerated = 16 * kMiB;
// Free buffers kept for the next pictures, the most recently used ones.
constexpr std::size_t kSpareBuffers = 2;

// Next to the running program (a build tree, or /usr/bin of a package unpacked anywhere),
// then where the package installs it.
std::string FindDecoderExecutable() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  std::vector<std::filesystem::path> candidates;
  if (!error) {
    candidates.push_back(self.parent_path() / kDecoderName);
    candidates.push_back(self.parent_path() / ".." / "libexec" / "varnel" / kDecoderName);
  }
  candidates.push_back(std::filesystem::path(VARNEL_LIBEXEC_DIR) / kDecoderName);
  for (const std::filesystem::path& candidate : candidates) {
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.lexically_normal().string();
  }
  return candidates.back().string();
}

const std::string& DecoderExecutable() {
  static const std::string path = FindDecoderExecutable();
  return path;
}

void SayOnceFilterRefused(int error) {
  static std::once_flag said;
  std::call_once(said, [error] {
    std::fprintf(stderr,
                 "%s: pictures are decoded without their system call filter: the kernel "
                 "refused it (%s)\n",
                 program_invocation_short_name, SystemErrorText(error).c_str());
  });
}

double CpuSecondsOf(pid_t pid) {
  clockid_t clock;
  timespec used{};
  if (::clock_getcpuclockid(pid, &clock) != 0 || ::clock_gettime(clock, &used) != 0) return 0;
  return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * 1e-9;
}

std::string TextOf(const char* text, std::size_t size) {
  return std::string(text, std::find(text, text + size, '\0'));
}

// The most a surface of a picture of that size takes, at 32 bits a pixel, turned or not.
std::size_t LargestPixelBytes(int64_t width, int64_t height) {
  constexpr int64_t kDeepestPixel = 4;
  return static_cast<std::size_t>(width * height * kDeepestPixel);
}

// Why the decoder says a picture did not load; its own reason when it gave none.
std::string FailureOf(const DecoderReply& reply) {
  const std::string failure = TextOf(reply.failure, sizeof reply.failure);
  return failure.empty() ? kLibraryFailed : failure;
}

// Whether a decoded picture's reply can be: a plausible layout, its pixel bytes, a file
// depth a picture file can have.
bool DescribesAPicture(const DecoderReply& reply) {
  constexpr int kDeepestFile = 64;
  return IsPlausible(reply.layout) && reply.bytes == PixelBytes(reply.layout) &&
         reply.fileBitsPerPixel >= 1 && reply.fileBitsPerPixel <= kDeepestFile;
}

std::size_t RoundedUpToGrain(std::size_t bytes) {
  return (bytes + kBufferGrain - 1) / kBufferGrain * kBufferGrain;
}

}  // namespace

DecoderProcess::Limits DecoderProcess::DefaultLimits() {
  return {kBytesPerPicturePixel * kMaxPicturePixels + kDecoderBaseBytes, kCpuSecondsPerPicture,
          kWallSecondsPerPicture};
}

DecoderProcess::DecoderProcess(Limits limits) : limits_(limits) {
  int sockets[2];
  if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, sockets) != 0)
    throw DecoderStartFailure(std::string("no channel to a picture decoder: ") +
                              SystemErrorText(errno));
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, sockets[1], kDecoderChannel);
  // The decoder starts with no signal blocked or ignored, whatever this program set.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  sigdelset(&all, SIGKILL);
  sigdelset(&all, SIGSTOP);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  const std::string& path = DecoderExecutable();
  std::string addressSpace = std::to_string(limits_.addressSpaceBytes);
  char* arguments[] = {const_cast<char*>(kDecoderName), addressSpace.data(), nullptr};
  const int error = ::posix_spawn(&pid_, path.c_str(), &actions, &attributes, arguments, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  ::close(sockets[1]);
  channel_ = sockets[0];
  if (error != 0) {
    pid_ = -1;
    End();
    throw DecoderStartFailure("the picture decoder " + path +
                              " could not be started: " + SystemErrorText(error));
  }
  DecoderHello hello;
  pollfd ready{channel_, POLLIN, 0};
  std::vector<int> descriptors;
  if (::poll(&ready, 1, static_cast<int>(kSecondsToStart * 1000)) != 1 ||
      !ReceiveRecord(channel_, &hello, sizeof hello, descriptors)) {
    End();
    throw DecoderStartFailure("the picture decoder " + path + " did not start");
  }
  for (int descriptor : descriptors) ::close(descriptor);
  filtered_ = hello.filterInstalled != 0;
  if (!filtered_) SayOnceFilterRefused(hello.filterError);
}

DecoderProcess::~DecoderProcess() {
  End();
}

void DecoderProcess::End() {
  if (channel_ >= 0) ::close(channel_);
  channel_ = -1;
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  pid_ = -1;
}

bool DecoderProcess::StillRunning() {
  if (!alive()) return false;
  // An idle process has nothing to say: anything readable is its end.
  pollfd ready{channel_, POLLIN, 0};
  if (::poll(&ready, 1, 0) == 0) return true;
  End();
  return false;
}

bool DecoderProcess::AwaitReply(DecoderReply& reply) {
  const auto start = std::chrono::steady_clock::now();
  const double cpuAtStart = CpuSecondsOf(pid_);
  // Looked at often enough to end the process soon after its limit.
  const int interval =
      std::clamp(static_cast<int>(limits_.cpuSecondsPerPicture * 1000 / 4), 1, kWatchIntervalMs);
  for (;;) {
    pollfd ready{channel_, POLLIN, 0};
    const int polled = ::poll(&ready, 1, interval);
    if (polled < 0 && errno != EINTR) return false;
    if (polled > 0) {
      std::vector<int> descriptors;
      const bool received = ReceiveRecord(channel_, &reply, sizeof reply, descriptors);
      for (int descriptor : descriptors) ::close(descriptor);  // none are expected
      return received && descriptors.empty();
    }
    const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
    if (waited.count() > limits_.wallSecondsPerPicture ||
        CpuSecondsOf(pid_) - cpuAtStart > limits_.cpuSecondsPerPicture)
      return false;
  }
}

void DecoderProcess::FillForgotten(DecoderRequest& request) {
  const std::size_t count = std::min(forgotten_.size(), request.forgotten.size());
  std::copy_n(forgotten_.begin(), count, request.forgotten.begin());
  forgotten_.erase(forgotten_.begin(), forgotten_.begin() + static_cast<std::ptrdiff_t>(count));
}

bool DecoderProcess::Exchange(const DecoderRequest& request, const std::vector<int>& descriptors,
                              DecoderReply& reply) {
  if (!alive()) return false;
  DecoderRequest sent = request;
  FillForgotten(sent);
  if (!SendRecord(channel_, &sent, sizeof sent, descriptors) || !AwaitReply(reply)) {
    End();
    return false;
  }
  return true;
}

DecoderProcess::Decoded DecoderProcess::Decode(int picture, const PictureFileFacts& facts,
                                               const std::string& extension, bool withPixels) {
  Decoded decoded;
  DecoderRequest request;
  request.task = DecoderTask::kDecode;
  request.wantPixels = withPixels ? 1 : 0;
  request.facts = facts;
  if (extension.size() < kExtensionSize)
    std::copy(extension.begin(), extension.end(), request.extension);
  // A buffer the library can decode straight into, when the header tells how large the
  // picture can be.
  std::shared_ptr<SharedBuffer> rows;
  if (withPixels && facts.width > 0 && facts.height > 0)
    rows = BufferFor(LargestPixelBytes(facts.width, facts.height));
  std::vector<int> descriptors = {picture};
  if (rows) {
    request.buffers[0] = {rows->id(), rows->capacity()};
    descriptors.push_back(rows->descriptor());
  }
  DecoderReply reply;
  if (!Exchange(request, descriptors, reply)) {
    decoded.failure = kLibraryFailed;
    return decoded;
  }
  if (reply.ok == 0) {
    decoded.failure = FailureOf(reply);
    return decoded;
  }
  const SurfaceLayout layout = reply.layout;
  if (!DescribesAPicture(reply)) {
    End();
    decoded.failure = kLibraryFailed;
    return decoded;
  }
  decoded.width = layout.width;
  decoded.height = layout.height;
  decoded.bitsPerPixel = reply.fileBitsPerPixel;
  if (!withPixels) return decoded;
  if (reply.pixelsInBuffer != 0) {
    if (rows && PixelBytes(layout) <= rows->capacity())
      decoded.surface = SurfaceOverPixels(layout, rows->data(), SharedBuffer::Lease(rows));
    if (!decoded.surface) decoded.failure = "there is not enough memory for it";
    return decoded;
  }

  // Asked for even when no buffer could be made, so that the process lets the picture go.
  const std::shared_ptr<SharedBuffer> buffer = BufferFor(PixelBytes(layout));
  DecoderRequest deliver;
  deliver.task = DecoderTask::kDeliverPixels;
  descriptors.clear();
  if (buffer) {
    deliver.buffers[0] = {buffer->id(), buffer->capacity()};
    descriptors.push_back(buffer->descriptor());
  }
  if (!Exchange(deliver, descriptors, reply)) {
    decoded.failure = kLibraryFailed;
    return decoded;
  }
  if (buffer && reply.ok != 0 && reply.bytes == PixelBytes(layout))
    decoded.surface = SurfaceOverPixels(layout, buffer->data(), SharedBuffer::Lease(buffer));
  if (!decoded.surface) decoded.failure = "there is not enough memory for it";
  return decoded;
}

DecoderProcess::Shrunk DecoderProcess::DecodeShrunk(int picture, const PictureFileFacts& facts,
                                                    const std::string& extension,
                                                    const ShrinkRequest& ask,
                                                    std::span<const ShrinkDestination> into) {
  Shrunk decoded;
  if (into.size() != ask.count)
    throw std::invalid_argument("a shrink request names as many sizes as it is given");
  std::size_t bytes = 0;
  for (const ShrinkDestination& size : into)
    bytes += Bitmap::StrideOf(size.width) * static_cast<std::size_t>(size.height);
  const std::shared_ptr<SharedBuffer> sizes = BufferFor(bytes);
  if (!sizes) {
    decoded.failure = "there is not enough memory for it";
    return decoded;
  }
  DecoderRequest request;
  request.task = DecoderTask::kDecodeShrunk;
  request.facts = facts;
  request.shrink = ask;
  if (extension.size() < kExtensionSize)
    std::copy(extension.begin(), extension.end(), request.extension);
  request.buffers[0] = {sizes->id(), sizes->capacity()};
  DecoderReply reply;
  if (!Exchange(request, {picture, sizes->descriptor()}, reply)) {
    decoded.failure = kLibraryFailed;
    return decoded;
  }
  if (reply.ok == 0) {
    decoded.failure = FailureOf(reply);
    return decoded;
  }
  if (!DescribesAPicture(reply)) {
    End();
    decoded.failure = kLibraryFailed;
    return decoded;
  }
  decoded.width = reply.layout.width;
  decoded.height = reply.layout.height;
  decoded.bitsPerPixel = reply.fileBitsPerPixel;
  decoded.shrunk = reply.shrunk != 0;
  if (!decoded.shrunk) return decoded;
  const uint8_t* from = sizes->data();
  for (const ShrinkDestination& size : into) {
    const std::size_t stride = Bitmap::StrideOf(size.width);
    for (int row = 0; row < size.height; ++row)
      std::memcpy(size.rows + static_cast<std::size_t>(row) * size.stride,
                  from + static_cast<std::size_t>(row) * stride, std::min(stride, size.stride));
    from += stride * static_cast<std::size_t>(size.height);
  }
  return decoded;
}

std::size_t DecoderProcess::SaveAsBmp(SDL_Surface* picture, std::size_t bound,
                                      std::vector<uint8_t>& file) {
  const SurfaceLayout layout = DescribeSurface(picture);
  if (!IsPlausible(layout) || bound == 0) return 0;
  const std::size_t pixelBytes = PixelBytes(layout);
  const std::shared_ptr<SharedBuffer> pixels = BufferFor(pixelBytes);
  if (!pixels) return 0;
  const std::shared_ptr<const void> pixelsLease = SharedBuffer::Lease(pixels);
  const std::shared_ptr<SharedBuffer> saved = BufferFor(bound);
  if (!saved) return 0;
  const std::shared_ptr<const void> savedLease = SharedBuffer::Lease(saved);
  {
    SurfaceLock lock(picture);
    if (!lock.locked()) return 0;
    std::memcpy(pixels->data(), picture->pixels, pixelBytes);
  }
  DecoderRequest request;
  request.task = DecoderTask::kSaveAsBmp;
  request.layout = layout;
  request.buffers[0] = {pixels->id(), pixels->capacity()};
  request.buffers[1] = {saved->id(), saved->capacity()};
  DecoderReply reply;
  if (!Exchange(request, {pixels->descriptor(), saved->descriptor()}, reply) || reply.ok == 0 ||
      reply.bytes == 0 || reply.bytes > std::min(bound, saved->capacity()))
    return 0;
  if (file.size() < bound) file.resize(bound);
  std::memcpy(file.data(), saved->data(), reply.bytes);
  return reply.bytes;
}

bool DecoderProcess::HasFreeBuffer() const {
  return std::any_of(buffers_.begin(), buffers_.end(),
                     [](const std::shared_ptr<SharedBuffer>& buffer) { return !buffer->leased(); });
}

std::shared_ptr<SharedBuffer> DecoderProcess::BufferFor(std::size_t bytes) {
  auto best = buffers_.end();
  for (auto it = buffers_.begin(); it != buffers_.end(); ++it) {
    const std::size_t capacity = (*it)->capacity();
    if ((*it)->leased() || capacity < bytes) continue;
    if (best == buffers_.end() || capacity < (*best)->capacity()) best = it;
  }
  std::shared_ptr<SharedBuffer> chosen;
  if (best != buffers_.end() &&
      (*best)->capacity() - bytes <= std::max(bytes, kWastedBytesTolerated)) {
    chosen = *best;
    buffers_.erase(best);
  } else {
    try {
      chosen = std::make_shared<SharedBuffer>(RoundedUpToGrain(std::max<std::size_t>(bytes, 1)));
    } catch (const std::exception&) {
      return nullptr;
    }
  }
  buffers_.push_back(chosen);
  LetSpareBuffersGo();
  return chosen;
}

void DecoderProcess::LetSpareBuffersGo() {
  // The chosen buffer (last) is about to be leased; of the other free ones the most
  // recently used are kept.
  std::size_t spare = 0;
  for (auto it = buffers_.rbegin() + 1; it != buffers_.rend(); ++it) spare += !(*it)->leased();
  for (auto it = buffers_.begin(); spare > kSpareBuffers && it + 1 != buffers_.end();) {
    if ((*it)->leased()) {
      ++it;
      continue;
    }
    forgotten_.push_back((*it)->id());
    it = buffers_.erase(it);
    --spare;
  }
}

}  // namespace varnel
