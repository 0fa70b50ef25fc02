// Decoder processes: what comes back is the picture the library made, and whatever a file
// does to the library ends only its decoder.
#include "picture/decoder_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <seccomp.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "builder/bitmap_view.h"
#include "builder/resampler.h"
#include "builder/shrink_kernels.h"
#include "picture/decoder_pool.h"
#include "picture/picture_decoding.h"
#include "picture/picture_file_facts.h"
#include "picture/picture_loader.h"
#include "picture/syscall_filter.h"
#include "tests/support/hostile_pictures.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::TempDir;
using testing::TestDataPath;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr Open(const std::string& path) {
  FilePtr file(std::fopen(path.c_str(), "rb"));
  EXPECT_NE(file, nullptr) << path;
  return file;
}

// Every test picture, each kind and depth the library gives.
const std::vector<std::string> kEveryKind = {"picture-8bit.bmp",
                                             "picture-24bit.bmp",
                                             "picture-32bit.bmp",
                                             "bmp16.bmp",
                                             "bmp32-zero-alpha.bmp",
                                             "picture-palette.png",
                                             "picture-24bit.png",
                                             "picture-32bit.png",
                                             "grey16.png",
                                             "transparent-colour.png",
                                             "transparent-entry.png",
                                             "transparent-entries.png",
                                             "orientation-6.png",
                                             "picture.jpg",
                                             "orientation-8.jpg",
                                             "cmyk-adobe.jpg",
                                             "jpeg-odd-width.jpg",
                                             "jpeg-grey.jpg",
                                             "jpeg-progressive.jpg",
                                             "picture.gif"};

void ExpectSameSurface(SDL_Surface* got, SDL_Surface* want, const std::string& name) {
  const SurfaceLayout a = DescribeSurface(got), b = DescribeSurface(want);
  EXPECT_EQ(a.width, b.width) << name;
  EXPECT_EQ(a.height, b.height) << name;
  EXPECT_EQ(a.pitch, b.pitch) << name;
  EXPECT_EQ(a.bitsPerPixel, b.bitsPerPixel) << name;
  EXPECT_EQ(got->format->BytesPerPixel, want->format->BytesPerPixel) << name;
  EXPECT_EQ(a.redMask, b.redMask) << name;
  EXPECT_EQ(a.greenMask, b.greenMask) << name;
  EXPECT_EQ(a.blueMask, b.blueMask) << name;
  EXPECT_EQ(a.alphaMask, b.alphaMask) << name;
  EXPECT_EQ(got->format->Rshift, want->format->Rshift) << name;
  EXPECT_EQ(got->format->Rloss, want->format->Rloss) << name;
  EXPECT_EQ(got->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA),
            want->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA))
      << name;
  EXPECT_EQ(a.colourKey, b.colourKey) << name;
  EXPECT_EQ(a.alpha, b.alpha) << name;
  ASSERT_EQ(a.colourCount, b.colourCount) << name;
  for (uint32_t i = 0; i < a.colourCount; ++i) {
    EXPECT_EQ(a.palette[i].r, b.palette[i].r) << name << " colour " << i;
    EXPECT_EQ(a.palette[i].g, b.palette[i].g) << name << " colour " << i;
    EXPECT_EQ(a.palette[i].b, b.palette[i].b) << name << " colour " << i;
  }
  ASSERT_EQ(PixelBytes(a), PixelBytes(b)) << name;
  EXPECT_EQ(std::memcmp(got->pixels, want->pixels, PixelBytes(a)), 0) << name;
}

