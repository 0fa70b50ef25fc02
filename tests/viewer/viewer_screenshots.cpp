// Runs a built show in the emulator and saves PNG screenshots along the way, for a person
// to look at: the first slides, frames in the middle of transitions, a caption, the full
// size, the help screen and the chooser. Made for the sample show (an intro picture, then
// slides with effects, captions and a panorama), but any show gives a series of pictures.
//
// Usage: viewer_screenshots <slide.gba> <output directory>

#include <cstdio>
#include <filesystem>
#include <string>

#include "emulator/console_emulator.h"
#include "tests/support/console_run.h"

namespace {

using varnel::ConsoleEmulator;
namespace keys = varnel;

class ScreenshotRun {
 public:
  ScreenshotRun(const std::string& image, std::filesystem::path directory)
      : emulator_(image), directory_(std::move(directory)) {}

  void Run(int frames) { emulator_.RunFrames(frames); }
  void Press(uint32_t key, int settleFrames) {
    varnel::testing::Press(emulator_, key);
    emulator_.RunFrames(settleFrames);
  }
  void Hold(uint32_t key, int frames) {
    emulator_.HoldKeys(key);
    emulator_.RunFrames(frames);
    emulator_.ReleaseKeys();
    emulator_.RunFrames(2);
  }
  void Save(const std::string& name) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02d-", ++count_);
    const std::filesystem::path path = directory_ / (prefix + name + ".png");
    emulator_.SavePng(path.string());
    std::printf("%s\n", path.string().c_str());
  }

 private:
  ConsoleEmulator emulator_;
  std::filesystem::path directory_;
  int count_ = 0;
};

// Frames into a transition at which the middle of most effects is on screen.
constexpr int kMidTransition = 12;
constexpr int kSettle = 50;

void RunSampleShow(ScreenshotRun& run) {
  run.Run(20);
  run.Save("intro");
  run.Press(keys::kButtonR, kMidTransition - 2);  // out of the intro, into slide 1
  run.Save("first-slide-mid-transition");
  run.Run(kSettle);
  run.Save("first-slide");
  run.Press(keys::kButtonSelect, 4);
  run.Save("caption");
  run.Press(keys::kButtonSelect, 4);
  run.Press(keys::kButtonA, 4);
  run.Save("full-size");
  run.Press(keys::kButtonA, 4);
  for (int slide = 2; slide <= 6; ++slide) {
    run.Press(keys::kButtonR, kMidTransition - 2);
    run.Save("slide-" + std::to_string(slide) + "-mid-transition");
    run.Run(kSettle);
    run.Save("slide-" + std::to_string(slide));
    if (slide == 2) {
      run.Hold(keys::kButtonRight, 90);
      run.Save("slide-2-scrolled");
    }
  }
  run.Press(keys::kButtonStart, 6);
  run.Save("help-screen");
  run.Press(keys::kButtonStart, 6);
  run.Save("chooser");
  run.Press(keys::kButtonDown, 4);
  run.Save("chooser-cursor-moved");
  run.Press(keys::kButtonB, 6);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: viewer_screenshots <slide.gba> <output directory>\n");
    return 2;
  }
  try {
    std::filesystem::create_directories(argv[2]);
    ScreenshotRun run(argv[1], argv[2]);
    RunSampleShow(run);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "viewer_screenshots: %s\n", error.what());
    return 1;
  }
}
