// Save and Load of a 1000-row show in the real window (Qt, offscreen) beside making its
// 1000 rows alone: the difference is what the window adds (list, progress bar, painting).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QTest>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/project_show_on_disk.h"
#include "document/picture_row.h"
#include "ui/main_window.h"
#include "ui/slideshow_dlg.h"

namespace varnel {
namespace {

constexpr int kRows = bench::kProjectRows;

// The 1000-row show on disk and the window, made once.
class WindowShow {
 public:
  WindowShow() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "window_project_bench";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
    window_ = std::make_unique<MainWindow>(dialog_);
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get()))
      throw std::runtime_error("the window was not shown");
  }
  ~WindowShow() {
    window_.reset();
    application_.reset();
  }

  // Runs a menu command with its file dialog answered by this path.
  void Run(int commandId, const std::string& path) {
    window_->SetFileDialogAnswer([path](QFileDialog& fileDialog) {
      fileDialog.selectFile(QString::fromStdString(path));
      static_cast<QDialog&>(fileDialog).accept();
    });
    window_->commandAction(commandId)->trigger();
  }

  const std::vector<std::string>& paths() const { return onDisk_.paths(); }
  const std::string& project() const { return onDisk_.project(); }
  std::string savedProject() const { return (onDisk_.directory() / "saved.vrn").string(); }
  const CSlideshowDlg& dialog() const { return dialog_; }

 private:
  bench::ProjectShowOnDisk onDisk_;
  std::unique_ptr<QApplication> application_;
  CSlideshowDlg dialog_;
  std::unique_ptr<MainWindow> window_;
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
BENCHMARK(BM_WindowLoad1000Rows)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_WindowSave1000Rows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel

BENCHMARK_MAIN();
