#pragma once

#include <array>

#include "emulator/console_keys.h"

namespace varnel {

// The console keys a player holds down, from key or button presses and releases. A key
// let go very soon after it went down (a quick click or tap, both arriving between two
// frames) stays held for a few frames, so the program that samples the keys once a
// frame still sees the press.
class KeyLatch {
 public:
  static constexpr int kMinimumHoldFrames = 2;

  void Press(ConsoleKey key);
  void Release(ConsoleKey key);
  void ReleaseAll();
  // One frame ran with held() as the keys.
  void FrameRan();
  ConsoleKeys held() const;

 private:
  struct KeyState {
    bool down = false;   // held by the user
    int framesHeld = 0;  // frames run since it went down
    bool releasePending = false;
  };
  static constexpr int kKeyCount = 10;
  static int IndexOf(ConsoleKey key);
  std::array<KeyState, kKeyCount> keys_{};
};

}  // namespace varnel
