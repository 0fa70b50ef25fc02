/* The keys, read once a frame: which are held, which went down this frame, and, for the
 * D-pad, presses repeated while a key stays held. */
#ifndef VARNEL_VIEWER_KEYS_H
#define VARNEL_VIEWER_KEYS_H

#include <stdint.h>

typedef struct {
  uint16_t held;
  uint16_t pressed;  /* held now, not in the previous reading */
  uint16_t repeated; /* pressed, or D-pad keys held long enough to repeat this frame */
  uint16_t heldFrames;
} Keys;

void ReadKeys(Keys* keys);
/* Takes the keys held now as already pressed: a key held through a long operation does
 * not act again when the operation ends. */
void ForgetPresses(Keys* keys);

#endif
