#include "keys.h"

#include "gba_registers.h"

#define DPAD_KEYS (KEY_RIGHT | KEY_LEFT | KEY_UP | KEY_DOWN)
#define REPEAT_DELAY_FRAMES 18
#define REPEAT_INTERVAL_FRAMES 5

static volatile uint16_t g_heldAtVBlank;
static volatile uint16_t g_wentDown;

__attribute__((target("arm"), section(".iwram.SampleKeysAtVBlank"), noinline)) void
SampleKeysAtVBlank(void) {
  const uint16_t held = (uint16_t)(~REG_KEYINPUT & KEY_ALL);
  g_wentDown |= held & (uint16_t)~g_heldAtVBlank;
  g_heldAtVBlank = held;
}

void ReadKeys(Keys* keys) {
  REG_IME = 0;
  const uint16_t held = g_heldAtVBlank;
  const uint16_t wentDown = g_wentDown;
  g_wentDown = 0;
  REG_IME = 1;
  keys->pressed = wentDown;
  const uint16_t dpad = held & DPAD_KEYS;
  if (dpad == 0 || (wentDown & DPAD_KEYS))
    keys->heldFrames = 0;
  else
    ++keys->heldFrames;
  keys->repeated = wentDown;
  if (keys->heldFrames >= REPEAT_DELAY_FRAMES &&
      (keys->heldFrames - REPEAT_DELAY_FRAMES) % REPEAT_INTERVAL_FRAMES == 0)
    keys->repeated |= dpad;
  keys->held = held;
}