// The picture a decoder sends is the one the library makes in this process, to the byte.
TEST(DecoderProcess, PicturesComeBackAsTheLibraryMadeThem) {
  SetUpPictureLibrary();
  for (const std::string& name : kEveryKind) {
    const std::string path = TestDataPath(name);
    FilePtr file = Open(path);
    const PictureFileFacts facts = ReadPictureFileFacts(file.get());
    const DecodedPicture here = DecodePicture(file.get(), facts, path.substr(path.size() - 3));
    ASSERT_TRUE(here.surface) << name << ": " << here.failure;

    const LoadedPicture loaded = LoadPicture(path);
    ASSERT_TRUE(loaded) << name << ": " << loaded.failure;
    EXPECT_EQ(loaded.bitsPerPixel, here.bitsPerPixel) << name;
    ExpectSameSurface(loaded.surface.get(), here.surface.get(), name);

    const LoadedPictureSize size = LoadPictureSize(path);
    ASSERT_TRUE(size) << name << ": " << size.failure;
    EXPECT_EQ(size.width, here.surface->w) << name;
    EXPECT_EQ(size.height, here.surface->h) << name;
    EXPECT_EQ(size.bitsPerPixel, here.bitsPerPixel) << name;
  }
  // The library's BMP writer, run in a decoder, writes what it writes here.
  for (const std::string name : {"picture-palette.png", "picture-8bit.bmp", "picture-24bit.png"}) {
    const LoadedPicture loaded = LoadPicture(TestDataPath(name));
    ASSERT_TRUE(loaded);
    std::vector<uint8_t> here(1 << 16), there;
    SDL_RWops* stream = SDL_RWFromMem(here.data(), static_cast<int>(here.size()));
    ASSERT_EQ(SDL_SaveBMP_RW(loaded.surface.get(), stream, 0), 0) << name;
    here.resize(static_cast<std::size_t>(SDL_RWtell(stream)));
    SDL_RWclose(stream);
    const std::size_t length = SavePictureAsBmp(loaded.surface.get(), 1 << 16, there);
    ASSERT_EQ(length, here.size()) << name;
    there.resize(length);
    EXPECT_EQ(there, here) << name;
  }
}

// A JPEG's rows are written by its loader and not cleared first: decoded into memory that
// held another picture, every byte (row padding included, and the rows a file cut short
// leaves to the library) is still the library's.
TEST(DecoderProcess, JpegsDecodedWhereAnotherPictureLayComeBackAsTheLibraryMadeThem) {
  SetUpPictureLibrary();
  TempDir dir;
  std::vector<std::string> paths;
  for (const char* name : {"jpeg-odd-width.jpg", "jpeg-grey.jpg", "jpeg-progressive.jpg",
                           "picture.jpg", "cmyk-adobe.jpg"})
    paths.push_back(TestDataPath(name));
  std::ifstream whole(TestDataPath("jpeg-odd-width.jpg"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(whole)), {});
  const std::string cut = (dir.path() / "cut.jpg").string();
  std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() * 3 / 5);
  paths.push_back(cut);
  for (const std::string& path : paths) {
    // A picture of more bytes, none of them 0, lies where the JPEG is decoded next.
    ASSERT_TRUE(LoadPicture(TestDataPath("picture-24bit.png")));
    FilePtr file = Open(path);
    const PictureFileFacts facts = ReadPictureFileFacts(file.get());
    const DecodedPicture here = DecodePicture(file.get(), facts, "jpg");
    ASSERT_TRUE(here.surface) << path << ": " << here.failure;
    const LoadedPicture loaded = LoadPicture(path);
    ASSERT_TRUE(loaded) << path << ": " << loaded.failure;
    ExpectSameSurface(loaded.surface.get(), here.surface.get(), path);
  }
}

