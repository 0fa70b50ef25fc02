/* Frame pacing: the VBlank interrupt counts frames, and the program sleeps until the
 * next one instead of polling. */
#ifndef VARNEL_VIEWER_INTERRUPTS_H
#define VARNEL_VIEWER_INTERRUPTS_H

#include <stdint.h>

/* Frames of the console per second is 2^24 / 280896 = 59.7275; one frame lasts 16.74 ms. */
#define CPU_CYCLES_PER_SECOND 16777216u
#define CPU_CYCLES_PER_FRAME 280896u

void EnableVBlankInterrupt(void);

/* Halts the CPU until the next VBlank begins (BIOS VBlankIntrWait). */
void WaitForVBlank(void);

/* VBlanks since the interrupt was enabled: the viewer's clock. */
uint32_t FrameCount(void);

/* The number of whole frames that first reaches the given time (rounded up). */
uint32_t FramesForMilliseconds(uint32_t milliseconds);

#endif
