#pragma once

#include <cstddef>
#include <cstdint>

#include "emulator/console_emulator.h"
#include "emulator/console_screen.h"

// What the tests ask of a running image beside what the player does: a key pressed and let
// go, and the screen in the form the image stores its pictures in.
namespace varnel::testing {

// Holds the keys for one frame, then lets them go for one frame.
inline void Press(ConsoleEmulator& emulator, ConsoleKeys keys) {
  emulator.HoldKeys(keys);
  emulator.RunFrames(1);
  emulator.ReleaseKeys();
  emulator.RunFrames(1);
}

// The last frame drawn as 15-bit pixels: the top five bits of each 8-bit channel.
inline Screen15 Screen15Of(const ConsoleEmulator& emulator) {
  const ScreenRgb rgb = emulator.ScreenAsRgb();
  Screen15 screen(rgb.size());
  for (std::size_t i = 0; i < rgb.size(); ++i) {
    const uint32_t red = (rgb[i] >> 19) & 0x1F;
    const uint32_t green = (rgb[i] >> 11) & 0x1F;
    const uint32_t blue = (rgb[i] >> 3) & 0x1F;
    screen[i] = static_cast<uint16_t>(red | green << 5 | blue << 10);
  }
  return screen;
}

}  // namespace varnel::testing
