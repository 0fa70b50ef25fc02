// Speed of the picture conversion: the two resampler passes on their own, and whole
// conversions of a 4000 x 3000 JPEG at the three sizes the builder asks for, beside
// IMG_Load of the same file (the time a user already waits for each picture).
//
//   conversion_bench [--benchmark_filter=...]
//
// source_MP is source megapixels per second of a pass.

#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

#include "builder/bitmap.h"
#include "builder/encode_picture.h"
#include "builder/resampler.h"
#include "builder/rom_layout.h"
#include "builder/shrink_kernels.h"
#include "files/binary_file.h"
#include "picture/picture_loader.h"
#include "tests/support/picture_conversion.h"

namespace varnel {
namespace {

using testing::EncodePicture;
using testing::EnlargeRgb24;
using testing::ShrinkRgb24Using;
using testing::ShrinkViewIntoUsing;

constexpr int kPhotoWidth = 4000;
constexpr int kPhotoHeight = 3000;

SDL_Surface* Photo() {
  static SurfacePtr photo = [] {
    SurfacePtr loaded = LoadPicture(VARNEL_BENCH_PICTURE).surface;
    if (!loaded || loaded->w != kPhotoWidth || loaded->h != kPhotoHeight)
      throw std::runtime_error("cannot load the 4000 x 3000 " + std::string(VARNEL_BENCH_PICTURE));
    return loaded;
  }();
  return photo.get();
}

// The photo as 24-bit bottom-up rows, the resampler's input.
const Bitmap& PhotoRows() {
  static const Bitmap rows = [] {
    SDL_Surface* photo = Photo();
    Bitmap bitmap;
    bitmap.width = photo->w;
    bitmap.height = photo->h;
    bitmap.rows.resize(bitmap.stride() * static_cast<std::size_t>(photo->h));
    SurfaceLock lock(photo);
    for (int y = 0; y < photo->h; ++y) {
      const auto* in = static_cast<const uint8_t*>(photo->pixels) + y * photo->pitch;
      uint8_t* out = bitmap.rows.data() + (photo->h - 1 - y) * bitmap.stride();
      for (int x = 0; x < photo->w; ++x) {
        uint8_t r, g, b;
        SDL_GetRGB(in[x * 3] | in[x * 3 + 1] << 8 | in[x * 3 + 2] << 16, photo->format, &r, &g, &b);
        out[x * 3] = b;
        out[x * 3 + 1] = g;
        out[x * 3 + 2] = r;
      }
    }
    return bitmap;
  }();
  return rows;
}

void SetSourceRate(benchmark::State& state, int width, int height) {
  state.counters["source_MP"] = benchmark::Counter(
      static_cast<double>(width) * height * static_cast<double>(state.iterations()) / 1e6,
      benchmark::Counter::kIsRate);
}

// Whether a path runs on this processor's own instructions: the portable path always, a
// vector path when its kernel is not the portable stand-ins.
bool ShrinkPathIsNative(ShrinkPath path) {
  return path == ShrinkPath::kPortable ||
         ShrinkKernelOf(path).accumulate != StandInKernelOf(path).accumulate;
}

ShrinkPath PathOf(int64_t index) {
  return index == 0 ? ShrinkPath::kPortable : index == 1 ? ShrinkPath::kAvx2 : ShrinkPath::kAvx512;
}

// Args: destination width, height, path (0 portable, 1 AVX2, 2 AVX-512).
void BM_ShrinkRgb24(benchmark::State& state) {
  const ShrinkPath path = PathOf(state.range(2));
  if (!ShrinkPathIsNative(path)) {
    state.SkipWithError("this processor lacks the path's instructions");
    return;
  }
  const Bitmap& source = PhotoRows();
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  std::vector<uint8_t> out(Bitmap::StrideOf(width) * static_cast<std::size_t>(height));
  for (auto _ : state) {
    ShrinkRgb24Using(path, source.rows.data(), source.width, source.height, out.data(), width,
                     height);
    benchmark::DoNotOptimize(out.data());
  }
  SetSourceRate(state, source.width, source.height);
}
// The 240 x 160 version and the thumbnail in one walk over the photo, as a build makes
// them. Arg: path.
void BM_ShrinkScreenAndThumbnail(benchmark::State& state) {
  const ShrinkPath path = PathOf(state.range(0));
  if (!ShrinkPathIsNative(path)) {
    state.SkipWithError("this processor lacks the path's instructions");
    return;
  }
  const Bitmap& source = PhotoRows();
  Bitmap screen, thumbnail;
  screen.width = kScreenWidth;
  screen.height = kScreenHeight;
  screen.rows.resize(screen.stride() * kScreenHeight);
  thumbnail.width = kThumbnailWidth;
  thumbnail.height = kThumbnailHeight;
  thumbnail.rows.resize(thumbnail.stride() * kThumbnailHeight);
  const std::vector<ShrinkDestination> both = {
      {screen.rows.data(), screen.stride(), screen.width, screen.height},
      {thumbnail.rows.data(), thumbnail.stride(), thumbnail.width, thumbnail.height}};
  const BitmapView view(source);
  for (auto _ : state) {
    ShrinkViewIntoUsing(path, view, both);
    benchmark::DoNotOptimize(screen.rows.data());
    benchmark::DoNotOptimize(thumbnail.rows.data());
  }
  SetSourceRate(state, source.width, source.height);
}
BENCHMARK(BM_ShrinkScreenAndThumbnail)->Arg(2)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_ShrinkRgb24)
    ->Args({240, 160, 2})
    ->Args({60, 40, 2})
    ->Args({3996, 3000, 2})
    ->Args({240, 160, 1})
    ->Args({60, 40, 1})
    ->Args({3996, 3000, 1})
    ->Args({240, 160, 0})
    ->Args({60, 40, 0})
    ->Args({3996, 3000, 0})
    ->Unit(benchmark::kMillisecond);

void BM_EnlargeRgb24(benchmark::State& state) {
  const int sourceWidth = 120, sourceHeight = 80, width = 240, height = 160;
  std::vector<uint8_t> source(Bitmap::StrideOf(sourceWidth) * sourceHeight);
  std::mt19937 random(1);
  for (uint8_t& byte : source) byte = static_cast<uint8_t>(random());
  std::vector<uint8_t> out(Bitmap::StrideOf(width) * height);
  for (auto _ : state) {
    EnlargeRgb24(source.data(), sourceWidth, sourceHeight, out.data(), width, height);
    benchmark::DoNotOptimize(out.data());
  }
  SetSourceRate(state, sourceWidth, sourceHeight);
  state.counters["destination_MP"] = benchmark::Counter(
      width * height * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EnlargeRgb24)->Unit(benchmark::kMicrosecond);

void BM_ImgLoad(benchmark::State& state) {
  for (auto _ : state) {
    SurfacePtr picture = LoadPicture(VARNEL_BENCH_PICTURE).surface;
    if (!picture) state.SkipWithError("IMG_Load failed");
    benchmark::DoNotOptimize(picture.get());
  }
}
BENCHMARK(BM_ImgLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

// A directory for the output image, removed at exit.
const std::string& WorkDirectory() {
  static const struct Dir {
    std::string path;
    Dir() {
      std::string pattern =
          (std::filesystem::temp_directory_path() / "varnel-bench-XXXXXX").string();
      if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
      path = pattern + "/";
    }
    ~Dir() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  } dir;
  return dir.path;
}

// Args: target width and height; 0 x 0 stands for full size.
void BM_EncodePicture(benchmark::State& state) {
  SDL_Surface* photo = Photo();
  const auto width = static_cast<uint16_t>(state.range(0) != 0 ? state.range(0) : photo->w & ~3);
  const auto height = static_cast<uint16_t>(state.range(1) != 0 ? state.range(1) : photo->h);
  NullPreview preview;
  const ConversionContext context{&preview};
  const std::string outputPath = WorkDirectory() + "slide.gba";
  for (auto _ : state) {
    state.PauseTiming();
    BinaryFile output = BinaryFile::Create(outputPath);
    output.WriteZeros(kPictureDataOffset);  // a result of 0 means failure
    state.ResumeTiming();
    if (EncodePicture(output, photo, width, height, context) == 0)
      state.SkipWithError("conversion failed");
    state.PauseTiming();
    output.Close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EncodePicture)
    ->Args({0, 0})
    ->Args({240, 160})
    ->Args({60, 40})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace varnel

BENCHMARK_MAIN();
