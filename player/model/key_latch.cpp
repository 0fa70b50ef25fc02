#include "player/model/key_latch.h"

#include <bit>

namespace varnel {

int KeyLatch::IndexOf(ConsoleKey key) {
  return std::countr_zero(static_cast<uint32_t>(key));
}

void KeyLatch::Press(ConsoleKey key) {
  KeyState& state = keys_[static_cast<std::size_t>(IndexOf(key))];
  if (!state.down) state.framesHeld = 0;
  state.down = true;
  state.releasePending = false;
}

void KeyLatch::Release(ConsoleKey key) {
  KeyState& state = keys_[static_cast<std::size_t>(IndexOf(key))];
  if (!state.down) return;
  if (state.framesHeld >= kMinimumHoldFrames) {
    state.down = false;
  } else {
    state.releasePending = true;
  }
}

void KeyLatch::ReleaseAll() {
  keys_ = {};
}

void KeyLatch::FrameRan() {
  for (KeyState& state : keys_) {
    if (!state.down) continue;
    ++state.framesHeld;
    if (state.releasePending && state.framesHeld >= kMinimumHoldFrames) state = KeyState{};
  }
}

ConsoleKeys KeyLatch::held() const {
  ConsoleKeys keys = 0;
  for (int i = 0; i < kKeyCount; ++i) {
    if (keys_[static_cast<std::size_t>(i)].down) keys |= 1u << i;
  }
  return keys;
}

}  // namespace varnel
