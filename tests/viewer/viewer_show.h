#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "builder/rom_layout.h"
#include "document/label_tables.h"
#include "emulator/console_emulator.h"
#include "tests/support/image_reader.h"
#include "tests/support/recording_build_host.h"
#include "tests/support/test_support.h"

namespace varnel::testing {

// A show built with the real builder around the real viewer, for running in the emulator.
// Options start at the New defaults; pictures are BMP files made in a temporary directory.
class ViewerShow {
 public:
  ViewerShow();

  SlideshowOptions& options() { return host_.document.options; }
  SlideshowDocument& document() { return host_.document; }
  // Adds a picture of the given size whose pixels follow a pattern of its own (no two
  // pictures of a show look alike). Returns its row index.
  int AddPicture(int width, int height, int sizing = kSizingBoth, int effect = 0,
                 const std::string& caption = "");
  int AddPicture(int width, int height, const std::function<Rgb(int x, int y)>& colour,
                 int sizing = kSizingBoth, int effect = 0, const std::string& caption = "");

  // Builds the image; fails the test when the build does not succeed.
  void Build();
  // Overwrites bytes of the built image (to damage it on purpose).
  void Patch(uint64_t offset, const std::vector<uint8_t>& bytes);
  const std::string& imagePath() const { return imagePath_; }
  ImageReader Image() const { return ImageReader(imagePath_); }

  // What the screen must show for a slot: its resized version; its full-size version
  // through a window whose top-left is at (scrollX, scrollY), or centred on black.
  Screen15 Resized(uint32_t slot) const;
  Screen15 FullSize(uint32_t slot, int scrollX = 0, int scrollY = 0) const;
  Screen15 Thumbnails(uint32_t firstSlot, uint32_t count) const;

 private:
  TempDir dir_;
  RecordingBuildHost host_;
  std::string imagePath_;
  int pictures_ = 0;
};

// Pixels in which two screens differ.
int Differences(const Screen15& a, const Screen15& b);

// True when the screen is text in the viewer's text colours (white, yellow) on black: some
// text, and nothing of a picture.
bool IsTextOnBlack(const Screen15& screen);

// Runs frame by frame until the screen equals the expected one; returns the frames run,
// or nothing when it does not within maxFrames.
std::optional<int> RunUntilShown(ConsoleEmulator& emulator, const Screen15& expected,
                                 int maxFrames);

}  // namespace varnel::testing
