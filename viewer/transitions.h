/* The nine transition effects between what the screen shows and a new screen. */
#ifndef VARNEL_VIEWER_TRANSITIONS_H
#define VARNEL_VIEWER_TRANSITIONS_H

#include <stdint.h>

/* Plays the effect with the given index from the screen as shown to the screen composed
 * in g_newScreen, and returns once that screen is shown exactly and the display is back
 * to plain BG2. An index that names no effect shows the new screen at once. Each effect
 * lasts well under a second. */
void RunTransition(uint8_t effect);

#endif
