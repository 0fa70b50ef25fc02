// Loading a project of 1000 rows beside loading its 1000 pictures alone: the difference
// is what the project file itself costs (reading, row making), which must stay well
// under a second.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/sdl_picture.h"
#include "project/byte_source.h"
#include "project/load_project_document.h"
#include "project/project_file_reader.h"
#include "project/project_file_writer.h"

namespace varnel {
namespace {

constexpr int kRows = 1000;
constexpr int kPictureWidth = 64;
constexpr int kPictureHeight = 48;

std::string WritePicture(const std::string& path, int seed) {
  SurfacePtr surface(SDL_CreateRGBSurface(SDL_SWSURFACE, kPictureWidth, kPictureHeight, 24,
                                          0x0000FF, 0x00FF00, 0xFF0000, 0));
  if (!surface) throw std::runtime_error("SDL_CreateRGBSurface failed");
  {
    SurfaceLock lock(surface.get());
    auto* pixels = static_cast<uint8_t*>(surface->pixels);
    for (int i = 0; i < surface->pitch * surface->h; ++i) pixels[i] = uint8_t(i * 7 + seed);
  }
  if (SDL_SaveBMP_RW(surface.get(), SDL_RWFromFile(path.c_str(), "wb"), 1) != 0)
    throw std::runtime_error("cannot write " + path);
  return path;
}

// 1000 pictures and a project naming them, made once and removed at the end.
class ShowOnDisk {
 public:
  ShowOnDisk() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "varnel-project-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    directory_ = pattern;
    std::vector<StoredPicture> pictures;
    for (int i = 0; i < kRows; ++i) {
      const std::string path =
          WritePicture((directory_ / ("picture" + std::to_string(i) + ".bmp")).string(), i);
      paths_.push_back(path);
      pictures.push_back({path, "Caption of picture " + std::to_string(i) + "\r\nsecond line",
                          uint16_t(i % 3), uint16_t(i % 9)});
    }
    project_ = (directory_ / "show.vrn").string();
    bytes_ = ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), pictures);
    std::ofstream out(project_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes_.data()), std::streamsize(bytes_.size()));
    if (!out) throw std::runtime_error("cannot write " + project_);
  }
  ~ShowOnDisk() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
  const std::vector<std::string>& paths() const { return paths_; }
  const std::string& project() const { return project_; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::filesystem::path directory_;
  std::vector<std::string> paths_;
  std::string project_;
  std::vector<uint8_t> bytes_;
};

const ShowOnDisk& Show() {
  static const ShowOnDisk show;
  return show;
}

void BM_LoadPicturesAlone(benchmark::State& state) {
  const ShowOnDisk& show = Show();
  for (auto _ : state) {
    for (const std::string& path : show.paths()) {
      SurfacePtr picture = LoadPicture(path);
      if (!picture) state.SkipWithError("a picture did not load");
      benchmark::DoNotOptimize(picture.get());
    }
  }
}
BENCHMARK(BM_LoadPicturesAlone)->Unit(benchmark::kMillisecond);

void BM_LoadProject1000Rows(benchmark::State& state) {
  const ShowOnDisk& show = Show();
  for (auto _ : state) {
    const ProjectDocumentLoad load = LoadProjectDocument(show.project());
    if (load.document.rows.size() != kRows) state.SkipWithError("rows were lost");
    benchmark::DoNotOptimize(load.document.rows.data());
  }
}
BENCHMARK(BM_LoadProject1000Rows)->Unit(benchmark::kMillisecond);

// The reader alone, from memory: the part of a load that is the file format's own.
void BM_ReadProjectFile1000Records(benchmark::State& state) {
  const ShowOnDisk& show = Show();
  for (auto _ : state) {
    MemoryByteSource source(show.bytes());
    std::size_t captionBytes = 0;
    ProjectFileHandlers handlers;
    handlers.picture = [&](const StoredPicture& picture) {
      captionBytes += picture.caption.size();
    };
    const ProjectReadResult read = ReadProjectFile(source, handlers);
    if (read.picturesRead != kRows) state.SkipWithError("records were lost");
    benchmark::DoNotOptimize(captionBytes);
  }
}
BENCHMARK(BM_ReadProjectFile1000Records)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel

BENCHMARK_MAIN();
