// The whole build of a show of 1920 x 1080 JPEGs beside loading the same pictures alone,
// in the same run. A cartridge holds 32 MiB and a full-size version of such a picture takes
// 4 MB, so a show with every version on fits 7 pictures; 50 pictures fit with the resized
// version, the thumbnail and the caption.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "builder/build_slideshow.h"
#include "document/label_tables.h"
#include "document/picture_row.h"
#include "picture/picture_loader.h"
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
    testing::WriteAllBytes(dir_.file("Src.res"), testing::FakeViewerProgram(4096, 0x5A));
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

constexpr int kPicturesWithEveryVersion = 7;

// Arguments: the number of pictures.
void BM_LoadPicturesOnly(benchmark::State& state) {
  const ShowPictures& pictures = Pictures();
  const auto count = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) {
    for (std::size_t i = 0; i < count; ++i) {
      SurfacePtr picture = LoadPicture(pictures.paths()[i]).surface;
      benchmark::DoNotOptimize(picture.get());
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadPicturesOnly)
    ->Arg(kPictures)
    ->Arg(kPicturesWithEveryVersion)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Arguments: the number of pictures and their sizing; thumbnails and captions are on.
// The rows as varnel-build makes them: from the pictures' headers, not loaded (the build
// loads each picture once).
PictureEntry RowAsTheCommandLineMakesIt(const std::string& path, int sizing) {
  return MakeUnloadedPictureRow(path, sizing, 6, "A caption for every picture").row;
}

void BM_BuildShow(benchmark::State& state) {
  const ShowPictures& pictures = Pictures();
  testing::RecordingBuildHost host(pictures.dir().workDirectory());
  const auto count = static_cast<std::size_t>(state.range(0));
  const BuildFiles files{pictures.dir().file("Src.res"), pictures.dir().file("slide.gba")};
  for (auto _ : state) {
    host.document.rows.clear();
    for (std::size_t i = 0; i < count; ++i)
      host.document.rows.push_back(
          RowAsTheCommandLineMakesIt(pictures.paths()[i], static_cast<int>(state.range(1))));
    const BuildOutcome outcome = BuildSlideShow(host, files);
    if (!outcome.ok) {
      state.SkipWithError(outcome.message.c_str());
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["image_MiB"] =
      static_cast<double>(std::filesystem::file_size(files.outputPath)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_BuildShow)
    ->Args({kPictures, kSizingResizedOnly})
    ->Args({kPicturesWithEveryVersion, kSizingBoth})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace varnel

BENCHMARK_MAIN();
