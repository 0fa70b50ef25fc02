// Save and Load of a 1000-row show in the real window (Qt, offscreen) beside making its
// 1000 rows alone: the difference is what the window adds (list, progress bar, painting).
// And Load and Add of 1000 photograph rows beside loading those pictures one after another
// with the picture library: the window makes its rows on every core, and keeps answering
// the window system and moving its progress bar meanwhile (the longest pauses are
// reported). The window's commands run on threads of their own, so their CPU time is the
// whole process's (the decoder processes apart), not the window thread's.
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/project_show_on_disk.h"
#include "document/label_tables.h"
#include "document/picture_row.h"
#include "picture/sdl_picture.h"
#include "project/project_file_writer.h"
#include "tests/support/project_bytes.h"
#include "tests/support/test_support.h"
#include "ui/model/slideshow_dlg.h"
#include "ui/qt/main_window.h"

namespace varnel {
namespace {

constexpr int kRows = bench::kProjectRows;
// Photographs a cartridge takes in their 240 x 160 version alone (76800 bytes each).
constexpr int kPhotosThatFit = 300;

// Rows of one 1024 x 768 photograph under as many names, and a project naming them with
// one sizing.
class PhotoShowOnDisk {
 public:
  explicit PhotoShowOnDisk(int rows, Sizing sizing = kSizingBoth) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "varnel-photo-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    directory_ = pattern;
    std::vector<StoredPicture> pictures;
    for (int i = 0; i < rows; ++i) {
      const std::filesystem::path path = directory_ / ("photo" + std::to_string(i) + ".jpg");
      std::error_code linkFailed;
      std::filesystem::create_hard_link(VARNEL_BENCH_PHOTO, path, linkFailed);
      if (linkFailed) std::filesystem::copy_file(VARNEL_BENCH_PHOTO, path);
      paths_.push_back(path.string());
      pictures.push_back({path.string(), "", static_cast<uint16_t>(sizing), 0});
    }
    project_ = (directory_ / "photos.vrn").string();
    const std::vector<uint8_t> bytes =
        testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), pictures);
    std::ofstream out(project_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + project_);
  }
  ~PhotoShowOnDisk() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
  PhotoShowOnDisk(const PhotoShowOnDisk&) = delete;
  PhotoShowOnDisk& operator=(const PhotoShowOnDisk&) = delete;

  const std::vector<std::string>& paths() const { return paths_; }
  const std::string& project() const { return project_; }

 private:
  std::filesystem::path directory_;
  std::vector<std::string> paths_;
  std::string project_;
};

// The longest time the window went without answering the window system (so without
// painting what needed it), and its progress bar without moving, while a command ran.
// A timer that ticks every few milliseconds is served only when the window answers.
class PauseWatch final : public QObject {
 public:
  explicit PauseWatch(QProgressBar& bar) {
    connect(&ticker_, &QTimer::timeout, this, [this] { Note(lastAnswer_, longestUnanswered_); });
    connect(&bar, &QProgressBar::valueChanged, this, [this] { Note(lastMove_, longestStill_); });
  }

  void Start() {
    clock_.start();
    lastAnswer_ = lastMove_ = 0;
    longestUnanswered_ = longestStill_ = 0;
    ticker_.start(kTickMs);
  }
  void Stop() {
    ticker_.stop();
    Note(lastAnswer_, longestUnanswered_);
    Note(lastMove_, longestStill_);
  }
  qint64 longestUnansweredMs() const { return longestUnanswered_; }
  qint64 longestStillMs() const { return longestStill_; }

 private:
  static constexpr int kTickMs = 5;

  void Note(qint64& last, qint64& longest) {
    const qint64 now = clock_.elapsed();
    longest = std::max(longest, now - last);
    last = now;
  }

  QTimer ticker_;
  QElapsedTimer clock_;
  qint64 lastAnswer_ = 0;
  qint64 lastMove_ = 0;
  qint64 longestUnanswered_ = 0;
  qint64 longestStill_ = 0;
};

// The longest pauses over a benchmark's iterations, as its counters.
class LongestPauses {
 public:
  void Take(const PauseWatch& watch) {
    unanswered_ = std::max(unanswered_, watch.longestUnansweredMs());
    still_ = std::max(still_, watch.longestStillMs());
  }
  void Report(benchmark::State& state) const {
    state.counters["unanswered_ms"] = static_cast<double>(unanswered_);
    state.counters["bar_still_ms"] = static_cast<double>(still_);
  }

 private:
  qint64 unanswered_ = 0;
  qint64 still_ = 0;
};

