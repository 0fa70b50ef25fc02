/* The keys. They are sampled at every VBlank by the interrupt, so that a press is never
 * lost while the program is busy (a transition, drawing a screen): ReadKeys then reports
 * every key that went down since the previous reading, once. A key held down goes down
 * once, however long it is held. */
#ifndef VARNEL_VIEWER_KEYS_H
#define VARNEL_VIEWER_KEYS_H

#include <stdint.h>

typedef struct {
  uint16_t held;
  uint16_t pressed;  /* went down since the previous reading */
  uint16_t repeated; /* pressed, or D-pad keys held long enough to repeat this frame */
  uint16_t heldFrames;
} Keys;

/* Called by the VBlank interrupt. */
__attribute__((long_call)) void SampleKeysAtVBlank(void);

void ReadKeys(Keys* keys);

#endif
