// Loading a project of 1000 rows beside loading its 1000 pictures alone: the difference
// is what the project file itself costs (reading, row making), which must stay well
// under a second.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/project_show_on_disk.h"
#include "picture/picture_loader.h"
#include "project/byte_source.h"
#include "project/load_project_document.h"
#include "project/project_file_reader.h"
#include "tests/support/project_bytes.h"

namespace varnel {
namespace {

using bench::kProjectRows;
using bench::ProjectShowOnDisk;
constexpr int kRows = kProjectRows;

const ProjectShowOnDisk& Show() {
  static const ProjectShowOnDisk show;
  return show;
}

void BM_LoadPicturesAlone(benchmark::State& state) {
  const ProjectShowOnDisk& show = Show();
  for (auto _ : state) {
    for (const std::string& path : show.paths()) {
      SurfacePtr picture = LoadPicture(path).surface;
      if (!picture) state.SkipWithError("a picture did not load");
      benchmark::DoNotOptimize(picture.get());
    }
  }
}
BENCHMARK(BM_LoadPicturesAlone)->Unit(benchmark::kMillisecond);

void BM_LoadProject1000Rows(benchmark::State& state) {
  const ProjectShowOnDisk& show = Show();
  for (auto _ : state) {
    const ProjectDocumentLoad load = LoadProjectDocument(show.project());
    if (load.document.rows.size() != kRows) state.SkipWithError("rows were lost");
    benchmark::DoNotOptimize(load.document.rows.data());
  }
}
BENCHMARK(BM_LoadProject1000Rows)->Unit(benchmark::kMillisecond);

// The reader alone, from memory: the part of a load that is the file format's own.
void BM_ReadProjectFile1000Records(benchmark::State& state) {
  const ProjectShowOnDisk& show = Show();
  for (auto _ : state) {
    testing::MemoryByteSource source(show.bytes());
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
