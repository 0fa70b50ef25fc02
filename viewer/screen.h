/* The screen: mode 3, one 240 x 160 page of 15-bit pixels shown by BG2, and three
 * screen-sized buffers in EWRAM that transitions and full-screen pages are composed in.
 *
 * Tearing: VRAM is written only right after a VBlank begins. A DMA copy of the whole
 * screen moves a row in under 1000 cycles while the display draws one in 1232, so a copy
 * started at VBlank stays ahead of the beam and every frame shows one state. */
#ifndef VARNEL_VIEWER_SCREEN_H
#define VARNEL_VIEWER_SCREEN_H

#include <stdint.h>

#include "format/image_layout.h"
#include "gba_registers.h"

#define SCREEN_PIXELS (SCREEN_WIDTH * SCREEN_HEIGHT)

#define COLOUR_BLACK 0x0000u
#define COLOUR_WHITE 0x7FFFu
#define COLOUR_GREY 0x2108u
#define COLOUR_YELLOW 0x03FFu

#define RGB15(r, g, b) ((uint16_t)((r) | ((g) << 5) | ((b) << 10)))

/* The page the display shows. */
#define SCREEN_VRAM VRAM

/* Buffers for composing: the screen as it was, the screen to come, and a back buffer. */
extern uint16_t g_oldScreen[SCREEN_PIXELS];
extern uint16_t g_newScreen[SCREEN_PIXELS];
extern uint16_t g_backScreen[SCREEN_PIXELS];

/* Mode 3 with BG2 on, a black backdrop, no effects; the screen starts black. */
void InitScreen(void);

/* Copies a composed screen to the display. Call right after WaitForVBlank. */
void PresentScreen(const uint16_t* screen);
/* Copies count rows of a composed screen, from its row sourceRow on, to the display's
 * rows from screenRow on. */
void PresentRows(int screenRow, const uint16_t* screen, int sourceRow, int count);
/* Copies what the display shows into a buffer. */
void CaptureScreen(uint16_t* screen);

/* The display back to a plain picture: BG2 alone, no blending (BG2 stays unscaled: only
 * the zoom changes its scale, and it ends unscaled). */
void ResetDisplayEffects(void);

#endif