// A JPEG shrunk in its decoder as its rows come gives the bytes the resampler gives the
// picture LoadPicture loads: each path, a part or the whole, one size or two, progressive,
// grey and cut-short files among them. A picture the decoder mends whole (turned, CMYK)
// is left to LoadPicture; a damaged one fails as it does there.
TEST(LoadPictureShrunk, GivesTheBytesOfTheLoadedPictureShrunk) {
  SetUpPictureLibrary();
  TempDir dir;
  std::ifstream whole(TestDataPath("photo-501x333.jpg"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(whole)), {});
  const std::string cut = (dir.path() / "cut.jpg").string();
  std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  struct Case {
    std::string path;
    ShrinkRequest ask;
  };
  const auto ask = [](int x, int y, int w, int h, std::vector<std::array<int, 2>> sizes) {
    ShrinkRequest request;
    request.x = x;
    request.y = y;
    request.width = w;
    request.height = h;
    request.count = static_cast<uint32_t>(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      request.widths[i] = sizes[i][0];
      request.heights[i] = sizes[i][1];
    }
    return request;
  };
  const std::vector<Case> cases = {
      {TestDataPath("photo-480x320.jpg"), ask(0, 0, 480, 320, {{240, 160}, {60, 40}})},
      {TestDataPath("photo-501x333.jpg"), ask(0, 0, 501, 333, {{240, 160}, {60, 40}})},
      {TestDataPath("photo-501x333.jpg"), ask(1, 0, 499, 333, {{240, 160}, {60, 40}})},
      {TestDataPath("photo-501x333.jpg"), ask(0, 83, 501, 167, {{240, 80}})},
      {TestDataPath("jpeg-progressive.jpg"), ask(3, 2, 40, 27, {{17, 9}, {40, 1}})},
      {TestDataPath("jpeg-grey.jpg"), ask(0, 0, 29, 17, {{29, 16}})},
      {TestDataPath("jpeg-odd-width.jpg"), ask(0, 0, 37, 23, {{36, 23}, {5, 3}})},
      {cut, ask(0, 0, 501, 333, {{240, 160}, {60, 40}})}};
  for (const Case& c : cases) {
    const LoadedPicture loaded = LoadPicture(c.path);
    ASSERT_TRUE(loaded) << c.path;
    SDL_Surface* surface = loaded.surface.get();
    const BitmapView part = BitmapView::OfTopDown(static_cast<const uint8_t*>(surface->pixels),
                                                  surface->w, surface->h, surface->pitch, true)
                                .Part(c.ask.x, c.ask.y, c.ask.width, c.ask.height);
    for (const ShrinkPath path : {ShrinkPath::kPortable, ShrinkPath::kAvx2, ShrinkPath::kAvx512})
      for (const bool standIns : {false, true}) {
        ShrinkRequest request = c.ask;
        request.path = static_cast<uint32_t>(path);
        request.standIns = standIns ? 1 : 0;
        std::vector<std::vector<uint8_t>> expected, got;
        std::vector<ShrinkDestination> walked, shrunk;
        for (uint32_t i = 0; i < request.count; ++i) {
          const int w = request.widths[i], h = request.heights[i];
          const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
          expected.emplace_back(stride * h, 0);
          got.emplace_back(stride * h, 0x5A);
          walked.push_back({expected.back().data(), stride, w, h});
          shrunk.push_back({got.back().data(), stride, w, h});
        }
        ShrinkViewIntoWith(KernelOf({path, standIns}), part, walked);
        const ShrunkPicture picture = LoadPictureShrunk(c.path, request, shrunk);
        const std::string what =
            c.path + " path " + std::to_string(request.path) + (standIns ? " on stand-ins" : "");
        ASSERT_TRUE(picture.failure.empty()) << what << ": " << picture.failure;
        ASSERT_TRUE(picture.shrunk) << what;
        EXPECT_EQ(picture.width, surface->w) << what;
        EXPECT_EQ(picture.height, surface->h) << what;
        EXPECT_EQ(picture.bitsPerPixel, loaded.bitsPerPixel) << what;
        EXPECT_EQ(got, expected) << what;
      }
  }
  std::vector<uint8_t> rows(100 * 100 * 3);
  const ShrinkDestination into{rows.data(), 24, 8, 8};
  const std::optional<ShownSize> shrinkable =
      ShrinkableSizeFromHeader(TestDataPath("photo-501x333.jpg"));
  ASSERT_TRUE(shrinkable);
  EXPECT_EQ(shrinkable->width, 501);
  EXPECT_EQ(shrinkable->height, 333);
  for (const char* name : {"orientation-6.jpg", "cmyk-adobe.jpg", "picture-24bit.png"}) {
    EXPECT_FALSE(ShrinkableSizeFromHeader(TestDataPath(name))) << name;
    const ShrunkPicture picture =
        LoadPictureShrunk(TestDataPath(name), ask(0, 0, 16, 16, {{8, 8}}), {&into, 1});
    EXPECT_TRUE(picture.failure.empty()) << name;
    EXPECT_FALSE(picture.shrunk) << name;
  }
  const std::string damaged = (dir.path() / "damaged.jpg").string();
  std::ofstream(damaged, std::ios::binary) << bytes.substr(0, 200);
  const ShrunkPicture picture =
      LoadPictureShrunk(damaged, ask(0, 0, 501, 333, {{8, 8}}), {&into, 1});
  EXPECT_FALSE(picture.shrunk);
  EXPECT_EQ(picture.failure, LoadPicture(damaged).failure);
}

// Decoders are started when first needed and kept: pictures loaded one after another on
// one thread start none.
TEST(DecoderProcess, PicturesOneAfterAnotherAreDecodedByTheDecodersAlreadyRunning) {
  ASSERT_TRUE(LoadPicture(TestDataPath("picture.jpg")));
  std::vector<pid_t> running = testing::DecodersOf(::getpid());
  ASSERT_FALSE(running.empty());
  for (int i = 0; i < 4; ++i) {
    for (const char* name : {"picture.jpg", "picture-palette.png", "picture.gif"}) {
      EXPECT_TRUE(LoadPicture(TestDataPath(name))) << name;
      EXPECT_TRUE(LoadPictureSize(TestDataPath(name))) << name;
    }
  }
  std::vector<pid_t> after = testing::DecodersOf(::getpid());
  std::sort(running.begin(), running.end());
  std::sort(after.begin(), after.end());
  EXPECT_EQ(after, running);
}