// The 1000-row show on disk and the window, made once.
class WindowShow {
 public:
  WindowShow() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window builds into the directory it started in, from the viewer program there.
    testing::WriteAllBytes(work_.file("Src.res"), testing::FakeViewerProgram(4096, 0x5A));
    std::filesystem::current_path(work_.path());
    static int argc = 1;
    static char name[] = "window_project_bench";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
    window_ = std::make_unique<MainWindow>(dialog_);
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get()))
      throw std::runtime_error("the window was not shown");
    pauses_ =
        std::make_unique<PauseWatch>(*static_cast<QProgressBar*>(window_->control(kIdProgress)));
  }
  ~WindowShow() {
    pauses_.reset();
    window_.reset();
    application_.reset();
  }

  // Runs a menu command with its file dialog answered by this path; onAnswered runs once
  // the dialog is answered, when the command's own work begins.
  void Run(int commandId, const std::string& path, std::function<void()> onAnswered = {}) {
    window_->SetFileDialogAnswer([path, onAnswered](QFileDialog& fileDialog) {
      fileDialog.selectFile(QString::fromStdString(path));
      static_cast<QDialog&>(fileDialog).accept();
      if (onAnswered) onAnswered();
    });
    Run(commandId);
  }
  // The command and the window's events until it has ended (it runs on a thread of its
  // own while the window's thread answers the window system).
  void Run(int commandId) {
    window_->commandAction(commandId)->trigger();
    WaitWhileBusy();
  }
  void WaitWhileBusy() {
    while (dialog_.busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

  const std::vector<std::string>& paths() const { return onDisk_.paths(); }
  const std::string& project() const { return onDisk_.project(); }
  std::string savedProject() const { return (onDisk_.directory() / "saved.vrn").string(); }
  const CSlideshowDlg& dialog() const { return dialog_; }
  CSlideshowDlg& dialog() { return dialog_; }
  const PhotoShowOnDisk& photos() const { return photos_; }
  const PhotoShowOnDisk& photosThatFit() const { return photosThatFit_; }
  PauseWatch& pauses() { return *pauses_; }

 private:
  testing::TempDir work_;
  bench::ProjectShowOnDisk onDisk_;
  PhotoShowOnDisk photos_{kRows};
  PhotoShowOnDisk photosThatFit_{kPhotosThatFit, kSizingResizedOnly};
  std::unique_ptr<QApplication> application_;
  CSlideshowDlg dialog_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<PauseWatch> pauses_;
};

WindowShow& Show() {
  static WindowShow show;
  return show;
}

void BM_MakeRowsAlone(benchmark::State& state) {
  const WindowShow& show = Show();
  for (auto _ : state) {
    for (const std::string& path : show.paths()) {
      const MakeRowResult made = MakePictureRow(path, 0, 0, "Caption");
      if (!made.ok()) state.SkipWithError("a picture did not load");
      benchmark::DoNotOptimize(made.row.sizeText.data());
    }
  }
}
BENCHMARK(BM_MakeRowsAlone)->Unit(benchmark::kMillisecond);

void BM_WindowLoad1000Rows(benchmark::State& state) {
  WindowShow& show = Show();
  for (auto _ : state) {
    show.Run(kCmdLoad, show.project());
    if (show.dialog().RowCount() != kRows) state.SkipWithError("rows were lost");
  }
}
BENCHMARK(BM_WindowLoad1000Rows)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_WindowSave1000Rows(benchmark::State& state) {
  WindowShow& show = Show();
  show.Run(kCmdLoad, show.project());
  for (auto _ : state) {
    // A file already there would make the dialog ask about replacing it.
    state.PauseTiming();
    std::filesystem::remove(show.savedProject());
    state.ResumeTiming();
    show.Run(kCmdSave, show.savedProject());
    if (!std::filesystem::exists(show.savedProject())) state.SkipWithError("nothing was saved");
  }
}
BENCHMARK(BM_WindowSave1000Rows)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The yardstick of the photograph Load: each picture loaded once, one after another.
void BM_LoadPhotosOneByOne(benchmark::State& state) {
  const WindowShow& show = Show();
  for (auto _ : state) {
    for (const std::string& path : show.photos().paths()) {
      SurfacePtr picture(IMG_Load(path.c_str()));
      if (!picture) state.SkipWithError("a photograph did not load");
      benchmark::DoNotOptimize(picture.get());
    }
  }
}
BENCHMARK(BM_LoadPhotosOneByOne)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_WindowLoad1000PhotoRows(benchmark::State& state) {
  WindowShow& show = Show();
  LongestPauses longest;
  for (auto _ : state) {
    show.Run(kCmdLoad, show.photos().project(), [&show] { show.pauses().Start(); });
    show.pauses().Stop();
    if (show.dialog().RowCount() != kRows) state.SkipWithError("rows were lost");
    longest.Take(show.pauses());
  }
  longest.Report(state);
}
BENCHMARK(BM_WindowLoad1000PhotoRows)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(2);

// Build of a show of photographs on the window's builder thread, for the window's pauses
// meanwhile.
void BM_WindowBuildPhotos(benchmark::State& state) {
  WindowShow& show = Show();
  show.Run(kCmdLoad, show.photosThatFit().project());
  if (show.dialog().RowCount() != kPhotosThatFit) state.SkipWithError("rows were lost");
  LongestPauses longest;
  for (auto _ : state) {
    show.pauses().Start();
    show.Run(kCmdBuildSlideShow);
    show.pauses().Stop();
    if (!show.dialog().statusText().starts_with("Wrote "))
      state.SkipWithError(show.dialog().statusText().c_str());
    longest.Take(show.pauses());
  }
  longest.Report(state);
}
BENCHMARK(BM_WindowBuildPhotos)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(2);

// The same 1000 photographs dropped onto the list, as from a file manager, which adds
// them as Add does. Last: it leaves the show changed, and a Load after it would ask
// whether to save.
void BM_WindowAdd1000PhotoRows(benchmark::State& state) {
  WindowShow& show = Show();
  LongestPauses longest;
  for (auto _ : state) {
    state.PauseTiming();
    show.dialog().DeleteAllRows();
    state.ResumeTiming();
    show.pauses().Start();
    show.dialog().OnDropFiles(show.photos().paths());
    show.WaitWhileBusy();
    show.pauses().Stop();
    if (show.dialog().RowCount() != kRows) state.SkipWithError("rows were lost");
    longest.Take(show.pauses());
  }
  longest.Report(state);
}
BENCHMARK(BM_WindowAdd1000PhotoRows)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(2);

}  // namespace
}  // namespace varnel

BENCHMARK_MAIN();
