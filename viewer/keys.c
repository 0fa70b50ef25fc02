#include "keys.h"

#include "gba_registers.h"

#define DPAD_KEYS (KEY_RIGHT | KEY_LEFT | KEY_UP | KEY_DOWN)
#define REPEAT_DELAY_FRAMES 18
#define REPEAT_INTERVAL_FRAMES 5

static uint16_t HeldNow(void) {
  return (uint16_t)(~REG_KEYINPUT & KEY_ALL);
}

void ReadKeys(Keys* keys) {
  const uint16_t held = HeldNow();
  keys->pressed = held & (uint16_t)~keys->held;
  const uint16_t dpad = held & DPAD_KEYS;
  if (dpad == 0 || (keys->pressed & DPAD_KEYS))
    keys->heldFrames = 0;
  else
    ++keys->heldFrames;
  keys->repeated = keys->pressed;
  if (keys->heldFrames >= REPEAT_DELAY_FRAMES &&
      (keys->heldFrames - REPEAT_DELAY_FRAMES) % REPEAT_INTERVAL_FRAMES == 0)
    keys->repeated |= dpad;
  keys->held = held;
}

void ForgetPresses(Keys* keys) {
  keys->held = HeldNow();
  keys->pressed = 0;
  keys->repeated = 0;
  keys->heldFrames = 0;
}