// The picture library crashes on this GIF; the program's own check, which refuses it, is
// passed by for the test.
PictureFileFacts FactsPassingTheCheck(const std::string& path) {
  FilePtr file = Open(path);
  PictureFileFacts facts = ReadPictureFileFacts(file.get());
  facts.structureDamaged = false;
  return facts;
}

TEST(DecoderProcess, ALibraryCrashEndsOnlyTheDecoderAndItsPicture) {
  TempDir dir;
  const std::string crashing = testing::WriteGif(dir.file("zero.gif"), testing::ZeroSizeImageGif());
  const std::string sound = TestDataPath("picture-24bit.png");
  DecoderProcess decoder;
  ASSERT_TRUE(decoder.alive());
  FilePtr file = Open(crashing);
  const DecoderProcess::Decoded crashed =
      decoder.Decode(::fileno(file.get()), FactsPassingTheCheck(crashing), "gif", true);
  EXPECT_EQ(crashed.failure, "the picture library failed on this file");
  EXPECT_FALSE(crashed.surface);
  EXPECT_FALSE(decoder.alive());
  FilePtr soundFile = Open(sound);
  EXPECT_EQ(decoder.Decode(::fileno(soundFile.get()), PictureFileFacts{}, "png", true).failure,
            "the picture library failed on this file");

  // A decoder of the pool that died while idle is replaced before it is given out.
  pid_t idle = 0;
  {
    DecoderPool::Lease lease = DecoderPool::Shared().Take();
    idle = lease->pid();
  }
  ASSERT_EQ(::kill(idle, SIGKILL), 0);
  ::usleep(20000);
  EXPECT_TRUE(LoadPicture(sound)) << LoadPicture(sound).failure;
}

// A decoder may use so much CPU time on one picture, then it is ended. This GIF takes the
// library long enough (every pixel a code of its own).
TEST(DecoderProcess, APictureOverItsCpuTimeEndsItsDecoder) {
  TempDir dir;
  testing::GifLayout slow;
  slow.screenWidth = slow.width = 3000;
  slow.screenHeight = slow.height = 2000;
  slow.codeSizeByte = 8;
  slow.literalCodes = true;
  const std::string path = testing::WriteGif(dir.file("slow.gif"), slow);
  DecoderProcess::Limits limits = DecoderProcess::DefaultLimits();
  limits.cpuSecondsPerPicture = 0.01;
  DecoderProcess decoder(limits);
  FilePtr file = Open(path);
  const auto start = std::chrono::steady_clock::now();
  const DecoderProcess::Decoded decoded =
      decoder.Decode(::fileno(file.get()), ReadPictureFileFacts(file.get()), "gif", true);
  EXPECT_EQ(decoded.failure, "the picture library failed on this file");
  EXPECT_FALSE(decoder.alive());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

// With room for less than the picture, the library runs out of memory in the decoder.
TEST(DecoderProcess, APictureOverItsAddressSpaceFailsInItsDecoder) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "decoders built with a sanitizer have no bound on their address space";
#endif
  TempDir dir;
  const std::string path = testing::WriteBmp24(dir.file("large.bmp"), 4000, 3000, [](int x, int y) {
    return testing::Rgb{uint8_t(x), uint8_t(y), 0};
  });
  DecoderProcess::Limits limits = DecoderProcess::DefaultLimits();
  DecoderProcess roomy(limits);
  FilePtr file = Open(path);
  EXPECT_EQ(
      roomy.Decode(::fileno(file.get()), ReadPictureFileFacts(file.get()), "bmp", false).failure,
      "");
  // The process's own size (libraries and their data) and a little more, far less than the
  // 36 MB picture.
  char status[64];
  std::snprintf(status, sizeof status, "/proc/%d/statm", roomy.pid());
  FilePtr statm(std::fopen(status, "r"));
  ASSERT_NE(statm, nullptr);
  unsigned long pages = 0;
  ASSERT_EQ(std::fscanf(statm.get(), "%lu", &pages), 1);
  limits.addressSpaceBytes =
      pages * static_cast<unsigned long>(::sysconf(_SC_PAGESIZE)) + (8 << 20);
  DecoderProcess cramped(limits);
  const DecoderProcess::Decoded decoded =
      cramped.Decode(::fileno(file.get()), ReadPictureFileFacts(file.get()), "bmp", true);
  EXPECT_FALSE(decoded.surface);
  EXPECT_EQ(decoded.failure, "there is not enough memory for it");
}

