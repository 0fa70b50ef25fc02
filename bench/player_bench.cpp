// The player window playing a show, as the user sees it: 600 frames at the console's rate
// take 600 x 280896 / 2^24 s = 10.046 s of wall time. Beside it, in the same run, the same
// 600 frames emulated as fast as the host goes, which is the pacing's headroom.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <stdexcept>
#include <string>

#include "builder/build_slideshow.h"
#include "emulator/console_emulator.h"
#include "player/qt/player_window.h"
#include "tests/support/recording_build_host.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

constexpr int kFrames = 600;
constexpr double kConsoleSeconds = kFrames * 280896.0 / 16777216.0;

// A three-slide show with the time limit on (a slide a second), so the screen changes.
class BenchShow {
 public:
  BenchShow() : host_(dir_.workDirectory()) {
    for (int i = 0; i < 3; ++i) {
      const std::string path = dir_.file("picture" + std::to_string(i) + ".bmp");
      testing::WriteBmp24(path, 320, 200, [i](int x, int y) {
        return testing::Rgb{uint8_t(x + i * 80), uint8_t(y * 2), uint8_t((x ^ y) + i * 40)};
      });
      host_.AddPicture(path);
    }
    host_.document.options.timeLimit = 1;
    host_.document.options.secondsText = "1";
    imagePath_ = dir_.file("slide.gba");
    if (!BuildSlideShow(host_, BuildFiles{VARNEL_VIEWER_TEMPLATE, imagePath_}).ok)
      throw std::runtime_error("the benchmark show did not build");
  }
  const std::string& imagePath() const { return imagePath_; }

 private:
  testing::TempDir dir_;
  testing::RecordingBuildHost host_;
  std::string imagePath_;
};

const BenchShow& Show() {
  static const BenchShow show;
  return show;
}

void BM_PlayerWindow600Frames(benchmark::State& state) {
  for (auto _ : state) {
    PlayerWindow window;
    std::string error;
    if (!window.Open(Show().imagePath(), error)) throw std::runtime_error(error);
    QElapsedTimer clock;
    clock.start();
    window.show();
    while (window.emulator()->framesRun() < kFrames) {
      QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    state.SetIterationTime(seconds);
    state.counters["wall_s"] = seconds;
    state.counters["wall_to_console_time"] = seconds / kConsoleSeconds;
  }
}
BENCHMARK(BM_PlayerWindow600Frames)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void BM_Emulate600FramesUnpaced(benchmark::State& state) {
  for (auto _ : state) {
    ConsoleEmulator emulator(Show().imagePath());
    emulator.RunFrames(kFrames);
    benchmark::DoNotOptimize(emulator.framesRun());
  }
}
BENCHMARK(BM_Emulate600FramesUnpaced)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
