// The whole build of a 50-picture show of 1920 x 1080 JPEGs with every version on, beside
// loading the same pictures alone, in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "builder/build_slideshow.h"
#include "document/label_tables.h"
#include "document/sdl_picture.h"
#include "tests/support/recording_build_host.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

constexpr int kPictures = 50;
constexpr int kDistinctPictures = 5;

// Makes the pictures once per run with ImageMagick: a few distinct photographs-like
// pictures, each used for several slides.
class ShowPictures {
 public:
  ShowPictures() {
    for (int i = 0; i < kDistinctPictures; ++i) {
      const std::string path = dir_.file("photo" + std::to_string(i) + ".jpg");
      const std::string command = "convert-im6.q16 -seed " + std::to_string(i + 1) +
                                  " -size 1920x1080 plasma:fractal -quality 90 JPEG:'" + path + "'";
      if (std::system(command.c_str()) != 0) throw std::runtime_error("cannot make " + path);
      distinct_.push_back(path);
    }
    for (int i = 0; i < kPictures; ++i) paths_.push_back(distinct_[i % kDistinctPictures]);
    testing::WriteAllBytes(dir_.file("Src.res"), std::vector<uint8_t>(4096, 0x5A));
  }
  const std::vector<std::string>& paths() const { return paths_; }
  const testing::TempDir& dir() const { return dir_; }

 private:
  testing::TempDir dir_;
  std::vector<std::string> distinct_, paths_;
};

const ShowPictures& Pictures() {
  static const ShowPictures pictures;
  return pictures;
}

void BM_LoadPicturesOnly(benchmark::State& state) {
  const ShowPictures& pictures = Pictures();
  for (auto _ : state) {
    for (const std::string& path : pictures.paths()) {
      SurfacePtr picture = LoadPicture(path);
      benchmark::DoNotOptimize(picture.get());
    }
  }
  state.SetItemsProcessed(state.iterations() * kPictures);
}
BENCHMARK(BM_LoadPicturesOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BuildFiftyPictureShow(benchmark::State& state) {
  const ShowPictures& pictures = Pictures();
  testing::RecordingBuildHost host(pictures.dir().workDirectory());
  for (const std::string& path : pictures.paths())
    host.AddPicture(path, kSizingBoth, 6, "A caption for every picture");
  const BuildFiles files{pictures.dir().file("Src.res"), pictures.dir().file("slide.gba")};
  for (auto _ : state) {
    const BuildOutcome outcome = BuildSlideShow(host, files);
    if (!outcome.ok) state.SkipWithError(outcome.message.c_str());
  }
  state.SetItemsProcessed(state.iterations() * kPictures);
  state.counters["image_MiB"] =
      static_cast<double>(std::filesystem::file_size(files.outputPath)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_BuildFiftyPictureShow)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace varnel

BENCHMARK_MAIN();