// Runs body in a child process under the decoders' filter: the child's end, as a wait
// status; -1 when the kernel refused the filter.
int StatusUnderTheFilter(void (*body)()) {
  int channel[2];
  if (::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, channel) != 0) return -2;
  const pid_t child = ::fork();
  if (child == 0) {
    if (RestrictToDecoding(channel[1]) != 0) ::_exit(99);
    body();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(channel[0]);
  ::close(channel[1]);
  return WIFEXITED(status) && WEXITSTATUS(status) == 99 ? -1 : status;
}

TEST(SyscallFilter, ADecoderThatOpensAFileOrMakesASocketOrProcessIsEnded) {
  const auto killedBySigsys = [](int status) {
    return status >= 0 && WIFSIGNALED(status) && WTERMSIG(status) == SIGSYS;
  };
  const int opened = StatusUnderTheFilter([] { ::open("/etc/hostname", O_RDONLY); });
  if (opened == -1) GTEST_SKIP() << "the kernel refuses system call filters here";
  EXPECT_TRUE(killedBySigsys(opened)) << opened;
  EXPECT_TRUE(killedBySigsys(StatusUnderTheFilter([] { ::socket(AF_INET, SOCK_STREAM, 0); })));
  EXPECT_TRUE(killedBySigsys(StatusUnderTheFilter([] { ::fork(); })));
  EXPECT_TRUE(killedBySigsys(StatusUnderTheFilter(
      [] { ::mmap(nullptr, 4096, PROT_READ | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0); })));
  // What decoding needs goes on: memory, reading a file it holds, the standard error.
  static int held = -1;
  held = ::open(TestDataPath("picture.jpg").c_str(), O_RDONLY);
  const int decoded = StatusUnderTheFilter([] {
    std::FILE* file = ::fdopen(held, "rb");
    const DecodedPicture picture = DecodePicture(file, ReadPictureFileFacts(file), "jpg");
    std::vector<uint8_t> memory(64 << 20, 1);
    ::_exit(picture.surface && picture.surface->w == 48 && memory.back() == 1 ? 0 : 1);
  });
  ::close(held);
  EXPECT_TRUE(WIFEXITED(decoded) && WEXITSTATUS(decoded) == 0) << decoded;

  // A real decoder runs under the filter (the kernel's mode 2), from before its first
  // picture.
  DecoderProcess decoder;
  EXPECT_TRUE(decoder.filtered());
  std::ifstream status("/proc/" + std::to_string(decoder.pid()) + "/status");
  std::string line;
  while (std::getline(status, line) && line.rfind("Seccomp:", 0) != 0) {
  }
  EXPECT_EQ(line, "Seccomp:\t2");
}

// Where the kernel refuses the filter (here a filter of the test's own forbids it), the
// decoders decode without it and the program says so once.
TEST(SyscallFilter, WhereTheKernelRefusesItDecodingGoesOnAndItIsSaidOnce) {
  int output[2];
  ASSERT_EQ(::pipe(output), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(output[1], STDERR_FILENO);
    scmp_filter_ctx refuse = seccomp_init(SCMP_ACT_ALLOW);
    seccomp_rule_add(refuse, SCMP_ACT_ERRNO(EPERM), SCMP_SYS(seccomp), 0);
    seccomp_rule_add(refuse, SCMP_ACT_ERRNO(EPERM), SCMP_SYS(prctl), 0);
    if (seccomp_load(refuse) != 0) ::_exit(98);
    DecoderProcess first, second;
    const bool unfiltered = !first.filtered() && !second.filtered();
    FilePtr file(std::fopen(TestDataPath("picture.jpg").c_str(), "rb"));
    const bool decodes =
        second.Decode(::fileno(file.get()), ReadPictureFileFacts(file.get()), "jpg", true)
            .surface != nullptr;
    ::_exit(unfiltered && decodes ? 0 : 1);
  }
  ::close(output[1]);
  std::string said;
  char chunk[256];
  for (ssize_t got; (got = ::read(output[0], chunk, sizeof chunk)) > 0;) said.append(chunk, got);
  ::close(output[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 98) GTEST_SKIP() << "no filters here";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << said;
  const std::string note = "pictures are decoded without their system call filter";
  const auto first = said.find(note);
  EXPECT_NE(first, std::string::npos) << said;
  EXPECT_EQ(said.find(note, first + 1), std::string::npos) << said;
}

}  // namespace
}  // namespace varnel
