#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "emulator/console_keys.h"
#include "emulator/console_screen.h"

struct mCore;

namespace varnel {

// A cartridge image running in libmgba, without a BIOS file and without sound. Time
// passes only in RunFrames, frame by frame, and is the console's own: the same whatever
// the host. The image is read into memory whole when it loads, so the file may be
// rebuilt while it runs.
class ConsoleEmulator {
 public:
  // Throws std::runtime_error (or FileError, one of them) with a message for the user
  // when the image cannot be read or the emulator does not take it. Only an ordinary file
  // is read.
  explicit ConsoleEmulator(const std::string& imagePath);
  ~ConsoleEmulator();
  ConsoleEmulator(const ConsoleEmulator&) = delete;
  ConsoleEmulator& operator=(const ConsoleEmulator&) = delete;

  // Starts the image again from its first instruction; no key is held.
  void Restart();

  // Keys held from now on (ConsoleKey bits), until the next call.
  void HoldKeys(ConsoleKeys keys);
  void ReleaseKeys() { HoldKeys(0); }
  ConsoleKeys heldKeys() const { return heldKeys_; }
  void RunFrames(int frames);

  // The last frame drawn.
  ScreenRgb ScreenAsRgb() const;
  uint64_t framesRun() const { return framesRun_; }
  // The last frame drawn as the bytes of a 240 x 160 PNG file.
  std::vector<uint8_t> ScreenAsPng() const;
  // Writes the last frame drawn as a 240 x 160 PNG file, replacing the file whole (see
  // ReplacementFile); throws std::runtime_error when it cannot.
  void SavePng(const std::string& path) const;

 private:
  mCore* core_ = nullptr;
  std::vector<uint32_t> video_;
  ConsoleKeys heldKeys_ = 0;
  uint64_t framesRun_ = 0;
};

}  // namespace varnel
