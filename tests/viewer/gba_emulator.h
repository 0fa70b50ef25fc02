#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct mCore;

namespace varnel::testing {

// The console's keys as the emulator takes them: bit n held, in the KEYINPUT order.
enum GbaKey : uint32_t {
  kKeyA = 1u << 0,
  kKeyB = 1u << 1,
  kKeySelect = 1u << 2,
  kKeyStart = 1u << 3,
  kKeyRight = 1u << 4,
  kKeyLeft = 1u << 5,
  kKeyUp = 1u << 6,
  kKeyDown = 1u << 7,
  kKeyR = 1u << 8,
  kKeyL = 1u << 9,
};

inline constexpr int kGbaScreenWidth = 240;
inline constexpr int kGbaScreenHeight = 160;

// One screen as 15-bit pixels (bits 0-4 red, 5-9 green, 10-14 blue), rows top to bottom:
// the form the image stores its pictures in.
using Screen15 = std::vector<uint16_t>;

// A cartridge image running headless in libmgba, without a BIOS file. Time passes only in
// RunFrames, frame by frame, and is the console's own: the same whatever the host.
class GbaEmulator {
 public:
  explicit GbaEmulator(const std::string& imagePath);
  ~GbaEmulator();
  GbaEmulator(const GbaEmulator&) = delete;
  GbaEmulator& operator=(const GbaEmulator&) = delete;

  // Keys held from now on (a mask of GbaKey), until the next call.
  void HoldKeys(uint32_t keys);
  void ReleaseKeys() { HoldKeys(0); }
  void RunFrames(int frames);
  // Holds the keys for one frame, then lets them go for one frame.
  void Press(uint32_t keys);

  // The last frame drawn.
  Screen15 Screen() const;
  uint32_t framesRun() const { return framesRun_; }
  // A halfword of the console's memory, as the program sees it.
  uint16_t Read16(uint32_t address) const;
  // Writes the last frame drawn as a PNG file; throws when it cannot.
  void SavePng(const std::string& path) const;

 private:
  mCore* core_ = nullptr;
  std::vector<uint32_t> video_;
  uint32_t framesRun_ = 0;
};

}  // namespace varnel::testing
