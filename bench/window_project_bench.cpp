// Save and Load of a 1000-row show in the real window (Qt, offscreen) beside making its
// 1000 rows alone: the difference is what the window adds (list, progress bar, painting).
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/picture_row.h"
#include "document/sdl_picture.h"
#include "project/project_file_writer.h"
#include "ui/main_window.h"
#include "ui/slideshow_dlg.h"

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
    for (int i = 0; i < surface->pitch * surface->h; ++i) pixels[i] = uint8_t(i * 5 + seed);
  }
  if (SDL_SaveBMP_RW(surface.get(), SDL_RWFromFile(path.c_str(), "wb"), 1) != 0)
    throw std::runtime_error("cannot write " + path);
  return path;
}

// 1000 pictures, a project naming them and the window, made once and removed at the end.
class WindowShow {
 public:
  WindowShow() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "varnel-window-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    directory_ = pattern;
    std::vector<StoredPicture> pictures;
    for (int i = 0; i < kRows; ++i) {
      const std::string path =
          WritePicture((directory_ / ("picture" + std::to_string(i) + ".bmp")).string(), i);
      paths_.push_back(path);
      pictures.push_back({path, "Caption " + std::to_string(i), uint16_t(i % 3), uint16_t(i % 9)});
    }
    project_ = (directory_ / "show.vrn").string();
    const std::vector<uint8_t> bytes =
        ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), pictures);
    std::ofstream out(project_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + project_);

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
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }

  // Runs a menu command with its file dialog answered by this path.
  void Run(int commandId, const std::string& path) {
    window_->SetFileDialogAnswer([path](QFileDialog& fileDialog) {
      fileDialog.selectFile(QString::fromStdString(path));
      static_cast<QDialog&>(fileDialog).accept();
    });
    window_->commandAction(commandId)->trigger();
  }

  const std::vector<std::string>& paths() const { return paths_; }
  const std::string& project() const { return project_; }
  std::string savedProject() const { return (directory_ / "saved.vrn").string(); }
  const CSlideshowDlg& dialog() const { return dialog_; }

 private:
  std::filesystem::path directory_;
  std::vector<std::string> paths_;
  std::string project_;
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
